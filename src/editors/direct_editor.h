#pragma once

#include <string>
#include <string_view>

#include "dialogs/dialog_model.h"
#include "editors/add_macro.h"
#include "platform/clock.h"
#include "platform/user_prompt.h"
#include "store/macro_record.h"

namespace orv::editors {

// How the header of an editor looks for the macro's activation kind.
struct HeaderLayout {
    std::string_view timerLabel;  // the text of the activation label
    bool timerLabelShown = false;
    bool setScheduleShown = false;
    bool hotKeyLabelShown = false;
    bool nameFieldShown = false;  // the ShortKey name or window title field
    int nameMaxLength = 0;
    bool scopeChoice = true;  // "Window", "Program" and "Select" may be used
};
HeaderLayout headerLayout(EditorKind kind);

// What an editor is opened with.
struct EditorStart {
    bool existing = false;  // an existing macro from the main window; clear for a new one
    EditorKind kind = EditorKind::HotKey;
    bool exclusiveKey = false;  // the hotkey is held by another Global, Popup Menu or System macro
    std::string hotKeyLabel;    // the hotkey's name
};

// The editor start for an existing macro: the kind from its HotKeyCode, the hotkey's name, and
// whether another macro (not `j`) holds its hotkey with scope Global, Popup Menu or System.
EditorStart editorStartFor(const TActivationTable& table, int j, const std::string& hotKeyName);

// The scopes an editor offers.
inline constexpr int kEditorScopes[] = {kScopeGlobal, kScopeWindow, kScopeProgram};

// Field names a failure of "&Update" points at.
inline constexpr const char* kMemoField = "NewFormat";
inline constexpr const char* kSelectField = "ChooseWinProg";

// The direct editor ("Modify Hot Key", TModHotKeys) without its window: the header of the macro
// in the current record buffer, the caption, and "&Update", which checks the header and the
// size of the text and stores the fields into the buffer.
class DirectEditorModel {
public:
    // "FormShow": an existing macro shows its record; a new one gets the defaults (Global,
    // TopMostOnly, the default schedule, the main icon). `iconsDir` is where icon files live.
    DirectEditorModel(TMacroRecord& buffer, EditorStart start, const LocalTime& today, const std::string& iconsDir);

    const EditorStart& start() const { return start_; }
    HeaderLayout layout() const { return headerLayout(start_.kind); }
    TMacroRecord& buffer() { return buffer_; }

    // The fields as the form shows them at first.
    const std::string& nickName() const { return nickName_; }
    const std::string& text() const { return text_; }
    const std::string& name() const { return name_; }
    const std::string& iconName() const { return iconName_; }
    int scope() const { return scope_; }
    bool globalEnabled() const { return !start_.exclusiveKey; }
    // "Select" can be used: a Window or Program scope of a macro that is not a window-title macro.
    bool selectEnabled() const { return scope_ != kScopeGlobal && layout().scopeChoice; }

    void setNickName(std::string nick) { nickName_ = std::move(nick); }
    void setName(std::string name) { name_ = std::move(name); }
    void setIconName(std::string icon) { iconName_ = std::move(icon); }
    void setScope(int scope);
    // "Select" confirmed: the window title or program name of the scope.
    void setWindow(const std::string& title, int topMostOnly);

    // "DoCaption": the editor's title followed by the scope.
    std::string caption(std::string_view title = "Modify Hot Key") const;

    // "&Update" with the memo's text: the checks of the header, then the size question. On
    // success the buffer holds the macro; a failure names the field to focus (an empty message:
    // the user chose to go on editing).
    dialogs::Outcome update(std::string_view memo, IUserPrompt& prompt, const IClock& clock);

    // The first field of the header that keeps the macro from being stored, or nothing.
    std::optional<dialogs::Failure> headerProblem() const;
    // Stores the header and `text` (already within the size limit) into the buffer.
    void store(std::string text, const IClock& clock);

private:
    TMacroRecord& buffer_;
    EditorStart start_;
    std::string nickName_;
    std::string text_;
    std::string name_;
    std::string iconName_ = "MAIN";
    int scope_ = kScopeGlobal;
};

// "&Update" of the keystroke editor ("Enter Keystrokes", TModText): the memo with TABs written
// as tags, cut to 5000 characters after the size message.
std::string keystrokeText(std::string_view memo, IUserPrompt& prompt);

}  // namespace orv::editors
