// Window and program commands: activation, launching, and the window state, size and
// position commands.
#include "engine/window_commands.h"

#include "engine/command_handlers.h"
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
    if (first.value.find(kParamStart) == std::string_view::npos || first.next >= text.size()) {
        return {first.value, first.next};
    }
    const FreeText second = freeText(text, first.next);
    // The program text takes in the ">" of "<PARAM>" and the parameters after it.
    const std::size_t end =
        second.next == text.size() && (text.empty() || text.back() != '>') ? text.size() : second.next - 1;
    return {text.substr(from, end - from), second.next};
}

std::optional<std::size_t> WindowCommands::perform(PlaybackEngine& engine, Interpretation& run,
                                                   const CommandEntry& cmd) {
    using W = WindowCommands;
    static constexpr HandlerTable<WindowCommands> kHandlers{
        {CommandId::Activate, &W::activate},
        {CommandId::Launch, &W::launch},
        {CommandId::Launchdel, &W::launch},
        {CommandId::Launchno, &W::launchAndActivate},
        {CommandId::Launchyes, &W::launchAndActivate},
        {CommandId::Launchno2, &W::launchAndActivate},
        {CommandId::Launchyes2, &W::launchAndActivate},
        {CommandId::Wshut, &W::windowState},
        {CommandId::Whide, &W::windowState},
        {CommandId::Wshow, &W::windowState},
        {CommandId::Wmax, &W::windowState},
        {CommandId::Wmin, &W::windowState},
        {CommandId::Wcls, &W::windowState},
        {CommandId::Wres, &W::windowState},
        {CommandId::Wsize, &W::resize},
        {CommandId::Wpos, &W::reposition},
        {CommandId::Wpos2, &W::reposition},
    };
    return kHandlers.run(*this, engine, run, cmd);
}

bool WindowCommands::activateTitle(PlaybackEngine& engine, std::string_view title) {
    if (!control_.ActivateIt(title)) return false;
    engine.state().HotKeyWindow = static_cast<std::int32_t>(control_.lastActivated());
    return true;
}

bool WindowCommands::startProgram(PlaybackEngine& engine, std::string_view program, int delay, int waitSeconds,
                                  bool waitForWindow, std::string_view title) {
    const PlaybackServices& s = engine.services();
    if (s.shell == nullptr) return true;
    ProgramLauncher launcher(
        control_, *s.shell, s.pump, s.clock,
        [&engine](const std::string& t, const std::string& body) { engine.DoAMessage(t, body); },
        [&engine](double seconds) { engine.PauseForNoSpeed(seconds); });
    const bool ok = launcher.LaunchProgram(program, delay, waitSeconds, waitForWindow, title);
    if (ok && waitForWindow) engine.state().HotKeyWindow = static_cast<std::int32_t>(control_.lastActivated());
    return ok;
}

// "<ACTIVATE:": a window that cannot be found ends the macro with a message.
std::optional<std::size_t> WindowCommands::activate(PlaybackEngine& engine, Interpretation& run,
                                                    const CommandEntry& cmd) {
    const FreeText title = textParameter(run.text, run.pos, cmd);
    if (activateTitle(engine, title.shortString())) return title.next;
    engine.DoAMessage("Activate Command Failed", "Specified window title of \"" + title.shortString() +
                                                     "\" could not be found on your computer." +
                                                     std::string(kMacroWillAbort));
    return run.text.size();
}

// "<LAUNCH:" and "<LAUNCHDEL:" (after a delay): a failed launch ends the macro.
std::optional<std::size_t> WindowCommands::launch(PlaybackEngine& engine, Interpretation& run,
                                                  const CommandEntry& cmd) {
    const int delay = cmd.layout.fieldCount > 0 ? static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(0))) : 0;
    const LaunchText program = launchText(run.text, run.pos + cmd.layout.text);
    return startProgram(engine, program.program, delay, 0, false, {}) ? program.next : run.text.size();
}

// "<LAUNCHNO:", "<LAUNCHYES:" and their forms with a time-out: a delay, the time-out, the title
// of the program's window up to "<", the "<LAUNCH:" and the program text. The "YES" forms first
// try to bring an open window with that title to the front.
std::optional<std::size_t> WindowCommands::launchAndActivate(PlaybackEngine& engine, Interpretation& run,
                                                             const CommandEntry& cmd) {
    const std::string_view text = run.text;
    const std::size_t at = run.pos;
    const int delay = static_cast<int>(fieldNumber(text, at, cmd.field(0)));
    const int waitSeconds =
        cmd.layout.fieldCount > 1 ? static_cast<int>(fieldNumber(text, at, cmd.field(1))) : kLaunchNoWaitSeconds;
    const std::size_t titleFrom = std::min(at + cmd.layout.text, text.size());
    std::size_t titleEnd = text.find('<', titleFrom);
    if (titleEnd == std::string_view::npos) titleEnd = text.size();
    const std::string_view title = text.substr(titleFrom, titleEnd - titleFrom).substr(0, kLaunchTitleChars);
    const LaunchText program = launchText(text, std::min(titleEnd + tagOf(CommandId::Launch).size(), text.size()));
    const bool tryFirst = cmd.id == CommandId::Launchyes || cmd.id == CommandId::Launchyes2;
    if (tryFirst && activateTitle(engine, title)) return program.next;
    return startProgram(engine, program.program, delay, waitSeconds, true, title) ? program.next : text.size();
}

// The window commands that change a window's state.
std::optional<std::size_t> WindowCommands::windowState(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    static constexpr std::pair<CommandId, WindowAction> kActions[] = {
        {CommandId::Wshut, WindowAction::Quit},    {CommandId::Whide, WindowAction::Hide},
        {CommandId::Wshow, WindowAction::Show},    {CommandId::Wmax, WindowAction::Maximize},
        {CommandId::Wmin, WindowAction::Minimize}, {CommandId::Wcls, WindowAction::Close},
        {CommandId::Wres, WindowAction::Restore},
    };
    WindowAction action = WindowAction::Restore;
    for (const auto& [id, a] : kActions)
        if (id == cmd.id) action = a;
    const FreeText title = textParameter(run.text, run.pos, cmd);
    if (const WindowId window = targetWindow(control_, title.shortString()))
        control_.windows().windowAction(window, action);
    return title.next;
}

std::optional<std::size_t> WindowCommands::resize(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const FreeText title = textParameter(run.text, run.pos, cmd);
    if (const WindowId window = targetWindow(control_, title.shortString())) {
        control_.windows().resizeWindow(window, static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(0))),
                                        static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(1))));
    }
    return title.next;
}

// "<WPOS:" takes unsigned 4-digit positions; "<WPOS2:" signed 5-character ones.
std::optional<std::size_t> WindowCommands::reposition(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const FreeText title = textParameter(run.text, run.pos, cmd);
    if (const WindowId window = targetWindow(control_, title.shortString())) {
        auto coordinate = [&](const TagField& f) {
            return cmd.id == CommandId::Wpos2 ? signedField(run.text, run.pos, f.at, f.width)
                                              : static_cast<int>(fieldNumber(run.text, run.pos, f));
        };
        control_.windows().moveWindow(window, coordinate(cmd.field(0)), coordinate(cmd.field(1)));
    }
    return title.next;
}

}  // namespace orv
