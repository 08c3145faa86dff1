#pragma once

#include "dialogs/text_dialogs.h"
#include "gui/model_form.h"

class QLineEdit;

namespace orv::gui {

// "Load Text from a Text File" (TDoTextInsert): the file whose text a macro types, "&Browse",
// "&Edit In Notepad" (the user's own editor) and, from the Scripting Editor only, "Edit In
// &Scripting Editor".
class TextInsertForm final : public ModelForm {
    Q_OBJECT
public:
    TextInsertForm(dialogs::TDoTextInsert& model, const dialogs::DialogEnv& env, bool fromScriptingEditor = false,
                   QWidget* parent = nullptr);

signals:
    // "Edit In &Scripting Editor" with a file that exists.
    void editInScriptingEditor(const QString& path);

private:
    // The file can be opened; otherwise says why.
    bool editable();

    dialogs::DialogEnv env_;
    QLineEdit* path_ = nullptr;
};

}  // namespace orv::gui
