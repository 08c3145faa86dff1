#include "wizards/wizard_table.h"

#include <string>

namespace orv::wiz {

namespace {

constexpr int kText = 0, kSystem = 1, kPrograms = 2, kWeb = 3, kMacros = 4;

const std::vector<WizardInfo> kWizards = {
    {1, "&Type Text and Keystrokes", "Type Text and Keystrokes", "Type Text", kText, {1, 14, 0}},
    {2, "&Paste Text or Graphics", "Paste Text or Graphic", "Paste", kText, {1, 13, 12, 0}},
    {3, "Type A &Symbol", "Type Symbol", "Symbol", kText, {1, 4, 0}},
    {4, "&Launch or Activate Programs", "Launch or Activate", "Launch", kPrograms, {1, 30, 31, 32, 33, 34, 0}},
    {5, "&Go To A Web Site", "Go To A Web Site", "Web Site", kWeb, {1, 21, 22, 0}},
    {6, "Type A &Date or Time", "Type Date or Time", "Date / Time", kText, {1, 17, 18, 20, 19, 0}},
    {7, "&Capture A Macro", "Capture A Macro", "Capture", kMacros, {1, 59, 60, 61, 3, 10, 62, 63}},
    {8, "&Connect Network", "Network Connections", "Network", kSystem, {1, 5, 6, 29, 0}},
    {9, "&Reboot or Shut Down", "Reboot Or Logoff", "Shut Down", kSystem, {1, 11, 0}},
    {10, "&Create A Reminder", "Create A Reminder", "Reminder", kWeb, {1, 26, 3, 10}},
    {11, "&Copy, Delete, Rename", "File Management", "Files", kPrograms, {1, 48, 49, 0}},
    {12, "&Dial-Up Networking", "Dialup Networking", "Dial-Up", kSystem, {1, 27, 28, 0}},
    {13, "&Set Display Resolution", "Set Display Resolution", "Resolution", kSystem, {1, 16, 0}},
    {14, "Choose A &Printer", "Set Default Printer", "Printer", kSystem, {1, 15, 0}},
    {15, "&Play Audio CD-Rom", "CD-Rom Functions", "Audio CD", kWeb, {1, 42, 0}},
    {16, "Pla&y A Video Clip", "Play A Video Clip", "Video", kWeb, {1, 24, 0}},
    {17, "Sounds and &Volume", "Sounds and Volume", "Sound", kWeb, {1, 43, 44, 45, 46, 0}},
    {18, "&Web Sweepstakes", "Enter On-Line Sweepstakes", "Sweepstakes", kWeb, {1, 71, 72, 0, 73}},
    {19, "Change Desktop &Wallpaper", "Change Desktop Wallpaper", "Wallpaper", kSystem, {1, 23, 0}},
    {20, "&Move or Size a Window", "Change Window Size Or Position", "Size Window", kPrograms, {1, 35, 33, 36, 0}},
    {21,
     "Ma&ximize, Minimize Windows",
     "Maximize, Minimize, Restore Windows",
     "Windows",
     kPrograms,
     {1, 38, 39, 40, 0}},
    {22, "&Open an Explorer Folder", "Open Explorer Folder", "Folder", kPrograms, {1, 25, 0}},
    {23, "&Desktop Goodies", "Desktop Goodies", "Desktop", kSystem, {1, 47, 0}},
    {24, "Screen Saver &Options", "Screen Saver Options", "Screen Saver", kSystem, {1, 41, 0}},
    {25, "Create &Menu of Macros", "Create Popup Menu", "Popup Menu", kMacros, {1, 50, 51, 52, 3, 10}},
    {26, "&Build Macros From Other Macros", "Build Macros From Other Macros", "Build", kMacros, {1, 64, 0}},
    {27, "", "Create a Single Macro Command", "Command", -1, {1, 53, 54, 55, 56, 57, 58, 0}},
    {28, "", "Set Up The Program For The First Time", "Set Up", -1, {65, 70, 66, 67, 68, 69}},
};

constexpr int kTextMouse = 0, kSystemWindows = 1, kProgramFiles = 2, kMacroControl = 3;

const std::vector<WizardCommand> kCommands = {
    {kTextMouse, "&Enter Text, Symbols, Keystrokes", "TModText", ""},
    {kTextMouse, "M&ouse Clicks, Movements, Wheel", "TDoMouse", ""},
    {kTextMouse, "Insert &Date (current, past, future)", "TDateOrTime", "date"},
    {kTextMouse, "In&sert Time", "TDateOrTime", "time"},
    {kTextMouse, "Cli&pboard Functions (copy, paste)", "TDoClipboard", ""},
    {kTextMouse, "&Alt, Ctrl, Shift, Win Down and Up", "TDoKeyUpDown", ""},
    {kTextMouse, "Enter a Comment or &Remark", "TDoRemark", ""},
    {kTextMouse, "&Insert a Text File", "TDoTextInsert", ""},
    {kSystemWindows, "N&etwork Connections", "TDoNetConn", ""},
    {kSystemWindows, "&Dial-Up Networking", "TDoDialup", ""},
    {kSystemWindows, "&Audio CD Functions", "TDoCDRom", ""},
    {kSystemWindows, "Spea&ker Controls", "TDoVolume", ""},
    {kSystemWindows, "Set De&fault Printer", "TDoDefPrint", ""},
    {kSystemWindows, "&Set Screen Resolution", "TDoScreen", ""},
    {kSystemWindows, "Set Window Si&ze or Position", "TDoSizeIt", ""},
    {kSystemWindows, "Maximize, Minimize, Restore &Windows", "TDoSystemCommand", ""},
    {kSystemWindows, "&Tile, Cascade, Minimize Desktop", "TDoRecycle", ""},
    {kSystemWindows, "&Reboot, Logoff, Shutdown", "TDoReboot", ""},
    {kSystemWindows, "Screen Sa&ver Settings, Wallpaper", "TDoSysControls", ""},
    {kProgramFiles, "&Activate / Launch Programs", "TDoActive", ""},
    {kProgramFiles, "&Launch a Web Site", "TDoWebStuff", "web"},
    {kProgramFiles, "&FTP Download", "TDoWebStuff", "ftp"},
    {kProgramFiles, "&Delete, Copy, Rename Files, etc.", "TDoDOSFiles", ""},
    {kProgramFiles, "Pla&y a Sound", "TDoSound", ""},
    {kProgramFiles, "Play a &Video Clip", "TDoAVI", ""},
    {kProgramFiles, "&Open Folder in Explorer", "TDoExplore", ""},
    {kMacroControl, "Play, Delete, &Activate Macros", "TDoNick", ""},
    {kMacroControl, "&Pause A Macro", "TDoPausePos", ""},
    {kMacroControl, "&Repeat Loop", "TDoRepeat", ""},
    {kMacroControl, "&Load New Macro File", "TDoSwap", ""},
    {kMacroControl, "&Wait For", "TDoWaitWin", ""},
    {kMacroControl, "Set &Keyboard, Mouse or Macro Speed", "TDoSpeed", ""},
    {kMacroControl, "Insert A &Delay", "TDoDelay2", ""},
    {kMacroControl, "Display A Text Bo&x", "TDoTBox", ""},
};

}  // namespace

const std::vector<WizardCommand>& wizardCommands() { return kCommands; }

std::vector<const WizardCommand*> commandsOf(int category) {
    std::vector<const WizardCommand*> out;
    for (const WizardCommand& c : kCommands)
        if (c.category == category) out.push_back(&c);
    return out;
}

const std::array<std::string_view, 27> kWizardButtons = {
    "WizText",    "WizClip",    "WizSymbol", "WizLaunch", "WizWeb",   "WizTime",   "WizCapture",
    "WizNetwork", "WizReboot",  "WizRemind", "WizFile",   "WizPause", "WizScreen", "WizPrinter",
    "WizCDRom",   "WizAVI",     "WizSound",  "WizSweeps", "WizWall",  "WizSize",   "WizMax",
    "WizExplore", "WizDesktop", "WizSaver",  "WizMenu",   "WizBuild", "WizBlocks"};

const std::vector<WizardInfo>& wizards() { return kWizards; }

const WizardInfo& wizard(int number) {
    if (number < 1 || number > kWizardCount) number = 1;
    return kWizards[static_cast<std::size_t>(number - 1)];
}

std::vector<int> screenList(int number) {
    std::vector<int> out;
    for (int s : wizard(number).screens) {
        if (s == 0)
            out.insert(out.end(), kCommonTail.begin(), kCommonTail.end());
        else
            out.push_back(s);
    }
    return out;
}

std::string_view wizardCaption(int number) {
    static const auto captions = [] {
        std::array<std::string, kWizardCount> c;
        for (const auto& w : kWizards)
            c[static_cast<std::size_t>(w.number - 1)] = "Quick Wizard: " + std::string(w.title);
        return c;
    }();
    if (number < 1 || number > kWizardCount) number = 1;
    return captions[static_cast<std::size_t>(number - 1)];
}

}  // namespace orv::wiz
