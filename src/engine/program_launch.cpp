#include "engine/program_launch.h"

#include <algorithm>

#include "engine/command_catalogue.h"
#include "engine/window_control.h"
#include "platform/clock.h"
#include "platform/message_pump.h"
#include "platform/shell.h"

namespace orv {

namespace {
constexpr std::string_view kMacroWillAbort = " Macro will abort.";
}  // namespace

std::string launchFailureReason(int result) {
    switch (result) {
        case 0:
            return "the operating system is out of memory or resources.";
        case 2:
            return "the specified file was not found.";
        case 3:
            return "the specified path was not found.";
        case 5:
            return "the operating system denied access to the specified file.";
        case 8:
            return "there was not enough memory to complete the operation.";
        case 11:
            return "the .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
        case 26:
            return "a sharing violation occurred.";
        case 27:
            return "the filename association is incomplete or invalid.";
        case 31:
            return "there is no application associated with the given filename extension.";
        default:
            return "of an unknown Error #" + std::to_string(result) + ".";
    }
}

ProgramText splitProgramText(std::string_view text) {
    const std::size_t at = text.find(kParamTag);
    if (at == std::string_view::npos) return {std::string(text), {}};
    return {std::string(text.substr(0, at)), std::string(text.substr(at + kParamTag.size()))};
}

ProgramLauncher::ProgramLauncher(WindowControl& windows, IShell& shell, IMessagePump& pump, const IClock& clock,
                                 MessageFn message, PauseFn pauseNoSpeed)
    : windows_(windows),
      shell_(shell),
      pump_(pump),
      clock_(clock),
      message_(std::move(message)),
      pauseNoSpeed_(std::move(pauseNoSpeed)) {}

bool ProgramLauncher::LaunchProgram(std::string_view programText, int delaySeconds, int waitSeconds, bool waitForWindow,
                                    std::string_view launchTitle) {
    const ProgramText split = splitProgramText(programText);
    const int result = shell_.shellOpen("open", split.program, split.parameters, "");
    if (result >= 0 && result <= 32) {
        message_("Launch Error", "\"" + split.program + "\" failed to launch because " + launchFailureReason(result) +
                                     std::string(kMacroWillAbort));
        return false;
    }
    if (!waitForWindow) {
        if (delaySeconds > 0) pauseNoSpeed_(delaySeconds);
        return true;
    }
    const std::string_view title = launchTitle.substr(0, kLaunchTitleChars);
    if (WaitForWindowTitle(title, waitSeconds)) {
        if (delaySeconds > 0) pauseNoSpeed_(delaySeconds);
        return true;
    }
    message_("Launch Failed", "Specified window title of \"" + std::string(title) +
                                  "\" could not be found on your computer." + std::string(kMacroWillAbort));
    return false;
}

bool ProgramLauncher::WaitForWindowTitle(std::string_view title, int seconds) {
    // Elapsed time comes from the monotonic tick count, so a wait that spans midnight (or
    // any change of the wall clock) lasts exactly as long as asked.
    const std::uint64_t start = clock_.tickCount();
    const std::uint64_t limit = static_cast<std::uint64_t>(std::max(seconds, 0)) * 1000;
    for (;;) {
        if (windows_.ActivateIt(title)) return true;
        pump_.processMessages();
        const std::uint64_t elapsed = clock_.tickCount() - start;
        if (elapsed >= limit) return false;
        pump_.waitFor(static_cast<std::uint32_t>(std::min<std::uint64_t>(kWindowPollMs, limit - elapsed)));
    }
}

}  // namespace orv
