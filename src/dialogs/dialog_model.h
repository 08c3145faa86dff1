#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/dialog_queries.h"
#include "platform/outcome.h"
#include "platform/user_prompt.h"
#include "store/app_settings.h"

namespace orv::dialogs {

// The longest command text a dialog may produce.
inline constexpr std::size_t kMaxOutput = 255;

enum class FieldKind {
    Text,    // an edit field: any Windows-1252 text, cut to its maximum length as the control does
    Check,   // a check box: "0" or "1"
    Choice,  // a radio group or a drop-down list: one of its choices ("" when a list may be unselected)
};

// One field of a dialog: what a form shows and copies in. Fields marked `input` are not shown;
// the caller hands them in (a mode, the record being copied ...).
struct FieldDef {
    std::string name;
    FieldKind kind = FieldKind::Text;
    std::string defaultValue;
    std::size_t maxLength = 255;
    std::vector<std::string> choices;
    bool input = false;
};

inline FieldDef textField(std::string name, std::string def, std::size_t maxLength) {
    return FieldDef{std::move(name), FieldKind::Text, std::move(def), maxLength, {}, false};
}
inline FieldDef inputField(std::string name, std::string def, std::size_t maxLength) {
    return FieldDef{std::move(name), FieldKind::Text, std::move(def), maxLength, {}, true};
}
inline FieldDef checkField(std::string name, std::string def) {
    return FieldDef{std::move(name), FieldKind::Check, std::move(def), 1, {}, false};
}
inline FieldDef choiceField(std::string name, std::string def, std::vector<std::string> choices, bool input = false) {
    return FieldDef{std::move(name), FieldKind::Choice, std::move(def), 255, std::move(choices), input};
}

// A dialog's check gives the first failing field and its message, or the command text.
using orv::Failure;
using orv::Outcome;

// What a dialog's checks may ask: the file system, the desktop's lists, the user (Yes/No
// questions), the settings and the clock. A missing service answers "no" and "nothing".
struct DialogEnv {
    IDialogFiles* files = nullptr;
    IDesktopQueries* desktop = nullptr;
    IUserPrompt* prompt = nullptr;
    TAppSettings* settings = nullptr;
    const IClock* clock = nullptr;
};

// The common shape of every dialog model: named fields holding text as the form's controls do,
// new-command defaults, a check in screen order that gives the first failure or the output, and
// the structured values written on success (each model's `values()`).
class DialogModel {
public:
    virtual ~DialogModel() = default;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    // The form class name ("TDoWaitWin") and the window caption for the current mode.
    virtual std::string_view typeName() const = 0;
    virtual std::string caption() const = 0;

    const std::vector<FieldDef>& fields() const { return defs_; }
    const FieldDef* field(std::string_view name) const;
    // Copies a value in as its control would hold it: text cut to the field's maximum length, a
    // check box "0" or "1", a choice only from its list. False for an unknown field or a value
    // the control cannot hold (the field is then unchanged).
    bool set(std::string_view name, std::string_view value);
    // The field's current value; empty for an unknown field.
    const std::string& get(std::string_view name) const;
    // Every field back to its new-command default.
    void reset();

    // Set by the caller when a command is being added, clear when one is being edited.
    void setNewCommand(bool on) { newCommand_ = on; }
    bool isNewCommand() const { return newCommand_; }
    // "FormShow": fills what depends on the desktop or the settings (lists, and the remembered
    // choices of a new command). Call after the new-command flag and the mode are set and before
    // the fields of an edited command are copied in.
    virtual void show(const DialogEnv& /*env*/) {}

    // "&Ok": the checks in screen order. On success the structured values and the output are
    // kept; a command text longer than 255 characters is refused instead of being cut.
    Outcome check(const DialogEnv& env);
    bool accepted() const { return accepted_; }
    const std::string& output() const { return output_; }

    // The structured values after a successful check as name/value pairs (for the command line).
    virtual std::vector<std::pair<std::string, std::string>> results() const { return {}; }

protected:
    explicit DialogModel(std::vector<FieldDef> defs);
    virtual Outcome doCheck(const DialogEnv& env) = 0;
    // Called after a field changed through set() (modes that change defaults).
    virtual void fieldChanged(std::string_view /*name*/) {}

    // The field's text with leading and trailing blanks removed.
    std::string text(std::string_view name) const;
    bool flag(std::string_view name) const { return get(name) == "1"; }
    // The position of the field's value in its choices, -1 when none is chosen.
    int choiceIndex(std::string_view name) const;
    void setFlag(std::string_view name, bool on) { set(name, on ? "1" : "0"); }

    // The field that an over-long command is blamed on, and whether this dialog's output may
    // be longer than 255 characters (the text box assembles its own longer tag).
    std::string overflowField_;
    bool unlimitedOutput_ = false;

private:
    std::vector<FieldDef> defs_;
    std::vector<std::string> values_;
    bool accepted_ = false;
    bool newCommand_ = true;
    std::string output_;
};

// A dialog model that keeps the fields its "&Ok" accepted as a record. `Types` declares the record
// (Values) and the dialog's enumerations, which the dialog then has as its own.
template <typename Types>
class ValuesDialog : public DialogModel, public Types {
public:
    using Values = typename Types::Values;
    const Values& values() const { return values_; }

protected:
    using DialogModel::DialogModel;
    Values values_;
};

}  // namespace orv::dialogs
