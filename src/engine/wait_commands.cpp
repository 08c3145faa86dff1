// Wait commands: window titles, programs, typed text, keys, mouse clicks, the marker key and
// plain time.
#include "engine/wait_commands.h"

#include <algorithm>

#include "engine/ansi_upper.h"
#include "engine/command_handlers.h"
#include "engine/playback_engine.h"
#include "engine/signed_fields.h"
#include "engine/text_fields.h"
#include "engine/window_control.h"
#include "platform/clock.h"
#include "platform/message_pump.h"
#include "platform/thread_sleep.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

constexpr std::string_view kMinutesAbort = " minutes.  Macro will abort.";

// Measures a wait against its time-out in minutes (0: none) on the monotonic tick count, so
// that midnight and changes of the wall clock do not matter.
class Deadline {
public:
    Deadline(const IClock& clock, std::uint32_t minutes)
        : clock_(clock), start_(clock.tickCount()), limit_(static_cast<std::uint64_t>(minutes) * 60000) {}
    bool unlimited() const { return limit_ == 0; }
    bool passed() const { return !unlimited() && clock_.tickCount() - start_ >= limit_; }
    // How long to block before looking again.
    std::uint32_t nextWait(std::uint32_t poll) const {
        if (unlimited()) return poll;
        const std::uint64_t elapsed = clock_.tickCount() - start_;
        const std::uint64_t left = elapsed >= limit_ ? 1 : limit_ - elapsed;
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(poll, left));
    }

private:
    const IClock& clock_;
    std::uint64_t start_;
    std::uint64_t limit_;
};

enum class WaitEnd { Met, TimedOut, Aborted };

// Processes messages and tests the condition until it holds, the time-out passes or the
// abort flag is set.
template <typename Condition>
WaitEnd waitUntil(PlaybackEngine& engine, std::uint32_t minutes, std::uint32_t poll, Condition condition) {
    const PlaybackServices& s = engine.services();
    const Deadline deadline(s.clock, minutes);
    for (;;) {
        s.pump.processMessages();
        if (condition()) return WaitEnd::Met;
        if (engine.state().abortRequested) return WaitEnd::Aborted;
        if (deadline.passed()) return WaitEnd::TimedOut;
        // Nothing could ever end this wait: the macro stops here instead of waiting forever.
        if (deadline.unlimited() && !s.pump.inputPossible()) {
            engine.requestAbort();
            return WaitEnd::Aborted;
        }
        s.pump.waitFor(deadline.nextWait(poll));
    }
}

void timeOut(PlaybackEngine& engine, const std::string& title, const std::string& text) {
    engine.DoAMessage(title, text);
    engine.state().abortRequested = true;
}

}  // namespace

WaitKey waitKeyFor(int n) {
    if (n >= 0 && n <= 25) return {65 + n, std::string(1, static_cast<char>('A' + n))};
    if (n >= 26 && n <= 35) return {48 + n - 26, std::string(1, static_cast<char>('0' + n - 26))};
    if (n >= 36 && n <= 47) return {112 + n - 36, "F" + std::to_string(n - 35)};
    switch (n) {
        case 48:
            return {27, "ESC"};
        case 49:
            return {9, "TAB"};
        case 50:
            return {13, "ENTER"};
        case 51:
            return {17, "CTRL"};
        case 52:
            return {18, "ALT"};
        case 53:
            return {16, "SHIFT"};
        default:
            return {0, ""};
    }
}

void WaitCommands::setFlag(std::size_t offset, bool on) {
    table_.setU8(offset, on ? 1 : 0);
    hooks_.OrvUpWaits(table_);
}

bool WaitCommands::handleHookMessage(const HookMessage& m) {
    switch (m.msg) {
        case HookMsg::WaitClick:
            if (m.wParam == 1)
                input_.clickedLeft = true;
            else if (m.wParam == 2)
                input_.clickedRight = true;
            else if (m.wParam == 3)
                input_.clickedMiddle = true;
            return true;
        case HookMsg::WaitKey:
            input_.lastKey = static_cast<int>(m.wParam);
            return true;
        case HookMsg::WaitText:
            if (m.wParam == 1) {
                input_.typed.clear();
            } else if (m.lParam == 8) {
                if (!input_.typed.empty()) input_.typed.pop_back();
            } else {
                input_.typed += static_cast<char>(m.lParam & 0xFF);
                if (input_.typed.size() > input_.awaitedLength)
                    input_.typed.erase(0, input_.typed.size() - input_.awaitedLength);
            }
            return true;
        case HookMsg::WaitMarker:
            table_.setU8(TActivationTable::oWaitMarker, 0);
            return true;
        default:
            return false;
    }
}

