#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace orv::wiz {

inline constexpr int kWizardCount = 28;
inline constexpr int kFirstTimeSetUp = 28;
// The sweepstakes wizard, and its screen whose "&Next >" records the user filling in the form.
inline constexpr int kSweepstakes = 18;
inline constexpr int kRecordingScreen = 72;
// The screens every macro-making wizard ends with: activation, its details, playback scope and
// its details, the window that activates, the popup-menu question, nickname and icon.
inline constexpr std::array<int, 7> kCommonTail = {2, 3, 7, 8, 37, 9, 10};

// One wizard: the menu item that starts it (empty when none), its window title, the short name
// in its logo strip, the submenu of "&Wizards" it sits in (-1 when none) and its screens, where
// 0 stands for the common tail.
struct WizardInfo {
    int number;
    std::string_view menuItem;
    std::string_view title;
    std::string_view logo;
    int submenu;
    std::vector<int> screens;
};

// The five submenus of "&Wizards", in menu order.
inline constexpr std::array<std::string_view, 5> kWizardSubmenus = {
    "&Text and Clipboard", "&System", "&Programs, Windows and Files", "&Web and Miscellaneous", "&Macro Functions"};

// The wizards 1..28, in number order.
const std::vector<WizardInfo>& wizards();
const WizardInfo& wizard(int number);
// The wizard's screens with the common tail written out.
std::vector<int> screenList(int number);
// "Quick Wizard: " and the wizard's title.
std::string_view wizardCaption(int number);

// One command the single-command wizard offers: the category it is listed under (0-3, the
// choices of its category screen), its caption, and the command dialog that makes it with the
// dialog's mode (empty for the dialog's default).
struct WizardCommand {
    int category;
    std::string_view caption;
    std::string_view dialog;
    std::string_view mode;
};
inline constexpr std::array<std::string_view, 4> kCommandCategories = {"&Text and Mouse", "&System and Windows",
                                                                       "&Program and Files", "&Macro Control"};
// Every command of the single-command wizard, in category order and list order within one.
const std::vector<WizardCommand>& wizardCommands();
// The commands of one category, in list order.
std::vector<const WizardCommand*> commandsOf(int category);

// The names of the Quick Wizards page's buttons, numbers 1..27 in order.
extern const std::array<std::string_view, 27> kWizardButtons;

}  // namespace orv::wiz
