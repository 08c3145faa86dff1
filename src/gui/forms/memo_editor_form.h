#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "activation/keyboard_hooks.h"
#include "editors/memo_editor.h"
#include "gui/forms/editor_context.h"
#include "gui/qt_user_prompt.h"

class QComboBox;
class QMenu;
class QMenuBar;
class QWidget;

namespace orv::gui {

class MacroMemo;

// What the direct editor and the keystroke editor share: the memo, the key buttons with their
// menus, the Miscellaneous box, the Edit menu with Find, Find Again and Search and Replace, and
// the keyboard hook kept off while the window exists.
class MemoEditorForm : public QDialog {
    Q_OBJECT
public:
    MacroMemo* memo() const { return memo_; }
    bool saved() const { return saved_; }

protected:
    MemoEditorForm(const EditorContext& context, QWidget* parent);

    // "CheckSize" and "SetIt" with a text in its stored form.
    bool insert(const std::string& stored);
    // The key buttons in rows; the function keys on a row of their own.
    QWidget* keyButtons();
    // The Miscellaneous box and its "ok" button.
    QWidget* miscBox();
    // The File and Edit menus, and the keys in "&Keys" and (`functionKeyMenu`) "FKe&ys".
    QMenuBar* menus(bool functionKeyMenu);
    QMenu* fileMenu() const { return file_; }
    // "&Update" (button and File menu).
    virtual void updateClicked() = 0;
    void setSaved() { saved_ = true; }

    const EditorContext context_;
    QtUserPrompt prompt_{this};

private:
    void addEditMenu(QMenuBar* bar);
    void find();
    void findAgain();
    void searchAndReplace();
    // The search dialog in its mode; the texts when confirmed.
    bool askSearch(bool replace, std::string& find, std::string& replacement);

    KeyboardHookPause hooksOff_;
    MacroMemo* memo_ = nullptr;
    QComboBox* misc_ = nullptr;
    QMenu* file_ = nullptr;
    editors::MemoSearch search_;
    bool saved_ = false;
};

}  // namespace orv::gui
