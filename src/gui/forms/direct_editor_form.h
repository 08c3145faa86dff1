#pragma once

#include "editors/direct_editor.h"
#include "gui/forms/memo_editor_form.h"

class QGroupBox;

namespace orv::editors {
struct EditorCommand;
}

namespace orv::gui {

class MacroHeader;

// The direct editor ("Modify Hot Key", TModHotKeys): the macro's text as stored, typed freely,
// with the buttons and menus that insert key tags and command tags at the caret, and the header
// of the macro (nickname, icon, scope, what its activation needs). "&Update" stores the macro
// into the record buffer; every other way out stores nothing.
class TModHotKeys final : public MemoEditorForm {
    Q_OBJECT
public:
    TModHotKeys(editors::DirectEditorModel& model, const EditorContext& context, QWidget* parent = nullptr);

private:
    QWidget* commandButtons();
    void addCommandMenus(QMenuBar* bar);
    void runCommand(const editors::EditorCommand& command);
    void showCaption();
    void updateClicked() override;

    editors::DirectEditorModel& model_;
    MacroHeader* header_ = nullptr;
};

// The keystroke editor ("Enter Keystrokes", TModText): the same memo without the macro header
// and command dialogs, for a run of text and keys. Its result is the text after "&Update".
class TModText final : public MemoEditorForm {
    Q_OBJECT
public:
    TModText(const std::string& text, const EditorContext& context, QWidget* parent = nullptr);
    const std::string& result() const { return result_; }

private:
    void updateClicked() override;
    std::string result_;
};

}  // namespace orv::gui
