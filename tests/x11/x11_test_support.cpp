#include "x11_test_support.h"
#include "../support/target_lines.h"

#include <X11/extensions/XTest.h>
#include <poll.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orv::x11::test {

using Clock = std::chrono::steady_clock;

bool haveDisplay() {
    // The hook library talks to the server from its own thread: Xlib must be made thread-safe
    // before the first connection of the process.
    XInitThreads();
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    // Every test starts from the same keyboard: no lock on, no key or button down (a test that
    // failed half-way may have left them so, and the server keeps them for the next one).
    XkbLockModifiers(d, XkbUseCoreKbd, LockMask | XkbKeysymToModifiers(d, XK_Num_Lock), 0);
    char keys[32];
    XQueryKeymap(d, keys);
    for (int kc = 8; kc < 256; ++kc) {
        if ((keys[kc / 8] & (1 << (kc % 8))) != 0) XTestFakeKeyEvent(d, static_cast<unsigned>(kc), False, CurrentTime);
    }
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
    for (unsigned button = 1; button <= 5; ++button) {
        if ((mask & (Button1Mask << (button - 1))) != 0) XTestFakeButtonEvent(d, button, False, CurrentTime);
    }
    XSync(d, False);
    XCloseDisplay(d);
    return true;
}

bool displayRequired() {
    const char* v = std::getenv("ORVANTA_REQUIRE_DISPLAY");
    return v != nullptr && *v != '\0' && *v != '0';
}

TargetApp::TargetApp(const std::vector<std::string>& titles) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    std::vector<std::string> args = {ORV_TARGET_APP};
    for (const auto& t : titles) {
        args.push_back("--window");
        args.push_back(t);
    }
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(fds[1], 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    fd_ = fds[0];
}

TargetApp::~TargetApp() {
    std::vector<unsigned long> windows;
    for (const auto& line : lines_) {
        if (line.rfind("window ", 0) == 0)
            windows.push_back(std::strtoul(line.c_str() + line.rfind(' ') + 1, nullptr, 10));
    }
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) ::close(fd_);
    // The next application's windows may get the same ids; the window manager must have let go
    // of these first, or it takes the new windows for the old ones.
    waitOnRoot([&] { return std::none_of(windows.begin(), windows.end(), isManaged); });
}

bool TargetApp::readSome(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return false;
    char buffer[65536];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) return false;
    partial_.append(buffer, static_cast<std::size_t>(n));
    std::size_t start = 0;
    for (std::size_t nl; (nl = partial_.find('\n', start)) != std::string::npos; start = nl + 1) {
        lines_.push_back(partial_.substr(start, nl - start));
    }
    partial_.erase(0, start);
    return true;
}

void TargetApp::poll() {
    while (readSome(0)) {
    }
}

std::string TargetApp::waitForLine(const std::function<bool(const std::string&)>& match,
                                   std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    std::size_t checked = 0;
    while (true) {
        for (; checked < lines_.size(); ++checked) {
            if (match(lines_[checked])) return lines_[checked];
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0 || (!readSome(static_cast<int>(left)) && Clock::now() >= end)) return {};
    }
}

unsigned long TargetApp::window(int index) {
    const std::string prefix = "window " + std::to_string(index) + " ";
    const std::string line = waitForLine([&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    if (line.empty()) return 0;
    const unsigned long id = std::strtoul(line.c_str() + prefix.size(), nullptr, 10);
    // Shown is not yet managed: the window manager takes the window on (and may give it the
    // focus) a moment later. Tests start once it has.
    waitOnRoot([&] { return isManaged(id); });
    return id;
}

std::string TargetApp::text(int index) { return orv::test::typedText(lines_, index); }

std::string TargetApp::waitForText(int index, std::size_t bytes, std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    poll();
    while (text(index).size() < bytes) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0 || !readSome(static_cast<int>(left))) break;
    }
    return text(index);
}

PhysicalKeyboard::PhysicalKeyboard() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) return;
    int count = 0;
    XDeviceInfo* devices = XListInputDevices(display_, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use == IsXExtensionKeyboard && std::strstr(devices[i].name, "XTEST") == nullptr &&
            std::strstr(devices[i].name, "keyboard") != nullptr) {
            device_ = XOpenDevice(display_, devices[i].id);
            break;
        }
    }
    if (devices != nullptr) XFreeDeviceList(devices);
}

PhysicalKeyboard::~PhysicalKeyboard() {
    if (device_ != nullptr) XCloseDevice(display_, device_);
    if (display_ != nullptr) XCloseDisplay(display_);
}

void PhysicalKeyboard::key(unsigned long keysym, bool down) {
    const KeyCode keycode = XKeysymToKeycode(display_, keysym);
    XTestFakeDeviceKeyEvent(display_, device_, keycode, down ? True : False, nullptr, 0, CurrentTime);
    XSync(display_, False);
}

void PhysicalKeyboard::tap(unsigned long keysym) {
    key(keysym, true);
    key(keysym, false);
}

void PhysicalKeyboard::tapKeycode(unsigned keycode) {
    for (Bool down : {True, False}) XTestFakeDeviceKeyEvent(display_, device_, keycode, down, nullptr, 0, CurrentTime);
    XSync(display_, False);
}

bool keyDown(Display* display, unsigned long keysym) {
    char keys[32];
    XQueryKeymap(display, keys);
    const KeyCode kc = XKeysymToKeycode(display, keysym);
    return (keys[kc / 8] & (1 << (kc % 8))) != 0;
}

void WaitingSink::postHookMessage(const HookMessage& message) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(message);
    }
    cv_.notify_all();
}

HookMessage WaitingSink::waitFor(HookMsg msg, std::chrono::milliseconds deadline) {
    return waitFor([msg](const HookMessage& m) { return m.msg == msg; }, deadline);
}

HookMessage WaitingSink::waitFor(const std::function<bool(const HookMessage&)>& match,
                                 std::chrono::milliseconds deadline) {
    return waitFrom(0, match, deadline);
}

HookMessage WaitingSink::waitFor(HookMsg msg, std::size_t from, std::chrono::milliseconds deadline) {
    return waitFrom(
        from, [msg](const HookMessage& m) { return m.msg == msg; }, deadline);
}

HookMessage WaitingSink::waitFrom(std::size_t from, const std::function<bool(const HookMessage&)>& match,
                                  std::chrono::milliseconds deadline) {
    std::unique_lock lock(mutex_);
    HookMessage found;
    cv_.wait_for(lock, deadline, [&] {
        for (std::size_t i = from; i < messages_.size(); ++i) {
            if (match(messages_[i])) {
                found = messages_[i];
                return true;
            }
        }
        return false;
    });
    return found;
}

std::vector<HookMessage> WaitingSink::messages() {
    std::lock_guard lock(mutex_);
    return messages_;
}

void WaitingSink::clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

}  // namespace orv::x11::test
