// Drives the shared-file lock through arbitrary sequences of commands, timer ticks, clock jumps
// and sync file contents written by "another program": nothing may crash or overflow, the
// macro file is never touched, a program that took the lock holds it (and the file, one whole
// record, says so) and one that released it does not.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/shared_file_lock.h"

namespace {

struct QuietHost final : orv::ISharedFileHost {
    void reloadSharedMacroFile() override {}
    void setHeartbeatTimer(bool) override {}
    void setSyncTimer(bool) override {}
};

const std::string& workDir() {
    static const std::string dir = [] {
        std::string pattern = "/tmp/orvanta-fuzz-sync-XXXXXX";
        return std::string(::mkdtemp(pattern.data()));
    }();
    return dir;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The input, one byte at a time; zeros once it is used up.
struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool more() const { return at < size; }
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    const std::uint8_t* take(std::size_t n) {
        if (size - at < n) return nullptr;
        at += n;
        return data + at - n;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    Reader in{data, size};
    const std::uint8_t flags = in.byte();
    // Names that would be their own sync file as well as ordinary ones.
    static const char* const kNames[] = {"TEAM.ORV", "XMAS", "notes.mas", "a"};
    const std::string macroFile = workDir() + "/" + kNames[flags & 3];
    const std::string syncPath = syncFilePath(macroFile);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(workDir(), ec))
        std::filesystem::remove(entry.path(), ec);
    const std::string macroBytes = "macro file bytes that must survive";
    writeAll(macroFile, reinterpret_cast<const std::uint8_t*>(macroBytes.data()), macroBytes.size());

    TAppSettings settings;
    settings.NetworkMode = (flags & 4) == 0;
    settings.CurrentFile = macroFile;
    fake::FakeClock clock;
    fake::FakeUserPrompt prompt;
    QuietHost host;
    SharedFileLock lock(settings, clock, prompt, host);
    lock.macroFileOpened(macroFile);

    while (in.more()) {
        const std::uint8_t op = in.byte();
        switch (op % 7) {
            case 0:
                if (!lock.FileInUse() && settings.NetworkMode) {
                    // Taken: this program holds the lock and the file says so, whole.
                    const std::string raw = readAll(syncPath);
                    if (!lock.holding() || raw.size() != SyncRecord::kSize) std::abort();
                    SyncBytes bytes{};
                    std::memcpy(bytes.data(), raw.data(), bytes.size());
                    if (decodeSyncRecord(bytes).state != SyncRecord::kHeld) std::abort();
                }
                break;
            case 1:
                lock.ReleaseSyncFile((op & 8) != 0);
                if (lock.holding()) std::abort();
                break;
            case 2:
                lock.onHeartbeatTimer();
                break;
            case 3:
                lock.MacroFileChanged();
                break;
            case 4:
                clock.advanceMs(static_cast<std::uint64_t>(in.byte()) * 1000);
                break;
            case 5:
                // Another program rewrites the sync file with what follows (any length).
                if (!syncPath.empty()) {
                    const std::size_t n = in.byte() % 20;
                    if (const std::uint8_t* bytes = in.take(n)) writeAll(syncPath, bytes, n);
                }
                break;
            case 6:
                lock.applyNetworkSettings((op & 8) != 0, (op & 16) != 0, in.byte() % 100);
                break;
        }
        if (readAll(macroFile) != macroBytes) std::abort();
    }
    return 0;
}
