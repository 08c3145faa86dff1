// Loads arbitrary bytes as a macro file: nothing may crash, read out of bounds, or change the
// file; every decoded record must survive an encode/decode round trip.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_file.h"
#include "store/macro_store.h"

namespace {

std::string tempFile() {
    static std::string path = [] {
        std::string pattern = "/tmp/orvanta-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd >= 0) ::close(fd);
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    // Whole records straight through the codec.
    for (std::size_t at = 0; at + TMacroRecord::kSize <= size; at += TMacroRecord::kSize) {
        RecordBytes bytes;
        std::memcpy(bytes.data(), data + at, bytes.size());
        const RecordBytes once = encodeRecord(decodeRecord(bytes));
        if (encodeRecord(decodeRecord(once)) != once) std::abort();
    }

    // The whole input as a file, loaded in both modes.
    const std::string path = tempFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store(table, settings, hook, prompt, clock, "/nonexistent-icons");
    settings.CurrentFile = path;
    store.LoadMacroFile(path, MacroStore::LoadMode::Inspect);
    if (table.MacroCount() > kMaxMacros) std::abort();
    std::ifstream in(path, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (after.size() != size || std::memcmp(after.data(), data, size) != 0) std::abort();

    store.LoadMacroFile(path);
    if (table.MacroCount() > kMaxMacros) std::abort();
    return 0;
}
