#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "wizards/wizard_flow.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace orv::gui {

struct WizardControl;

// What a wizard's lists show that the flow does not know: the desktop's installed programs and
// open windows, and the file's nicknames.
struct WizardListSources {
    std::vector<std::string> programs;      // file names
    std::vector<std::string> programPaths;  // full paths
    std::vector<std::string> windows;       // open window titles
    std::vector<std::string> nickNames;     // the file's macros in file order
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

    wiz::WizardFlow& flow() { return flow_; }
    // The control showing an answer on the current screen (the first visible one), or nullptr.
    QWidget* control(const std::string& field) const;

    void nextClicked();
    void backClicked();

private:
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
