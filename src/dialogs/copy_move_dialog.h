#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_model.h"
#include "store/macro_record.h"

namespace orv::dialogs {

// The ShortKey name rule shared with the editors: letters, digits and ! # $ % & * + , - . / ;
// < = > ? ^ _ @. Empty when the name is valid, else the message.
std::string shortKeyNameProblem(const std::string& trimmedName);

// The hotkey codes 0..720 that the operating system may use itself.
bool isReservedHotKey(int code);
// The question asked before such a hotkey is given to a macro.
std::string reservedHotKeyQuestion(const std::string& name);

// A row of the hotkey list: the name followed by its use count.
std::string hotKeyListRow(const std::string& name, int macrosUsing);

// "Copy Hot Key" / "Move Hot Key" (TCopyOrMove): gives the macro in the current record buffer
// another activation. Makes no command; on success `record()` holds the changed record.
struct TCopyOrMoveTypes {
    struct Values {
        int hotKeyCode = 0;
        bool scheduleDefaulted = false;  // the macro became timed and got the default schedule
        bool showSchedule = false;       // the caller shows "Set Schedule" next
        bool raiseMacroCount = false;    // a copy: the caller counts one macro more
    };
};
class TCopyOrMove final : public ValuesDialog<TCopyOrMoveTypes> {
public:
    TCopyOrMove();
    std::string_view typeName() const override { return "TCopyOrMove"; }
    std::string caption() const override { return get("mode") == "move" ? "Move Hot Key" : "Copy Hot Key"; }
    // "COPY Timed Macro TO", "MOVE Macro TO", "COPY Ctrl+A TO" ...
    std::string heading() const;

    // The record being copied or moved; the hotkey codes used by macros of scope Global or
    // PopUp Menu; the hotkey names (for the reserved-hotkey question and the heading).
    void setRecord(const TMacroRecord& record) { record_ = record; }
    void setExclusiveCodes(std::vector<bool> used) { exclusive_ = std::move(used); }
    void setHotKeyNames(std::function<std::string(int)> names) { names_ = std::move(names); }
    const TMacroRecord& record() const { return record_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
    void fieldChanged(std::string_view name) override;

private:
    std::string nameOf(int code) const { return names_ ? names_(code) : std::string(); }

    TMacroRecord record_;
    std::vector<bool> exclusive_;
    std::function<std::string(int)> names_;
};

}  // namespace orv::dialogs