std::optional<std::size_t> WaitCommands::perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    static constexpr HandlerTable<WaitCommands> kHandlers{
        {CommandId::Waitwin, &WaitCommands::waitWindow},      {CommandId::Waitwlf, &WaitCommands::waitWindow},
        {CommandId::Waitprog, &WaitCommands::waitProgramEnd}, {CommandId::Waittxty, &WaitCommands::waitText},
        {CommandId::Waittxtn, &WaitCommands::waitText},       {CommandId::Waitkey, &WaitCommands::waitKey},
        {CommandId::Waitlm, &WaitCommands::waitClick},        {CommandId::Waitrm, &WaitCommands::waitClick},
        {CommandId::Waitmm, &WaitCommands::waitClick},        {CommandId::Waitpb, &WaitCommands::waitPlayback},
        {CommandId::Waittime, &WaitCommands::waitTime},
    };
    return kHandlers.run(*this, engine, run, cmd);
}

// "<WAITWIN:" until a window whose title holds the text is in front; "<WAITWLF:" until the
// window in front no longer has such a title.
std::optional<std::size_t> WaitCommands::waitWindow(PlaybackEngine& engine, Interpretation& run,
                                                    const CommandEntry& cmd) {
    const std::uint32_t minutes = fieldNumber(run.text, run.pos, cmd.field(0));
    const FreeText param = textParameter(run.text, run.pos, cmd);
    const std::string wanted = ansiUpper(param.shortString());
    const bool losesFocus = cmd.id == CommandId::Waitwlf;
    EngineState& state = engine.state();
    IWindowSystem& windows = control_.windows();
    const WaitEnd end = waitUntil(engine, minutes, kDesktopWaitPollMs, [&] {
        const WindowId foreground = windows.foregroundWindow();
        if (losesFocus) state.HotKeyWindow = static_cast<std::int32_t>(foreground);
        const std::string title = foreground != 0 ? control_.titleOf(foreground) : std::string();
        if (title.empty()) return false;
        const bool contains = ansiUpper(title).find(wanted) != std::string::npos;
        if (losesFocus) return !contains;
        if (contains && minutes == 0) state.HotKeyWindow = static_cast<std::int32_t>(foreground);
        return contains;
    });
    if (end == WaitEnd::TimedOut) {
        timeOut(engine, "Wait For Window Error",
                "The Window Title of \"" + wanted + (losesFocus ? "\" did not lose focus" : ".\" did not appear") +
                    " within the specified time of " + std::to_string(minutes) + std::string(kMinutesAbort));
    }
    return param.next;
}

// "<WAITPROG:" until no running program's name holds the text.
std::optional<std::size_t> WaitCommands::waitProgramEnd(PlaybackEngine& engine, Interpretation& run,
                                                        const CommandEntry& cmd) {
    const std::uint32_t minutes = fieldNumber(run.text, run.pos, cmd.field(0));
    const FreeText param = textParameter(run.text, run.pos, cmd);
    const std::string wanted = ansiUpper(param.shortString());
    const WaitEnd end = waitUntil(engine, minutes, kDesktopWaitPollMs, [&] {
        const int count = std::clamp(table_.RunningCount(), 0, kMaxRunningPrograms);
        for (int i = 1; i <= count; ++i)
            if (table_.RunningProgram(i).find(wanted) != std::string::npos) return false;
        return true;
    });
    if (end == WaitEnd::TimedOut) {
        timeOut(engine, "Wait For Window Error",
                "The Window Title of \"" + wanted + ".\" did not appear within the specified time of " +
                    std::to_string(minutes) + std::string(kMinutesAbort));
    }
    return param.next;
}

// "<WAITTXTY:" (exact) and "<WAITTXTN:" (any case) until the user has typed the text.
std::optional<std::size_t> WaitCommands::waitText(PlaybackEngine& engine, Interpretation& run,
                                                  const CommandEntry& cmd) {
    const std::uint32_t minutes = fieldNumber(run.text, run.pos, cmd.field(0));
    const FreeText param = textParameter(run.text, run.pos, cmd);
    const std::string awaited = param.shortString();
    const bool exact = cmd.id == CommandId::Waittxty;
    const std::string awaitedUpper = ansiUpper(awaited);
    input_.awaitedLength = awaited.size();
    input_.typed.clear();
    setFlag(TActivationTable::oWaitText, true);
    const WaitEnd end = waitUntil(engine, minutes, kInputWaitPollMs, [&] {
        return exact ? input_.typed == awaited : ansiUpper(input_.typed) == awaitedUpper;
    });
    if (end == WaitEnd::TimedOut) {
        timeOut(engine, "Wait For Text Error",
                " Text \"" + awaited + "\" was not typed within the specified time of " + std::to_string(minutes) +
                    std::string(kMinutesAbort));
    }
    setFlag(TActivationTable::oWaitText, false);
    return param.next;
}

