#include "dialogs/scripting_wizard.h"

namespace orv::dialogs {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The letter after the "&" of a label, or 0.
char accelerator(std::string_view label) {
    const std::size_t at = label.find('&');
    return at == std::string_view::npos || at + 1 >= label.size() ? '\0' : lower(label[at + 1]);
}

}  // namespace

const std::array<WizardPage, 4>& scriptingWizardPages() {
    static const std::array<WizardPage, 4> pages = {{
        {"&Text / Mouse",
         {{{"&Enter Text, Symbols, Keystrokes", 1},
           {"M&ouse Clicks, Movements, Wheel", 24},
           {"Insert &Date (current, past or future)", 2},
           {"I&nsert Time", 3},
           {"&Clipboard Functions (copy, paste)", 37},
           {"Enter a Comment or &Remark", 29},
           {"&Alt, Ctrl, Shift, Win Down and Up", 40},
           {"&Insert a Text File", 15}}},
         8},
        {"&System / Windows",
         {{{"&Audio CD Functions", 56},
           {"&Network Connections", 52},
           {"Set a Window Si&ze or Position", 16},
           {"Maximize, Minimize, etc &Windows", 19},
           {"&Dial-Up Networking", 94},
           {"Spea&ker Controls", 87},
           {"Set De&fault Printer", 72},
           {"Set S&creen Resolution", 73},
           {"T&ile, Cascade, Minimize Desktop", 67},
           {"&Reboot, Logoff, Shutdown", 75},
           {"Screen Sa&ver Settings, Wallpaper", 81}}},
         11},
        {"&Programs / Files",
         {{{"&Activate / Launch Programs", 33},
           {"&Launch a Web Site", 43},
           {"&FTP Download", 44},
           {"Pla&y a Sound", 13},
           {"&Delete, Copy, Rename Files, etc", 46},
           {"Play a &Video Clip", 55},
           {"&Open Folder In Explorer", 66}}},
         7},
        {"&Macro Control",
         {{{"Set &Keyboard or Mouse Speed", 8},
           {"Insert a &Delay", 4},
           {"&Repeat Loop", 6},
           {"&Wait For Window", 93},
           {"Play, Delete, &Activate Macros", 51},
           {"Ma&cro Pause", 5},
           {"&Load New Macro File", 14},
           {"Display a Text &Box", 54}}},
         8},
    }};
    return pages;
}

std::optional<int> wizardCommandForLetter(std::size_t page, char letter) {
    if (page >= scriptingWizardPages().size()) return std::nullopt;
    const WizardPage& p = scriptingWizardPages()[page];
    for (int i = 0; i < p.count; ++i) {
        const WizardButton& b = p.buttons[static_cast<std::size_t>(i)];
        if (accelerator(b.label) == lower(letter)) return b.command;
    }
    return std::nullopt;
}

}  // namespace orv::dialogs
