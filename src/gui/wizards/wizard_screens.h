#pragma once

#include <functional>
#include <string>
#include <vector>

#include "wizards/wizard_flow.h"

namespace orv::gui {

// Where a list control takes its entries from.
enum class WizardList {
    None,
    HotKeys,         // the hotkey names with their use counts; value: the code
    Symbols,         // characters 128..255; value: the position
    DateFormats,     // value: the position
    TimeFormats,     // value: the position
    DisplayModes,    // value: the position
    SpecialFolders,  // value: the position
    Printers,        // value: the entry's text (also phone book, drives, programs, windows)
    PhoneBook,
    Drives,
    Programs,      // installed programs by file name
    ProgramPaths,  // installed programs by full path
    Windows,       // titles of the open windows
    PopupMenus,    // value: the menu's macro number
    MenuMacros,    // several at once; value: "2,5"
    Macros,        // nicknames to combine; value: one a line
};

// One control of a wizard screen, bound to the answer `field`.
struct WizardControl {
    // Command: the read-only text of the command chosen through its dialog, with the button
    // that opens the dialog. Icon: the macro's icon, a button that chooses another. WebPage: an
    // address with a button that opens it in the browser. A label's "{stop key}" reads as the
    // name of the hot key that ends a recording.
    enum Kind { Label, Radio, Check, Edit, Password, Memo, List, Combine, Command, Icon, WebPage };
    Kind kind;
    std::string field;
    std::string caption;
    std::vector<std::string> choices;  // radio buttons, top to bottom
    WizardList list = WizardList::None;
    // Shown only while this holds (the screen's parts that follow another choice).
    std::function<bool(const wiz::WizardAnswers&)> shown;
};

struct WizardScreen {
    std::string heading;
    std::vector<WizardControl> controls;
};

// The layout of a screen by its number; screen 1 is filled per wizard.
const WizardScreen& wizardScreen(int number);
// Screen 1's text for each wizard: what it does and an example.
std::string wizardIntro(int wizard);

}  // namespace orv::gui
