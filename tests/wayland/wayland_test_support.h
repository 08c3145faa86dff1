#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orv::wayland {
class WaylandKeyboardInput;
}

namespace orv::wayland::test {

using namespace std::chrono_literals;
inline constexpr auto kDeadline = 20s;

// Whether a compositor answers at WAYLAND_DISPLAY.
bool haveCompositor();
// Whether a missing compositor fails the tests instead of skipping them
// (ORVANTA_REQUIRE_WAYLAND=1, as the test script sets when it started one for them).
bool compositorRequired();

#define ORV_NEED_COMPOSITOR()                                                                \
    do {                                                                                     \
        if (!::orv::wayland::test::haveCompositor()) {                                       \
            if (::orv::wayland::test::compositorRequired()) GTEST_FAIL() << "no compositor"; \
            GTEST_SKIP() << "no Wayland compositor";                                         \
        }                                                                                    \
    } while (false)

// The test application as a Wayland client (a child process), one window per title, and the
// lines it prints ("key <window> <text as hex> ...").
class WaylandTarget {
public:
    // `options` go to the application ("--stamped": the benchmarks' lines; "--report-text": the
    // field's whole text after each change); `platform` is its Qt platform ("xcb": an X11 client).
    explicit WaylandTarget(const std::vector<std::string>& titles, const std::vector<std::string>& options = {},
                           const char* platform = "wayland");
    ~WaylandTarget();
    WaylandTarget(const WaylandTarget&) = delete;
    WaylandTarget& operator=(const WaylandTarget&) = delete;

    // Waits until window `index` has received at least `bytes` bytes of text (UTF-8); what it has.
    std::string waitForText(int index, std::size_t bytes, std::chrono::milliseconds deadline = kDeadline);
    // Waits for a line that starts with `prefix`; false on the deadline.
    bool waitForLine(const std::string& prefix, std::chrono::milliseconds deadline = kDeadline);
    // Reads lines until `done` holds for all lines so far; false on the deadline.
    bool waitUntil(const std::function<bool(const std::vector<std::string>&)>& done,
                   std::chrono::milliseconds deadline = kDeadline);
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }
    int pid() const { return pid_; }
    // Taps Shift until window `index` reports it: a window the compositor has just activated
    // takes keys only once the toolkit has handled the activation. False on the deadline.
    bool waitUntilTakingKeys(int index, WaylandKeyboardInput& keyboard);
    // Everything printed so far, one line after another (for failure messages).
    std::string transcript() const;

private:
    bool readSome(int timeoutMs);
    std::string text(int index) const;

    int pid_ = -1;
    int fd_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
};

// Asks `check` every few milliseconds until it holds (sway's IPC reports no change by itself);
// false on the deadline.
bool eventually(const std::function<bool()>& check, std::chrono::milliseconds deadline = kDeadline);

// Every printable Windows-1252 character, 0x20 to 0xFF, in code page order.
std::string printableWindows1252();

// A program run to its end (at most kDeadline), its exit status (-1: killed) and standard error.
struct ProgramRun {
    int status = -1;
    std::string errors;
};
// `unset` names environment variables the program does not get.
ProgramRun runProgram(const std::vector<std::string>& args, const std::vector<std::string>& unset = {});

}  // namespace orv::wayland::test
