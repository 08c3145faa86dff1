// Playback control: pauses, timed waits, remarks, text boxes, repeats and counters, commands on
// other macros, switching the macro file.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "platform/macro_host.h"
#include "engine/command_handlers.h"
#include "engine/playback_engine.h"
#include "engine/repeat_blocks.h"
#include "engine/text_fields.h"
#include "platform/playback_windows.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_store.h"
#include "store/popup_menu_removal.h"

namespace orv {

namespace {

// The first loaded macro whose nickname is exactly `nick`, or 0.
int findMacro(const PlaybackServices& s, const std::string& nick, int from = 1) {
    if (s.table == nullptr || s.settings == nullptr) return 0;
    const int count = std::min(s.table->MacroCount(), kMaxMacros);
    for (int j = std::max(from, 1); j <= count; ++j)
        if (s.settings->nickName(j) == nick) return j;
    return 0;
}

class ControlCommands final : public ICommandFamily {
public:
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override {
        using C = ControlCommands;
        static constexpr HandlerTable<ControlCommands> kHandlers{
            {CommandId::Pause, &C::pause},
            {CommandId::PauseAt, &C::pauseAt},
            {CommandId::TextBox, &C::textBox},
            {CommandId::Delay, &C::delay},
            {CommandId::Msd, &C::delayMs},
            {CommandId::Rem, &C::remark},
            {CommandId::Counter1, &C::counter},
            {CommandId::Counter2, &C::counter},
            {CommandId::Counter3, &C::counter},
            {CommandId::Counter4, &C::counter},
            {CommandId::Repeat, &C::repeatCount},
            {CommandId::Rep, &C::repeatCount},
            {CommandId::Promptrep, &C::repeatPrompt},
            {CommandId::Endrep, &C::endRepeat},
            {CommandId::Macrun, &C::macRun},
            {CommandId::Macdel, &C::macDel},
            {CommandId::Macact, &C::macActivate},
            {CommandId::Macdeact, &C::macActivate},
            {CommandId::Swap, &C::swap},
        };
        return kHandlers.run(*this, engine, run, cmd);
    }

private:
    using Result = std::optional<std::size_t>;

    // "<PAUSE>": the pause window in the middle of the screen.
    Result pause(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        IPlaybackWindows& w = engine.services().windows;
        const int top = (w.screenHeight() - 94) / 2;
        const int left = (w.screenWidth() - 224) / 2;
        if (!engine.showPause(top, left, std::string())) run.stop = true;
        return cmd.end(run.pos);
    }

    // "<PAUSE:": the pause window at the given place (kept on screen) with a message.
    Result pauseAt(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const std::string_view text = run.text;
        IPlaybackWindows& w = engine.services().windows;
        int top = static_cast<int>(fieldNumber(text, run.pos, cmd.field(0)));
        int left = static_cast<int>(fieldNumber(text, run.pos, cmd.field(1)));
        const FreeText message = textParameter(text, run.pos, cmd);
        const std::string msg = message.shortString();
        const int messageHeight = msg.empty() ? 0 : static_cast<int>(msg.size() / 30) * 19 + 19;
        top = std::min(top, w.screenHeight() - messageHeight - 94);
        left = std::min(left, w.screenWidth() - 224);
        if (!engine.showPause(top, left, msg)) run.stop = true;
        return message.next;
    }

    // "<TBOX:<HEAD:": the title up to ">", then the text up to the next ">".
    Result textBox(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText title = textParameter(run.text, run.pos, cmd);
        const FreeText body = freeText(run.text, title.next);
        engine.MyMessage(title.shortString(), std::string(body.value));
        return body.next;
    }

    // "<DELAY:": seconds with two decimals, scaled by the speed factor.
    Result delay(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
        double seconds = 0;
        if (parseDecimal(fieldAt(run.text, run.pos, cmd.field(0)), seconds)) engine.PauseFor(seconds);
        return cmd.end(run.pos);
    }

    // "<MSD:": milliseconds.
    Result delayMs(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
        engine.waitMs(fieldNumber(run.text, run.pos, cmd.field(0)));
        return cmd.end(run.pos);
    }

    Result remark(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
        return textParameter(run.text, run.pos, cmd).next;
    }

    // "<I>" to "<IIII>": the repeat's counter, zero-padded to as many digits as the tag has "I"s.
    Result counter(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const long long value = static_cast<long long>(run.start) +
                                static_cast<long long>(run.step) * static_cast<long long>(run.runNumber - 1);
        const int width = static_cast<int>(cmd.tag.size()) - 2;
        char digits[32];
        std::snprintf(digits, sizeof digits, "%0*lld", width, value);
        engine.runNested(run, digits);
        return cmd.end(run.pos);
    }

    // "<REP:" (count, start, step) and the older "<REPEAT:" (count alone).
    Result repeatCount(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
        const std::uint32_t count = fieldNumber(run.text, run.pos, cmd.field(0));
        if (cmd.layout.fieldCount < 3) return repeat(engine, run, cmd.end(run.pos), count, 1, 1);
        return repeat(engine, run, cmd.end(run.pos), count, fieldNumber(run.text, run.pos, cmd.field(2)),
                      fieldNumber(run.text, run.pos, cmd.field(1)));
    }

