#pragma once

#include <array>
#include <optional>
#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// The 54 keys of the key-press wait; a key's position is its key number in the wait command.
const std::array<std::string, 54>& waitKeyNames();

// "Wait For" (TDoWaitWin): the ten wait commands.
struct TDoWaitWinTypes {
    // Kind numbers, in the order of the dialog's choices.
    enum Kind { Window = 1, LoseFocus, Program, Key, Text, LeftClick, RightClick, MiddleClick, Playback, Time };

    struct Values {
        int kind = Window;
        // The time limit in minutes (0: no limit) or, for a time to elapse, the total seconds.
        long number = 10;
        // The window title, program name or text waited for.
        std::string text;
        bool caseSensitive = false;
        // The key's list position, -1 when none.
        int key = 50;
    };
};
class TDoWaitWin final : public ValuesDialog<TDoWaitWinTypes> {
public:
    TDoWaitWin();
    std::string_view typeName() const override { return "TDoWaitWin"; }
    std::string caption() const override { return "Wait For"; }
    // Fills the fields from a command being edited.
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    // The window title, program, text or key the wait is for; a failure when it is missing.
    std::optional<Outcome> checkSubject(Values& v);
    // The time-out in minutes, or the time to wait; a failure when it is out of range.
    std::optional<Outcome> checkTime(Values& v);
};

}  // namespace orv::dialogs
