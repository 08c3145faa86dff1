#pragma once

// Helpers of the end-to-end tests: the target application as a child process, a keyboard that
// the server sees as a real (non-XTest) device, and a message sink that tests can wait on.

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hook_library.h"
#include "x11_wait.h"

namespace orv::x11::test {

using namespace std::chrono_literals;

// Whether there is a display to test on; resets its keyboard and pointer state when there is.
bool haveDisplay();
// Whether a missing display fails the tests instead of skipping them (ORVANTA_REQUIRE_DISPLAY=1,
// as the test script sets when it started a display for them).
bool displayRequired();

// In a fixture's SetUp: skips the test without a display, or fails it when one is required.
#define ORV_NEED_DISPLAY()                                                           \
    do {                                                                             \
        if (!::orv::x11::test::haveDisplay()) {                                      \
            if (::orv::x11::test::displayRequired()) GTEST_FAIL() << "no X display"; \
            GTEST_SKIP() << "no X display";                                          \
        }                                                                            \
    } while (false)

// The target application (a child process) and the lines it printed.
class TargetApp {
public:
    explicit TargetApp(const std::vector<std::string>& titles);
    ~TargetApp();
    TargetApp(const TargetApp&) = delete;
    TargetApp& operator=(const TargetApp&) = delete;

    // Waits for a line for which `match` holds (lines already read count); the line, or "".
    std::string waitForLine(const std::function<bool(const std::string&)>& match,
                            std::chrono::milliseconds deadline = kDeadline);
    // The window id of window `index` (waits for it to be shown).
    unsigned long window(int index);
    // Reads what has arrived without waiting.
    void poll();
    // The text received by window `index` so far (UTF-8), in order.
    std::string text(int index);
    // Waits until window `index` has received at least `bytes` bytes of text.
    std::string waitForText(int index, std::size_t bytes, std::chrono::milliseconds deadline = kDeadline);
    const std::vector<std::string>& lines() const { return lines_; }
    int pid() const { return pid_; }
    void clear() { lines_.clear(); }

private:
    bool readSome(int timeoutMs);
    int pid_ = -1;
    int fd_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
};

// Key events from the server's own keyboard device ("Xvfb keyboard"): to the hook library
// they are the user's typing, not injected input.
class PhysicalKeyboard {
public:
    PhysicalKeyboard();
    ~PhysicalKeyboard();
    bool valid() const { return device_ != nullptr; }
    void key(unsigned long keysym, bool down);
    void tap(unsigned long keysym);
    // Presses and releases the key `keycode`, whatever keysym it carries now.
    void tapKeycode(unsigned keycode);
    Display* display() const { return display_; }

private:
    Display* display_ = nullptr;
    XDevice* device_ = nullptr;
};

// Whether a keycode bound to `keysym` is down for the server (core keyboard state).
bool keyDown(Display* display, unsigned long keysym);

// A sink that keeps the posted messages and lets a test wait for one.
class WaitingSink final : public IHookMessageSink {
public:
    void postHookMessage(const HookMessage& message) override;
    // Waits for a message with number `msg` posted after the last clear(); nullopt-like: the
    // returned message has msg == HookMsg{} when none came.
    HookMessage waitFor(HookMsg msg, std::chrono::milliseconds deadline = kDeadline);
    HookMessage waitFor(const std::function<bool(const HookMessage&)>& match,
                        std::chrono::milliseconds deadline = kDeadline);
    // The same, among the messages from index `from` on (messages().size() before an action).
    HookMessage waitFor(HookMsg msg, std::size_t from, std::chrono::milliseconds deadline = kDeadline);
    std::vector<HookMessage> messages();
    void clear();

private:
    HookMessage waitFrom(std::size_t from, const std::function<bool(const HookMessage&)>& match,
                         std::chrono::milliseconds deadline);
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<HookMessage> messages_;
};

}  // namespace orv::x11::test
