#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

class WindowControl;
class IShell;
class IMessagePump;
class IClock;

// The launch title that the launch-and-activate commands wait for keeps this many characters.
inline constexpr std::size_t kLaunchTitleChars = 30;

// How often a wait for a window looks again when no message has woken it.
inline constexpr std::uint32_t kWindowPollMs = 250;

// The reason shown for a failed shell result (0..32).
std::string launchFailureReason(int result);

// Program text split at "<PARAM>": the program before it, the parameters after it.
struct ProgramText {
    std::string program;
    std::string parameters;
};
ProgramText splitProgramText(std::string_view text);

// Starting programs and waiting for their windows.
class ProgramLauncher {
public:
    using MessageFn = std::function<void(const std::string& title, const std::string& text)>;
    using PauseFn = std::function<void(double seconds)>;

    // `message` shows the message window; `pauseNoSpeed` waits seconds while processing
    // messages, without the speed factor.
    ProgramLauncher(WindowControl& windows, IShell& shell, IMessagePump& pump, const IClock& clock, MessageFn message,
                    PauseFn pauseNoSpeed);

    // Opens the program text with the shell (the current directory applies). With
    // `waitForWindow`, waits up to `waitSeconds` for `launchTitle` to come up and activates
    // it; then (or at once without it) waits `delaySeconds`. Shows "Launch Error" or
    // "Launch Failed" and returns false on failure.
    bool LaunchProgram(std::string_view programText, int delaySeconds, int waitSeconds, bool waitForWindow,
                       std::string_view launchTitle = {});

    // Tries to activate a window by title until it succeeds or `seconds` have passed.
    bool WaitForWindowTitle(std::string_view title, int seconds);

private:
    WindowControl& windows_;
    IShell& shell_;
    IMessagePump& pump_;
    const IClock& clock_;
    MessageFn message_;
    PauseFn pauseNoSpeed_;
};

}  // namespace orv