    // "<PROMPTREP>": the count asked for when the macro plays.
    Result repeatPrompt(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const int count = engine.DoRepPrompt();
        return repeat(engine, run, cmd.end(run.pos), static_cast<std::uint32_t>(std::max(count, 0)), 1, 1);
    }

    Result endRepeat(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) { return cmd.end(run.pos); }

    // Runs the block from `blockStart` to its matching "<ENDREP>" `count` times.
    static std::size_t repeat(PlaybackEngine& engine, Interpretation& run, std::size_t blockStart, std::uint32_t count,
                              std::uint32_t step, std::uint32_t start) {
        const std::string_view text = run.text;
        const std::optional<std::size_t> end = findMatchingEndRep(text, blockStart);
        if (!end) {
            engine.DoAMessage("Repeat Error",
                              "No \"End Repeat\" that matches the initial repeat specified in the macro. "
                              "Macro will abort.");
            engine.state().abortRequested = true;
            return std::min(blockStart, text.size());
        }
        // Counts, start values and steps are unsigned 16-bit numbers.
        const auto runs = static_cast<std::uint16_t>(count);
        engine.runNested(run, text.substr(blockStart, *end - blockStart), static_cast<std::uint16_t>(step),
                         static_cast<std::uint16_t>(start), runs);
        return *end;
    }

    Result macRun(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText nick = freeText(run.text, run.pos + cmd.tag.size());
        const PlaybackServices& s = engine.services();
        const int j = findMacro(s, nick.shortString());
        if (j == 0 || s.store == nullptr) return nick.next;
        TMacroRecord record;
        if (!s.store->ReadMacroRecord(j, record) || record.isPopupMenu()) return nick.next;
        // The nested text is this command's own copy: the record may change while it plays.
        const std::string macroText = record.MacroText;
        engine.runNested(run, macroText);
        return nick.next;
    }

    Result macDel(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText param = freeText(run.text, run.pos + cmd.tag.size());
        const std::string nick = param.shortString();
        const PlaybackServices& s = engine.services();
        const int d = findMacro(s, nick);
        if (d == 0 || s.store == nullptr) return param.next;
        if (s.host != nullptr && !s.host->lockSharedFile()) {
            engine.DoAMessage("Macro Delete Error",
                              "Cannot delete macro \"" + nick + "\" because the macro file is in use by another user.");
            return param.next;
        }
        if (s.host != nullptr) s.host->beforeMacroDelete(d);
        const bool wasTimed = s.table->HotKeyCode(d) == kCodeTimed;
        const bool wasPopup = s.table->Scope(d) == kScopePopupMenu;
        // Take the macro out of every popup menu and renumber the entries after it.
        const bool deleted = removeMacro(*s.store, d, planMacroRemoval(*s.store, *s.table, d));
        if (s.host != nullptr) {
            if (deleted) s.host->macroDeleted(d, wasTimed, wasPopup);
            s.host->releaseSharedFile(deleted);
        }
        return param.next;
    }

    Result macActivate(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const bool active = cmd.id == CommandId::Macact;
        const FreeText param = freeText(run.text, run.pos + cmd.tag.size());
        const std::string nick = param.shortString();
        const PlaybackServices& s = engine.services();
        if (s.store == nullptr) return param.next;
        for (int j = findMacro(s, nick); j != 0; j = findMacro(s, nick, j + 1)) {
            if (s.table->Active(j) == active) continue;
            if (s.host != nullptr && !s.host->lockSharedFile()) {
                if (active)
                    engine.DoAMessage(
                        "Macro Activate Error",
                        "Cannot activate macro \"" + nick + "\" because the macro file is in use by another user.");
                else
                    engine.DoAMessage(
                        "Macro Deactivate Error",
                        "Cannot deactivate macro \"" + nick + "\" because the macro file is in use by another user.");
                continue;
            }
            // Writes the flag to the file, then sets it in memory and tells the hook library. A
            // failed write has been shown by the store and changes nothing else.
            const bool saved = s.store->SetMacroActive(j, active);
            if (s.host != nullptr) {
                if (saved) s.host->macroActiveChanged(j, s.table->HotKeyCode(j) == kCodeTimed);
                s.host->releaseSharedFile(saved);
            }
            break;
        }
        return param.next;
    }

    Result swap(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText param = freeText(run.text, run.pos + cmd.tag.size());
        const std::string path = param.shortString();
        const PlaybackServices& s = engine.services();
        if (s.store == nullptr || s.settings == nullptr) return param.next;
        if (s.host != nullptr && !s.host->beginMacroFileSwap(path)) return param.next;
        const std::string previous = s.settings->CurrentFile;
        s.settings->CurrentFile = path;
        s.store->LoadMacroFile(path);
        if (s.host != nullptr) s.host->macroFileSwapped(previous, path);
        return param.next;
    }
};

}  // namespace

std::unique_ptr<ICommandFamily> makeControlCommands() { return std::make_unique<ControlCommands>(); }

}  // namespace orv
