#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "activation/build_menu.h"
#include "activation/resident_actions.h"
#include "gui/icons.h"
#include "platform/user_prompt.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace orv::gui {

// "Build Macro Menu": the popup menu's nickname, tray choice, display, icon size and icon above
// two lists, "Macros in Menu" and "Available Macros", with the buttons that move macros between
// them and within the menu. A right click on a macro of either list shows its Quick Info. "&Ok"
// writes the menu into the record buffer and accepts.
class TDoBuildMenu final : public QDialog {
    Q_OBJECT
public:
    // `read` gives a macro's record for its Quick Info; `label` is the name of the menu's hotkey.
    TDoBuildMenu(BuildMenuModel& model, const QString& label, RecordReader read, IconChooser chooseIcon,
                 IUserPrompt& prompt, QWidget* parent = nullptr);

    // After "&Ok": the tray menus must be rebuilt.
    bool trayMenusChanged() const { return trayChanged_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader(const QString& label);
    QWidget* buildLists();
    QTreeWidget* macroList(const QString& name, const QString& title);
    void fillList(QTreeWidget* list, const std::vector<int>& macros, int selected);
    void showLists(BuildMenuModel::Selection selection);
    void updateButtons();
    void addClick(BuildMenuModel::Selection (BuildMenuModel::*insert)(int, int));
    void quickInfo(QTreeWidget* list, const QPoint& at);
    void chooseIcon();
    void resetIcon();
    void showIcon();
    void okClick();

    BuildMenuModel& model_;
    RecordReader read_;
    IconChooser chooseIcon_;
    bool sized_ = false;
    IUserPrompt& prompt_;
    QLineEdit* nickName_ = nullptr;
    QCheckBox* tray_ = nullptr;
    QRadioButton* firstPart_ = nullptr;
    QRadioButton* icons_ = nullptr;
    QRadioButton* nameAndScope_ = nullptr;
    QComboBox* iconSize_ = nullptr;
    QToolButton* icon_ = nullptr;
    QTreeWidget* menu_ = nullptr;
    QTreeWidget* available_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* insertBefore_ = nullptr;
    QPushButton* insertAfter_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    bool trayChanged_ = false;
    bool droppedShown_ = false;
};

// What "Build Macro Menu" did: the buffer holds a menu to write, and the tray icons must follow.
struct BuildMenuResult {
    bool saved = false;
    bool trayMenusChanged = false;
};

// Opens "Build Macro Menu" modally over `buffer`, a new menu or the stored one; `label` is the
// name of the menu's hotkey.
BuildMenuResult showBuildMenu(TMacroRecord& buffer, bool newMenu, const std::string& label, const IMacroFile& file,
                              const TAppSettings& settings, const std::string& iconsDir, IconChooser chooseIcon,
                              IUserPrompt& prompt, QWidget* parent);

}  // namespace orv::gui
