#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_model.h"
#include "platform/user_prompt.h"
#include "platform/activation_table.h"
#include "store/macro_record.h"

namespace orv::editors {

// How an editor is told that its macro is started: the numbers are the ones the editors and the
// main window pass. "None (use later)" of a new macro is 0, which behaves as 6.
enum class EditorKind : int { NoneLater = 0, HotKey = 1, Timed = 2, ShortKey = 3, None = 6, WindowTitle = 7 };

// The "Macro Type" choices of Add Macro, in tab order.
enum class AddType { HotKeys, ShortKeys, Timed, WindowTitle, PopupMenu, None };
inline constexpr int kAddTypeCount = 6;

// One "Macro Type" choice: its radio button and how the dialog looks with it.
struct AddTypeInfo {
    AddType type;
    std::string_view objectName;  // the radio button
    std::string_view caption;
    bool hotKeyList;             // the hotkey label, list and field are shown
    std::string_view nameLabel;  // the label of the name field; empty: the field is hidden
    int nameMaxLength;           // characters the name field takes
    bool capture;                // "&Capture Macro" enabled
    bool script;                 // "&Scripting Editor" enabled
    std::string_view enterCaption;
};
const AddTypeInfo& addTypeInfo(AddType type);

// The three builder buttons ("Build Menu" is the Enter button of a popup menu).
enum class Builder { ScriptingEditor, Direct, Capture, PopupMenu };

// What the builder is started with once a press passed the checks.
struct BuilderStart {
    Builder builder = Builder::Direct;
    EditorKind kind = EditorKind::HotKey;
    std::string hotKeyLabel;    // the hotkey's name, for hotkey macros and popup menus
    bool exclusiveKey = false;  // the hotkey is held by a Global, Popup Menu or System macro
};

// The outcome of a builder button: a failure (the dialog stays open; an empty message means
// the user declined the reserved-hotkey question) or the builder to start.
struct AddPress {
    bool accepted = false;
    dialogs::Failure failure;
    BuilderStart start;
};

// Field names a failure points at.
inline constexpr const char* kHotKeyField = "HotKeyEntry";
inline constexpr const char* kNameField = "ShortKeyName";

// "Add Macro" (TAddNewHotKey) without its window: the hotkey list with its use counts, the
// exclusive-key and have-other-macros flags, the checks of the builder buttons in their order,
// and the activation fields they put into the current record buffer.
class AddMacroModel {
public:
    using HotKeyNames = std::function<std::string(int code)>;

    // Reads the macros of `table` (their scopes and hotkey codes).
    AddMacroModel(const TActivationTable& table, HotKeyNames names);

    // The index the new macro will get.
    int newIndex() const { return newIndex_; }
    // "FillList": the 721 rows, name and use count, in code order.
    const std::vector<std::string>& rows() const { return rows_; }
    bool haveOtherMacros() const { return haveOtherMacros_; }
    // The code is held by a macro of scope Global, Popup Menu or System.
    bool exclusive(int code) const;
    std::string hotKeyName(int code) const { return names_(code); }

    void setType(AddType type) { type_ = type; }
    AddType type() const { return type_; }
    // A row clicked or a hotkey pressed in the field: codes outside the list are ignored.
    void selectHotKey(int code);
    // The selected code, or -1.
    int selectedHotKey() const { return selected_; }
    // "CheckForGlobals": whether the selected code is exclusive.
    bool selectedIsExclusive() const { return selected_ >= 0 && exclusive(selected_); }
    // The text of the name field as typed.
    void setName(std::string name) { name_ = std::move(name); }

    // "CheckBad": for one of the hotkeys the desktop may use itself, asks whether to use it
    // anyway. True when the press is to be abandoned.
    bool CheckBad(int code, IUserPrompt& prompt) const;

    // A builder button: the checks of the chosen type in screen order; on success the
    // activation fields of `buffer` are set (HotKeyCode, ShortKeyText, WindowTitle).
    AddPress press(Builder builder, IUserPrompt& prompt, TMacroRecord& buffer) const;

private:
    AddPress pressBuildMenu(IUserPrompt& prompt, TMacroRecord& buffer) const;
    // The checks shared by the three builder buttons for hotkeys, ShortKeys and window titles.
    std::optional<dialogs::Failure> validate(IUserPrompt& prompt, TMacroRecord& buffer) const;

    HotKeyNames names_;
    std::vector<std::string> rows_;
    std::vector<bool> exclusive_;
    bool haveOtherMacros_ = false;
    int newIndex_ = 1;
    AddType type_ = AddType::HotKeys;
    int selected_ = -1;
    std::string name_;
};

// The flags of the codes that a macro of scope Global, Popup Menu or System holds.
std::vector<bool> exclusiveKeyFlags(const TActivationTable& table);

}  // namespace orv::editors
