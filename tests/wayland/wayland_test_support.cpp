#include "wayland_test_support.h"
#include "../support/target_lines.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "platform/cp1252.h"
#include "platform/virtual_keys.h"
#include "platform/wayland/wayland_keyboard_input.h"

namespace orv::wayland::test {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> argvOf(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

// Reads what `fd` has within `timeoutMs` into `out`; false at the end of the stream or timeout.
bool readInto(int fd, std::string& out, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return false;
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    out.append(buffer, static_cast<std::size_t>(n));
    return true;
}

int msLeft(Clock::time_point end) {
    return static_cast<int>(
        std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count()));
}

}  // namespace

bool haveCompositor() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return false;
    wl_display_disconnect(display);
    return true;
}

bool compositorRequired() {
    const char* required = std::getenv("ORVANTA_REQUIRE_WAYLAND");
    return required != nullptr && std::string(required) == "1";
}

WaylandTarget::WaylandTarget(const std::vector<std::string>& titles, const std::vector<std::string>& options,
                             const char* platform) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    std::vector<std::string> args = {ORV_TARGET_APP};
    args.insert(args.end(), options.begin(), options.end());
    for (const auto& t : titles) {
        args.push_back("--window");
        args.push_back(t);
    }
    auto argv = argvOf(args);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(fds[1], 1);
        ::setenv("QT_QPA_PLATFORM", platform, 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    fd_ = fds[0];
    // The application must never wait for the test to read: a test that waits for a program it
    // started reads nothing meanwhile, and a blocked application fetches no paste.
    ::fcntl(fd_, F_SETPIPE_SZ, 1 << 20);
}

WaylandTarget::~WaylandTarget() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) ::close(fd_);
}

bool WaylandTarget::readSome(int timeoutMs) {
    if (!readInto(fd_, partial_, timeoutMs)) return false;
    std::size_t start = 0;
    for (std::size_t nl; (nl = partial_.find('\n', start)) != std::string::npos; start = nl + 1) {
        lines_.push_back(partial_.substr(start, nl - start));
    }
    partial_.erase(0, start);
    return true;
}

bool WaylandTarget::waitUntil(const std::function<bool(const std::vector<std::string>&)>& done,
                              std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (!done(lines_)) {
        if (msLeft(end) == 0) return false;
        readSome(msLeft(end));
    }
    return true;
}

bool WaylandTarget::waitForLine(const std::string& prefix, std::chrono::milliseconds deadline) {
    return waitUntil(
        [&](const std::vector<std::string>& lines) {
            return std::any_of(lines.begin(), lines.end(),
                               [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        },
        deadline);
}

bool WaylandTarget::waitUntilTakingKeys(int index, WaylandKeyboardInput& keyboard) {
    const auto end = Clock::now() + kDeadline;
    const std::string shiftLine = "key " + std::to_string(index) + " - ";
    while (msLeft(end) > 0) {
        keyboard.keyEvent(kVkShift, 0, false);
        keyboard.keyEvent(kVkShift, 0, true);
        keyboard.endPlayback();
        if (waitForLine(shiftLine, 250ms)) return true;
    }
    return false;
}

std::string WaylandTarget::text(int index) const { return orv::test::typedText(lines_, index); }

std::string WaylandTarget::transcript() const {
    std::string all;
    for (const auto& line : lines_) all += line + '\n';
    return all;
}

std::string WaylandTarget::waitForText(int index, std::size_t bytes, std::chrono::milliseconds deadline) {
    waitUntil([&](const std::vector<std::string>&) { return text(index).size() >= bytes; }, deadline);
    return text(index);
}

std::string printableWindows1252() {
    std::string text;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char32_t ch = cp1252ToUnicode(static_cast<unsigned char>(byte));
        if (byte != 0x7F && (ch < 0x80 || ch > 0x9F)) text.push_back(static_cast<char>(byte));
    }
    return text;
}

bool eventually(const std::function<bool()>& check, std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (!check()) {
        if (Clock::now() >= end) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

ProgramRun runProgram(const std::vector<std::string>& args, const std::vector<std::string>& unset) {
    ProgramRun run;
    std::vector<std::string> store = args;
    auto argv = argvOf(store);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 2);
        for (const auto& name : unset) ::unsetenv(name.c_str());
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    const auto end = Clock::now() + kDeadline;
    bool ended = false;
    while (!ended && msLeft(end) > 0) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, msLeft(end)) <= 0) continue;
        ended = !readInto(fds[0], run.errors, 0);
    }
    ::close(fds[0]);
    if (!ended) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (ended && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

}  // namespace orv::wayland::test
