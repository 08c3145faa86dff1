// Capture on a real display: from the user's key press (the server's own keyboard device) to
// its character written to the capture file, and the processor time the program spends while
// the user types 100 keys a second with a capture running, against the same typing without one.
// Run it through bench/capture_bench.sh, which starts a private Xvfb with a window manager.
//   x11_capture_bench [--keys N] [--seconds S]
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <optional>
#include <thread>
#include <vector>

#include "capture/capture_session.h"
#include "platform/hotkey_codes.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "x11_test_support.h"

#include <X11/keysym.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace orv;

// Appends each recorded character to the capture file and notes when it got there.
class FileSink final : public IHookMessageSink {
public:
    explicit FileSink(capture::CaptureSession& session) : session_(session) {}
    void postHookMessage(const HookMessage& m) override {
        if (m.msg != HookMsg::CaptureText) return;
        const char c = static_cast<char>(m.lParam);
        session_.record(std::string(1, c));
        if (c < 'a' || c > 'z') return;  // pause tags between the letters
        std::lock_guard lock(mutex_);
        ++letters_;
        last_ = Clock::now();
        cv_.notify_all();
    }
    // Waits until `count` letters are in the file; when the last one got there.
    std::optional<Clock::time_point> waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, std::chrono::seconds(5), [&] { return letters_ >= count; })) return std::nullopt;
        return last_;
    }

private:
    capture::CaptureSession& session_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::size_t letters_ = 0;
    Clock::time_point last_;
};

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// Processor seconds of every thread but the main one (which plays the user typing): the hook
// library's threads. /proc/self/task/<tid>/schedstat starts with the time run, in nanoseconds.
double libraryCpuSeconds() {
    double total = 0;
    const std::string self = std::to_string(::getpid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        if (task.path().filename() == self) continue;
        std::ifstream in(task.path() / "schedstat");
        double ns = 0;
        if (in >> ns) total += ns / 1e9;
    }
    return total;
}

void startCapture(x11::X11HookLibrary& hook, TActivationTable& table, bool on) {
    capture::CaptureOptions options;
    options.timing = true;
    DecodedHotKey stop;
    stop.virtualKey = 123;
    stop.ctrl = true;
    capture::writeCaptureOptions(table, options, false, 1, hotKeyCodeOf(stop), std::nullopt);
    table.setCaptureOn(on);
    hook.OrvUpCapture(table);
    hook.OrvUpCaptureOn(table);
    hook.waitUntilApplied(std::chrono::seconds(10));
}

struct CpuUse {
    double process = 0;  // the typing included
    double library = 0;
};

// Processor seconds while `seconds` of typing at 100 keys a second go by.
CpuUse cpuWhileTyping(x11::test::PhysicalKeyboard& user, int seconds) {
    const double before = processCpuSeconds();
    const double libraryBefore = libraryCpuSeconds();
    auto next = Clock::now();
    for (int i = 0; i < seconds * 100; ++i) {
        next += std::chrono::milliseconds(10);
        user.tap(XK_a + static_cast<unsigned long>(i % 26));
        std::this_thread::sleep_until(next);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return {processCpuSeconds() - before, libraryCpuSeconds() - libraryBefore};
}

}  // namespace

int main(int argc, char** argv) {
    int keys = 300, seconds = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--keys") == 0) keys = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atoi(argv[i + 1]);
    }
    char folder[] = "/tmp/orv-capture-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) return 1;
    capture::CaptureSession session;
    capture::CaptureSession::Settings settings;
    settings.folder = folder;
    settings.options.timing = false;
    if (session.start(settings)) return 1;
    FileSink sink(session);
    x11::X11HookLibrary hook(sink);
    if (!hook.available()) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    hook.OrvHookKeyboard();
    hook.OrvHookMouse();
    TActivationTable table;
    x11::test::PhysicalKeyboard user;
    if (!user.valid()) return 1;

    // Latency: one key at a time, each waited for (a timed capture writes a pause before each).
    startCapture(hook, table, true);
    std::vector<double> micros;
    for (int i = 0; i < keys; ++i) {
        const auto sent = Clock::now();
        user.tap(XK_a + static_cast<unsigned long>(i % 26));
        const std::optional<Clock::time_point> arrived = sink.waitFor(static_cast<std::size_t>(i) + 1);
        if (!arrived) {
            std::fprintf(stderr, "key %d never arrived\n", i);
            return 1;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(*arrived - sent).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    std::sort(micros.begin(), micros.end());
    std::printf("key press to its character in the capture file: median %.0f us, 90%% %.0f us, max %.0f us (%d keys)\n",
                micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.back(), keys);

    const CpuUse capturing = cpuWhileTyping(user, seconds);
    startCapture(hook, table, false);
    const CpuUse idle = cpuWhileTyping(user, seconds);
    std::printf(
        "processor time at 100 keys a second, hook library threads: %.2f%% of a core capturing, %.2f%% "
        "without a capture\n",
        100.0 * capturing.library / seconds, 100.0 * idle.library / seconds);
    std::printf("whole process with the typing: %.2f%% capturing, %.2f%% without\n",
                100.0 * capturing.process / seconds, 100.0 * idle.process / seconds);
    session.end(1);
    std::string cleanup = std::string("rm -rf ") + folder;
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
