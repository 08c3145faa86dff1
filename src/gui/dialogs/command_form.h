#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/dialogs/command_layouts.h"
#include "gui/model_form.h"

class QAbstractButton;
class QGridLayout;
class QGroupBox;

namespace orv::gui {

// What a command dialog lists that the dialog environment does not hold: the nicknames of the
// open macro file (for the macro commands).
struct CommandLists {
    std::vector<std::string> nicknames;
    // The running programs' names, asked for when the user wants to choose one.
    std::function<std::vector<std::string>()> runningPrograms;
};

// A command dialog laid out from its layout table: radio buttons, check boxes, fields, lists
// and Browse buttons in screen order, each bound to its model field; controls that do not
// belong to the chosen command are disabled (or, for another mode of the dialog, hidden).
// The lists come from the desktop (printers, display modes, phone book, drives), from the model
// (installed programs) or from the caller (nicknames).
class CommandForm final : public ModelForm {
    Q_OBJECT
public:
    CommandForm(dialogs::DialogModel& model, const dialogs::DialogEnv& env, const FormLayout& layout,
                const CommandLists& lists, QWidget* parent = nullptr);

private:
    struct Rule {
        QWidget* widget = nullptr;
        std::string_view text;
        bool show = false;
    };
    struct Grid {
        QGridLayout* grid = nullptr;
        int columns = 1;
        int row = 0;
        int column = 0;
    };

    void addItem(const LayoutItem& item, Grid& grid);
    void endGroup();
    QWidget* makeControl(const LayoutItem& item);
    // A field with its caption beside it, to sit in one cell of a group's columns.
    QWidget* captionedCell(QWidget* control, const LayoutItem& item);
    QWidget* makeList(const LayoutItem& item);
    QWidget* makeShowList(const LayoutItem& item);
    QWidget* makePick(const LayoutItem& item);
    void addRule(QWidget* widget, const LayoutItem& item);
    // The value the field shows on screen now (the checked radio's choice, a box's "0"/"1").
    std::string shownValue(const std::string& field) const;
    bool holds(std::string_view rule) const;
    void updateRules();

    dialogs::DialogEnv env_;
    CommandLists lists_;
    QWidget* group_ = nullptr;
    bool groupIsMode_ = false;
    // The outer row the last group shown only in some modes went to.
    int modeRow_ = -1;
    Grid outer_;
    Grid inner_;
    std::map<std::string, QLineEdit*> edits_;
    std::multimap<std::string, std::pair<std::string, QAbstractButton*>> choices_;
    std::vector<Rule> rules_;
    QWidget* locator_ = nullptr;
};

// The form of a command dialog laid out by a table, or nullptr for one that is not.
std::unique_ptr<ModelForm> createCommandForm(dialogs::DialogModel& model, const dialogs::DialogEnv& env,
                                             QWidget* parent, const CommandLists& lists = {});

}  // namespace orv::gui
