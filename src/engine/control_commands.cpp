// Playback control: pauses, timed waits, remarks, text boxes, repeats and counters, commands on
// other macros, switching the macro file.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "platform/macro_host.h"
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

constexpr std::string_view kEndRep = "<ENDREP>";

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
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) override {
        const std::string_view text = run.text;
        const std::size_t at = run.pos;
        switch (cmd.id) {
            case CommandId::Pause: {
                IPlaybackWindows& w = *engine.services().windows;
                const int top = (w.screenHeight() - 94) / 2;
                const int left = (w.screenWidth() - 224) / 2;
                if (!engine.showPause(top, left, std::string())) run.stop = true;
                return at + cmd.tag.size();
            }
            case CommandId::PauseAt:
                return pauseAt(engine, run);
            case CommandId::TextBox: {
                const FreeText title = freeText(text, at + cmd.tag.size());
                const FreeText body = freeText(text, title.next);
                engine.MyMessage(title.shortString(), std::string(body.value));
                return body.next;
            }
            case CommandId::Delay: {
                if (!charAt(text, at, 12, '>')) return std::nullopt;
                double seconds = 0;
                if (parseDecimal(fieldAt(text, at, 7, 5), seconds)) engine.PauseFor(seconds);
                return at + 13;
            }
            case CommandId::Msd:
                if (!charAt(text, at, 9, '>')) return std::nullopt;
                engine.waitMs(fieldNumber(text, at, 5, 4));
                return at + 10;
            case CommandId::Rem:
                return freeText(text, at + cmd.tag.size()).next;
            case CommandId::Counter1:
            case CommandId::Counter2:
            case CommandId::Counter3:
            case CommandId::Counter4:
                return counter(engine, run, cmd);
            case CommandId::Repeat:
                if (!charAt(text, at, 12, '>')) return std::nullopt;
                return repeat(engine, run, at + 13, fieldNumber(text, at, 8, 4), 1, 1);
            case CommandId::Rep:
                if (!charAt(text, at, 23, '>')) return std::nullopt;
                return repeat(engine, run, at + 24, fieldNumber(text, at, 5, 4), fieldNumber(text, at, 17, 6),
                              fieldNumber(text, at, 10, 6));
            case CommandId::Promptrep: {
                const int count = engine.DoRepPrompt();
                return repeat(engine, run, at + cmd.tag.size(), static_cast<std::uint32_t>(std::max(count, 0)), 1, 1);
            }
            case CommandId::Endrep:
                return at + kEndRep.size();
            case CommandId::Macrun:
                return macRun(engine, run, cmd);
            case CommandId::Macdel:
                return macDel(engine, run, cmd);
            case CommandId::Macact:
                return macActivate(engine, run, cmd, true);
            case CommandId::Macdeact:
                return macActivate(engine, run, cmd, false);
            case CommandId::Swap:
                return swap(engine, run, cmd);
            default:
                return std::nullopt;
        }
    }

private:
    static std::size_t pauseAt(PlaybackEngine& engine, Interpretation& run) {
        const std::string_view text = run.text;
        const std::size_t at = run.pos;
        IPlaybackWindows& w = *engine.services().windows;
        int top = static_cast<int>(fieldNumber(text, at, 7, 3));
        int left = static_cast<int>(fieldNumber(text, at, 11, 3));
        const FreeText message = freeText(text, at + 14);
        const std::string msg = message.shortString();
        const int messageHeight = msg.empty() ? 0 : static_cast<int>(msg.size() / 30) * 19 + 19;
        top = std::min(top, w.screenHeight() - messageHeight - 94);
        left = std::min(left, w.screenWidth() - 224);
        if (!engine.showPause(top, left, msg)) run.stop = true;
        return message.next;
    }

    static std::size_t counter(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
        const long long value = static_cast<long long>(run.start) +
                                static_cast<long long>(run.step) * static_cast<long long>(run.runNumber - 1);
        int width = 0;
        switch (cmd.id) {
            case CommandId::Counter4:
                width = 4;
                break;
            case CommandId::Counter3:
                width = 3;
                break;
            case CommandId::Counter2:
                width = 2;
                break;
            default:
                width = 0;
                break;
        }
        char digits[32];
        std::snprintf(digits, sizeof digits, "%0*lld", width, value);
        engine.runNested(run, digits);
        return run.pos + cmd.tag.size();
    }

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

    static std::size_t macRun(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
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

    static std::size_t macDel(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
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

    static std::size_t macActivate(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd, bool active) {
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

    static std::size_t swap(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
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
