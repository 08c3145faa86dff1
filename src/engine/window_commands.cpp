// Window and program commands: activation, launching, and the window state, size and
// position commands.
#include "engine/window_commands.h"

#include "engine/playback_engine.h"
#include "engine/program_launch.h"
#include "engine/signed_fields.h"
#include "engine/text_fields.h"
#include "engine/window_control.h"
#include "platform/clock.h"
#include "platform/message_pump.h"
#include "platform/shell.h"

namespace orv {

namespace {

constexpr std::string_view kMacroWillAbort = " Macro will abort.";
// "<LAUNCHNO:" and its kin wait this long for the launch title.
constexpr int kLaunchNoWaitSeconds = 12;
// What the command dialog writes between the launch title and the program text.
constexpr std::size_t kLaunchTagSkip = 8;

// The window a state, size or position command works on; 0 for none.
WindowId targetWindow(WindowControl& control, std::string_view title) {
    if (title.empty()) return 0;
    if (title == kCurrentWindowTitle) return control.windows().foregroundWindow();
    WindowId window = 0;
    control.GetWinHandle(window, title);
    return window;
}

}  // namespace

LaunchText launchText(std::string_view text, std::size_t from) {
    const FreeText first = freeText(text, from);
    if (first.value.find("<PARAM") == std::string_view::npos || first.next >= text.size()) {
        return {first.value, first.next};
    }
    const FreeText second = freeText(text, first.next);
    // The program text takes in the ">" of "<PARAM>" and the parameters after it.
    const std::size_t end =
        second.next == text.size() && (text.empty() || text.back() != '>') ? text.size() : second.next - 1;
    return {text.substr(from, end - from), second.next};
}

std::optional<std::size_t> WindowCommands::perform(PlaybackEngine& engine, Interpretation& run,
                                                   const CommandSpec& cmd) {
    const std::string_view text = run.text;
    const std::size_t at = run.pos;
    IWindowSystem& windows = control_.windows();

    auto activate = [&](std::string_view title) {
        if (!control_.ActivateIt(title)) return false;
        engine.state().HotKeyWindow = static_cast<std::int32_t>(control_.lastActivated());
        return true;
    };

    // Launching needs the engine's shell; without one the launch commands do nothing.
    auto launch = [&](std::string_view program, int delay, int waitSeconds, bool waitForWindow,
                      std::string_view title) {
        const PlaybackServices& s = engine.services();
        if (s.shell == nullptr) return true;
        ProgramLauncher launcher(
            control_, *s.shell, *s.pump, *s.clock,
            [&engine](const std::string& t, const std::string& body) { engine.DoAMessage(t, body); },
            [&engine](double seconds) { engine.PauseForNoSpeed(seconds); });
        const bool ok = launcher.LaunchProgram(program, delay, waitSeconds, waitForWindow, title);
        if (ok && waitForWindow) engine.state().HotKeyWindow = static_cast<std::int32_t>(control_.lastActivated());
        return ok;
    };

    // The launch-and-activate commands: delay, optional wait, launch title up to "<", the
    // skipped "<LAUNCH:" and the program text.
    auto launchAndActivate = [&](std::size_t delayAt, std::size_t waitAt, std::size_t titleAt, bool tryFirst) {
        const int delay = static_cast<int>(fieldNumber(text, at, delayAt, 2));
        const int waitSeconds = waitAt == 0 ? kLaunchNoWaitSeconds : static_cast<int>(fieldNumber(text, at, waitAt, 2));
        const std::size_t titleFrom = std::min(at + titleAt, text.size());
        std::size_t titleEnd = text.find('<', titleFrom);
        if (titleEnd == std::string_view::npos) titleEnd = text.size();
        const std::string_view title = text.substr(titleFrom, titleEnd - titleFrom).substr(0, kLaunchTitleChars);
        const LaunchText program = launchText(text, std::min(titleEnd + kLaunchTagSkip, text.size()));
        if (tryFirst && activate(title)) return program.next;
        return launch(program.program, delay, waitSeconds, true, title) ? program.next : text.size();
    };

    switch (cmd.id) {
        case CommandId::Activate: {
            const FreeText title = freeText(text, at + 10);
            if (activate(title.shortString())) return title.next;
            engine.DoAMessage("Activate Command Failed", "Specified window title of \"" + title.shortString() +
                                                             "\" could not be found on your computer." +
                                                             std::string(kMacroWillAbort));
            return text.size();
        }
        case CommandId::Launch: {
            const LaunchText program = launchText(text, at + 8);
            return launch(program.program, 0, 0, false, {}) ? program.next : text.size();
        }
        case CommandId::Launchdel: {
            const int delay = static_cast<int>(fieldNumber(text, at, 11, 2));
            const LaunchText program = launchText(text, at + 13);
            return launch(program.program, delay, 0, false, {}) ? program.next : text.size();
        }
        case CommandId::Launchno:
            return launchAndActivate(10, 0, 12, false);
        case CommandId::Launchyes:
            return launchAndActivate(11, 0, 13, true);
        case CommandId::Launchno2:
            return launchAndActivate(11, 13, 15, false);
        case CommandId::Launchyes2:
            return launchAndActivate(12, 14, 16, true);

        case CommandId::Wshut:
        case CommandId::Whide:
        case CommandId::Wshow:
        case CommandId::Wmax:
        case CommandId::Wmin:
        case CommandId::Wcls:
        case CommandId::Wres: {
            WindowAction action = WindowAction::Restore;
            std::size_t offset = 6;
            switch (cmd.id) {
                case CommandId::Wshut:
                    action = WindowAction::Quit, offset = 7;
                    break;
                case CommandId::Whide:
                    action = WindowAction::Hide, offset = 7;
                    break;
                case CommandId::Wshow:
                    action = WindowAction::Show, offset = 7;
                    break;
                case CommandId::Wmax:
                    action = WindowAction::Maximize;
                    break;
                case CommandId::Wmin:
                    action = WindowAction::Minimize;
                    break;
                case CommandId::Wcls:
                    action = WindowAction::Close;
                    break;
                default:
                    action = WindowAction::Restore;
                    break;
            }
            const FreeText title = freeText(text, at + offset);
            if (const WindowId window = targetWindow(control_, title.shortString()))
                windows.windowAction(window, action);
            return title.next;
        }
        case CommandId::Wsize: {
            const FreeText title = freeText(text, at + 16);
            if (const WindowId window = targetWindow(control_, title.shortString())) {
                windows.resizeWindow(window, static_cast<int>(fieldNumber(text, at, 7, 4)),
                                     static_cast<int>(fieldNumber(text, at, 12, 4)));
            }
            return title.next;
        }
        case CommandId::Wpos:
        case CommandId::Wpos2: {
            const bool wide = cmd.id == CommandId::Wpos2;
            const FreeText title = freeText(text, at + (wide ? 18 : 15));
            if (const WindowId window = targetWindow(control_, title.shortString())) {
                const int left = wide ? signedField(text, at, 7, 5) : static_cast<int>(fieldNumber(text, at, 6, 4));
                const int top = wide ? signedField(text, at, 13, 5) : static_cast<int>(fieldNumber(text, at, 11, 4));
                windows.moveWindow(window, left, top);
            }
            return title.next;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace orv
