#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "editors/direct_editor.h"
#include "gui/forms/editor_context.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace orv::gui {

// The header that both macro editors show above the macro's body: nickname, icon, what the
// activation needs (hotkey name, ShortKey or window title field, schedule) and the scope with
// "Select". It edits the editor model's header; `scopeChanged` lets the editor redo its caption.
class MacroHeader final : public QWidget {
    Q_OBJECT
public:
    MacroHeader(editors::DirectEditorModel& model, const EditorContext& context, IUserPrompt& prompt,
                std::function<void()> scopeChanged, QWidget* parent);

    // Copies the typed nickname and name into the model.
    void commit();
    // The control a failure of the header names (the name field, "Select" or the nickname).
    QWidget* fieldOf(const std::string& field) const;
    QLineEdit* nickName() const { return nickName_; }
    // "Select" follows the scope.
    void refresh();
    // Underlines a letter of the activation field's caption, the scopes and "Select". Only for a
    // window that leaves those letters free (the direct editor's key buttons take them all).
    void giveAccessKeys();

private:
    void scopeClicked(int scope);
    void select();
    void setSchedule();
    void chooseIcon();
    void resetIcon();
    void showIcon();

    editors::DirectEditorModel& model_;
    const EditorContext& context_;
    IUserPrompt& prompt_;
    std::function<void()> scopeChanged_;
    QLineEdit* nickName_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QToolButton* icon_ = nullptr;
    QRadioButton* scopes_[3] = {};
    QPushButton* select_ = nullptr;
};

}  // namespace orv::gui
