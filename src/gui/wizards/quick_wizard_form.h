#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "activation/resident_actions.h"
#include "gui/icons.h"
#include "wizards/wizard_flow.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace orv::gui {

struct WizardControl;

// What a wizard's lists show that the flow does not know: the desktop's installed programs and
// open windows, and the file's nicknames; and the command dialog of the single-command wizard.
struct WizardListSources {
    std::vector<std::string> programs;      // file names
    std::vector<std::string> programPaths;  // full paths
    std::vector<std::string> windows;       // open window titles
    std::vector<std::string> nickNames;     // the file's macros in file order
    // Takes pressed hotkeys for the hotkey field of the activation screen; without it the hotkey
    // is chosen from the list only.
    IHotkeyPickerHost* picker = nullptr;
    // Where the icon files are, and "Load in Icon": the icon name chosen, or nothing.
    std::string iconsDir;
    IconChooser chooseIcon;
    // Opens the command's dialog for a new command: its text, or nothing when cancelled.
    std::function<std::optional<std::string>(const wiz::WizardCommand&)> chooseCommand;
    // Records the user's typing, with the wizard out of the way, until the stop key: the text (or
    // its overflow file's reference), or nothing when the recording failed (said so). The name of
    // the hot key that ends it.
    std::function<std::optional<std::string>()> recordKeys;
    std::string stopKeyName;
    // Brings the wizard, about to be shown again after the recording, to the front.
    std::function<void(QWidget&)> bringForward;
};

// "Quick Wizard: ...": one page per screen of the wizard, with "< &Back", "&Next >" (which reads
// "&Finish" on the last screen), "&Cancel" and "&Help". Every refusal and question of the flow
// goes through the environment's message boxes; the focus then goes to the field concerned.
class TQuickWiz : public QDialog {
    Q_OBJECT
public:
    TQuickWiz(int number, const wiz::WizardFile& file, const dialogs::DialogEnv& env, WizardListSources sources,
              QWidget* parent = nullptr);
    ~TQuickWiz() override;

    // Runs the wizard; a recording screen's "&Next >" leaves the dialog's loop for the recording
    // and comes back to it afterwards.
    int exec() override;

    wiz::WizardFlow& flow() { return flow_; }
    // The control showing an answer on the current screen (the first visible one), or nullptr.
    QWidget* control(const std::string& field) const;

    void nextClicked();
    void backClicked();
    // A recording taken: on to the next screen, or the refusal of an empty one.
    void tookRecording(std::string text);

private:
    static constexpr int kRecordKeys = 2;  // the dialog's result while the recording runs

    struct Binding {
        int screen;
        const WizardControl* def;
        QWidget* row;     // shown or hidden as a whole
        QWidget* widget;  // holds the value
    };

    QWidget* buildPage(int screen);
    QWidget* buildIntro();
    QWidget* buildControl(int screen, const WizardControl& c, QWidget* page);
    QWidget* listWidget(const WizardControl& c, QWidget* parent);
    QWidget* combineWidget(const WizardControl& c, QWidget* parent);
    QWidget* commandButton(QLineEdit* shown, QWidget* row);
    QWidget* webPageButton(QLineEdit* address, QWidget* row);
    void advance();
    QWidget* hotKeyField(QListWidget* list, QWidget* row);
    QWidget* iconButton(QWidget* row, QLabel* caption);
    void showIcon(QAbstractButton* button) const;
    void chooseCommand(QLineEdit* shown);
    void showScreen();
    void refreshVisibility();
    void copyIn(const Binding& b);
    void copyOut(const Binding& b);
    void copyOutScreen();
    std::vector<std::string> listEntries(const WizardControl& c) const;

    wiz::WizardFlow flow_;
    dialogs::DialogEnv env_;
    WizardListSources sources_;
    QLabel* logo_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    std::map<int, QWidget*> pages_;
    std::vector<Binding> bindings_;
    bool loading_ = false;
};

}  // namespace orv::gui