// "<WAITKEY:" until the key of the given number is pressed.
std::optional<std::size_t> WaitCommands::waitKey(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    const std::uint32_t minutes = fieldNumber(run.text, run.pos, cmd.field(0));
    const FreeText param = textParameter(run.text, run.pos, cmd);
    const WaitKey key = waitKeyFor(signedNumber(param.value.substr(0, 255)));
    setFlag(TActivationTable::oWaitKeyPress, true);
    input_.lastKey = 0;
    const WaitEnd end = waitUntil(engine, minutes, kInputWaitPollMs,
                                  [&] { return key.virtualKey != 0 && input_.lastKey == key.virtualKey; });
    if (end == WaitEnd::TimedOut) {
        timeOut(engine, "Wait For Key Press",
                "The \"" + key.name + "\" key was not pressed within the specified time of " + std::to_string(minutes) +
                    std::string(kMinutesAbort));
    }
    setFlag(TActivationTable::oWaitKeyPress, false);
    return param.next;
}

// "<WAITLM:", "<WAITRM:" and "<WAITMM:" until that mouse button is clicked.
std::optional<std::size_t> WaitCommands::waitClick(PlaybackEngine& engine, Interpretation& run,
                                                   const CommandEntry& cmd) {
    const std::uint32_t minutes = fieldNumber(run.text, run.pos, cmd.field(0));
    input_.clickedLeft = input_.clickedRight = input_.clickedMiddle = false;
    setFlag(TActivationTable::oWaitMouseClick, true);
    const bool left = cmd.id == CommandId::Waitlm;
    const bool right = cmd.id == CommandId::Waitrm;
    const bool* flag = left ? &input_.clickedLeft : right ? &input_.clickedRight : &input_.clickedMiddle;
    const char* name = left ? "Left" : right ? "Right" : "Middle";
    const WaitEnd end = waitUntil(engine, minutes, kInputWaitPollMs, [&] { return *flag; });
    if (end == WaitEnd::TimedOut) {
        timeOut(engine, "Wait For Mouse Click Error",
                std::string(name) + " click did not occur within the specified time of " + std::to_string(minutes) +
                    std::string(kMinutesAbort));
    }
    setFlag(TActivationTable::oWaitMouseClick, false);
    return std::min(cmd.end(run.pos), run.text.size());
}

// "<WAITPB>": types the marker key and waits until it has come back through the hook, that is
// until the keys typed before it have been handled.
std::optional<std::size_t> WaitCommands::waitPlayback(PlaybackEngine& engine, Interpretation& run,
                                                      const CommandEntry& cmd) {
    const PlaybackServices& s = engine.services();
    setFlag(TActivationTable::oWaitMarker, true);
    engine.PauseForNoSpeed(0.1);
    engine.PostVKey(kVkExecute, 0);
    engine.PostVKey(kVkExecute, 1);
    // The clear-wait timer: the marker key gets 30 seconds to come back through the hook.
    const std::uint64_t start = s.clock.tickCount();
    for (;;) {
        s.pump.processMessages();
        if (table_.u8(TActivationTable::oWaitMarker) == 0) break;
        const std::uint64_t elapsed = s.clock.tickCount() - start;
        if (elapsed >= kClearWaitMs) break;
        s.pump.waitFor(static_cast<std::uint32_t>(std::min<std::uint64_t>(kInputWaitPollMs, kClearWaitMs - elapsed)));
    }
    setFlag(TActivationTable::oWaitMarker, false);
    return cmd.end(run.pos);
}

// "<WAITTIME:": sleeps the given seconds (as given, not scaled by the speed factor).
std::optional<std::size_t> WaitCommands::waitTime(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const std::uint64_t seconds = fieldNumber(run.text, run.pos, cmd.field(0));
    sleeper_.sleepMs(seconds * 1000);
    return std::min(cmd.end(run.pos), run.text.size());
}

}  // namespace orv
