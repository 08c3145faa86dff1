#include "gui/wizards/wizard_screens.h"

#include <map>

namespace orv::gui {

namespace {

using C = WizardControl;
using A = wiz::WizardAnswers;

C label(std::string text) { return {C::Label, "", std::move(text), {}, WizardList::None, {}}; }
C radio(std::string field, std::vector<std::string> choices, std::string caption = {}) {
    return {C::Radio, std::move(field), std::move(caption), std::move(choices), WizardList::None, {}};
}
C check(std::string field, std::string caption) {
    return {C::Check, std::move(field), std::move(caption), {}, WizardList::None, {}};
}
C edit(std::string field, std::string caption) {
    return {C::Edit, std::move(field), std::move(caption), {}, WizardList::None, {}};
}
C password(std::string field, std::string caption) {
    return {C::Password, std::move(field), std::move(caption), {}, WizardList::None, {}};
}
C memo(std::string field, std::string caption) {
    return {C::Memo, std::move(field), std::move(caption), {}, WizardList::None, {}};
}
C list(std::string field, std::string caption, WizardList source) {
    return {C::List, std::move(field), std::move(caption), {}, source, {}};
}
C when(C control, std::function<bool(const A&)> shown) {
    control.shown = std::move(shown);
    return control;
}
std::function<bool(const A&)> is(std::string field, int value) {
    return [field = std::move(field), value](const A& a) { return a.index(field) == value; };
}
std::function<bool(const A&)> isNot(std::string field, int value) {
    return [field = std::move(field), value](const A& a) { return a.index(field) != value; };
}

const std::vector<std::string> kNoYes = {"&No", "&Yes"};

std::map<int, WizardScreen> screens() {
    std::map<int, WizardScreen> s;
    s[2] = {"Choose a method to activate the macro",
            {radio("activation", {"&Hot Key", "&ShortKey", "&Timed Schedule", "&None", "&Window Title Appears"})}};
    s[3] = {"How is the macro activated?",
            {when(list("hotkey", "Place cursor in field below and Press the Hot Key to select", WizardList::HotKeys),
                  is("activation", wiz::kHotKey)),
             when(edit("shortkey", "ShortKey Name"), is("activation", wiz::kShortKey)),
             when(radio("schedKind",
                        {"&At Startup", "&Once", "&Hourly", "&Daily", "&Weekly", "&Monthly", "O&ther (every N minutes)",
                         "&Time Out (after N idle minutes)"},
                        "Schedule"),
                  is("activation", wiz::kSchedule)),
             when(edit("hour", "Hour (1-12)"),
                  [](const A& a) {
                      return a.index("activation") == wiz::kSchedule && a.index("schedKind") % 6 != 0 &&
                             a.index("schedKind") != 2;
                  }),
             when(edit("minute", "Minute"),
                  [](const A& a) {
                      return a.index("activation") == wiz::kSchedule && a.index("schedKind") % 6 != 0 &&
                             a.index("schedKind") != 2;
                  }),
             when(radio("pm", {"AM", "PM"}),
                  [](const A& a) {
                      return a.index("activation") == wiz::kSchedule && a.index("schedKind") % 6 != 0 &&
                             a.index("schedKind") != 2;
                  }),
             when(edit("day", "Day"),
                  [](const A& a) {
                      return a.index("activation") == wiz::kSchedule &&
                             (a.index("schedKind") == 1 || a.index("schedKind") == 5);
                  }),
             when(edit("month", "Month (1-12)"),
                  [](const A& a) { return a.index("activation") == wiz::kSchedule && a.index("schedKind") == 1; }),
             when(edit("year", "Year"),
                  [](const A& a) { return a.index("activation") == wiz::kSchedule && a.index("schedKind") == 1; }),
             when(edit("weekday", "Weekday (1 Sunday - 7 Saturday)"),
                  [](const A& a) { return a.index("activation") == wiz::kSchedule && a.index("schedKind") == 4; }),
             when(edit("hourlyMinute", "Minutes past the hour"),
                  [](const A& a) { return a.index("activation") == wiz::kSchedule && a.index("schedKind") == 2; }),
             when(edit("interval", "Minutes"),
                  [](const A& a) { return a.index("activation") == wiz::kSchedule && a.index("schedKind") >= 6; })}};
    s[4] = {"Choose the desired character or symbol", {list("symbol", "&Symbol", WizardList::Symbols)}};
    s[5] = {"What network function?",
            {radio("netAction", {"C&onnect to a Network Drive", "&Disconnect from a Network Drive",
                                 "&Toggle Connecting and Disconnecting to a Network Drive"})}};
    s[6] = {"Choose the drive",
            {list("drive", "Local drive", WizardList::Drives),
             when(edit("netPath", "Network path"), isNot("netAction", 1))}};
    s[7] = {"Where should the macro play back?",
            {radio("scope", {"Play back in &all programs", "Play back in one specific &program",
                             "Play back only when a specific &window is present"})}};
    s[8] = {"Which window or program?",
            {when(edit("windowTitle", "Window title (partial titles allowed)"), is("scope", wiz::kOneWindow)),
             when(radio("programBy", {"&Enter the program EXE name (can be a partial match on the name)",
                                      "&Select program from list of installed programs on your computer"}),
                  is("scope", wiz::kOneProgram)),
             when(edit("programName", "Program name"),
                  [](const A& a) { return a.index("scope") == 1 && a.index("programBy") == 0; }),
             when(list("programListed", "Installed programs", WizardList::Programs),
                  [](const A& a) { return a.index("scope") == 1 && a.index("programBy") == 1; })}};
    s[9] = {"Would you like to add this macro to a popup menu?",
            {radio("addToMenu", kNoYes), list("menu", "Popup menus", WizardList::PopupMenus)}};
    s[10] = {"Name the macro",
             {edit("nickname", "Macro Nickname"), {C::Icon, "icon", "Macro icon (click to change it)", {}, {}, {}}}};
    s[11] = {"What should the macro do?",
             {radio("reboot", {"&Logoff", "&Reboot", "&Shut Down", "Shut Down and &Power Off"})}};
    s[12] = {
        "What should be pasted?",
        {when(memo("pasteText", "Text"), is("pasteKind", 0)), when(edit("pastePath", "File"), isNot("pasteKind", 0))}};
    s[13] = {"What do you want to paste?",
             {radio("pasteKind", {"&Text", "Text From A &File", "A &Graphic Image From A Bitmap"})}};
    s[14] = {"Enter the text and keystrokes to type", {memo("typeText", "Text")}};
    s[15] = {"Choose the default printer", {list("printer", "Printers", WizardList::Printers)}};
    s[16] = {"Choose Display Resolution", {list("displayMode", "Display settings", WizardList::DisplayModes)}};
    s[17] = {"What should be typed?", {radio("dateOrTime", {"&Date", "&Time", "D&ate and Time"})}};
    s[18] = {"Choose the date format", {list("dateFormat", "Date formats", WizardList::DateFormats)}};
    s[19] = {"Choose the time format", {list("timeFormat", "Time formats", WizardList::TimeFormats)}};
    s[20] = {"Which day?",
             {radio("dayWhen", {"Today", "Tomorrow", "Yesterday", "Days in the past", "Days in the future"}),
              when(edit("dayCount", "Days"), [](const A& a) { return a.index("dayWhen") >= 3; })}};
    s[21] = {"What should the macro do?",
             {radio("webKind", {"&Launch a Web Site", "&Initiate a Web download (via FTP)"})}};
    s[22] = {"Enter the address without \"http://\"", {edit("url", "URL")}};
    s[23] = {"Choose the wallpaper",
             {edit("bitmap", "Bitmap"),
              radio("wallStyle", {"&Tiled", "&Stretched", "C&entered", "&Positioned where you want"}),
              when(edit("wallTop", "Top"), is("wallStyle", 3)), when(edit("wallLeft", "Left"), is("wallStyle", 3))}};
    s[24] = {"Choose the video clip",
             {edit("avi", "Video file"),
              radio("aviMode", {"&Play it immediately and remain in video player",
                                "P&lay it immediately and exit video player", "&Wait to play it"})}};
    s[25] = {"Which folder?",
             {radio("folderKind", {"Enter the name of the folder", "Select a special folder"}),
              when(edit("folder", "Folder"), is("folderKind", 0)),
              when(list("specialFolder", "Special folders", WizardList::SpecialFolders), is("folderKind", 1))}};
    s[26] = {"Enter the reminder",
             {memo("reminder", "Reminder text"), radio("notify", {"B&eep", "&Wave File", "N&o Sound"}),
              when(edit("reminderWave", "Wave file"), is("notify", 1)),
              check("deleteAfter", "&Delete this macro after displaying the reminder")}};
    s[27] = {"What should the macro do?", {radio("dialAction", {"&Dial a phone book entry", "&Hang up"})}};
    s[28] = {"Choose the connection",
             {list("phoneEntry", "Phone book entries", WizardList::PhoneBook), edit("dialUser", "User Name"),
              password("dialPassword", "Password")}};
    s[29] = {
        "Connection options",
        {when(check("permanent", "&Make Connection Permanent (Map Drive on Windows Bootup)"), isNot("netAction", 1)),
         when(check("permanent", "&Make Disconnection Permanent (Do not Map Drive on Bootup)"), is("netAction", 1)),
         check("showStatus", "D&isplay Connection Status"),
         when(check("force", "&Force Disconnection Even if Drive in Use"), is("netAction", 1)),
         when(check("defaultLogon", "&Use Default Logon Name and Password"), isNot("netAction", 1)),
         when(edit("logonName", "Logon Name"),
              [](const A& a) { return a.index("netAction") != 1 && !a.flag("defaultLogon"); }),
         when(password("logonPassword", "Logon Password"),
              [](const A& a) { return a.index("netAction") != 1 && !a.flag("defaultLogon"); })}};
    s[30] = {"What should the macro do?",
             {radio("launchKind",
                    {"&Launch a Program", "&Open a Document", "&Activate a Program (Window)",
                     "Ac&tivate a Program If Is Running; Otherwise, Launch It", "L&aunch a Program and Activate It"})}};
    s[31] = {"Change to a default folder before launching?",
             {radio("chdir", kNoYes), when(edit("chdirFolder", "Folder Name"), is("chdir", 1))}};
    s[32] = {"Which program?",
             {radio("progBy", {"&Enter the program path and name ",
                               "&Select program from list of installed programs on your computer"}),
              when(edit("progPath", "Program"), is("progBy", 0)),
              when(list("progListed", "Installed programs", WizardList::ProgramPaths), is("progBy", 1))}};
    s[33] = {"Enter the window title", {edit("winTitle", "Window title")}};
    s[34] = {"Choose the document", {edit("document", "Document")}};
    s[35] = {"What should the macro do?",
             {radio("moveKind", {"&Reposition the current top most window", "R&eposition a window of your choice",
                                 "Re&size the current top most window", "Resi&ze a window of your choice"})}};
    s[36] = {"Enter the new window size or screen position",
             {when(label("Enter the new window size"), [](const A& a) { return a.index("moveKind") >= 2; }),
              when(label("Enter the new screen position"), [](const A& a) { return a.index("moveKind") < 2; }),
              when(edit("first", "Width"), [](const A& a) { return a.index("moveKind") >= 2; }),
              when(edit("second", "Height"), [](const A& a) { return a.index("moveKind") >= 2; }),
              when(edit("first", "Top"), [](const A& a) { return a.index("moveKind") < 2; }),
              when(edit("second", "Left"), [](const A& a) { return a.index("moveKind") < 2; })}};
    s[37] = {"Which window's appearance activates the macro?", {edit("activationTitle", "Window title")}};
    s[38] = {
        "What should happen to the window?",
        {radio("winAction", {"&Maximize a Window", "M&inimize a Window", "&Restore a Window", "Cl&ose a Window"})}};
    s[39] = {"Which window?", {radio("whichWindow", {"&The Current Top Most Window", "&A Window of Your Choice"})}};
    s[40] = {"Enter the title of the window", {edit("chosenTitle", "Window title")}};
    s[41] = {"What should the macro do?",
             {radio("saver", {"&Turn the screen saver on", "&Set the screen saver off",
                              "S&et the idle time for the screen saver"}),
              when(edit("saverMinutes", "Minutes"), is("saver", 2))}};
    s[42] = {"What should the macro do?",
             {radio("cd", {"&Play CD", "&Stop CD", "P&ause CD", "Go To &Next Track on CD",
                           "Go To P&revious Track on CD", "&Go To Track", "&Eject CD", "Close CD &Tray"}),
              when(edit("track", "Track"), is("cd", 5))}};
    s[43] = {"What should the macro do?",
             {radio("soundKind", {"Play a sound", "Adjust Audio Sound Controls", "Adjust MIDI Sound Controls"})}};
    s[44] = {"Audio controls",
             {radio("audio", {"Volume off", "Volume on full", "Volume up", "Volume down", "Toggle mute", "Balance left",
                              "Balance right", "Balance centre", "Treble up", "Treble down", "Bass up", "Bass down"})}};
    s[45] = {"MIDI controls",
             {radio("midi", {"Volume off", "Volume on full", "Volume up", "Volume down", "Toggle mute", "Balance left",
                             "Balance right", "Balance centre"})}};
    s[46] = {"Choose the sound",
             {edit("wav", "WAV file"), check("wavWait", "&Wait for wave file to finish before continuing with macro")}};
    s[47] = {
        "What should the macro do?",
        {radio("desktop", {"Cascade windows", "Tile windows vertically", "Tile windows horizontally",
                           "Minimise all windows", "Restore all windows", "Eject from docking station", "Suspend"})}};
    s[48] = {"What should the macro do?",
             {radio("fileAction", {"Ch&ange The Current Folder", "Cr&eate A New Folder", "Cop&y A File",
                                   "&Rename A File", "&Delete A File"})}};
    s[49] = {"Enter the names", {edit("filePath", "Path"), when(edit("newName", "New Name"), [](const A& a) {
                                     return a.index("fileAction") == 2 || a.index("fileAction") == 3;
                                 })}};
    s[50] = {"Choose the macros of the menu", {list("menuMacros", "Macros", WizardList::MenuMacros)}};
    s[51] = {"How should the menu look?",
             {radio("menuShows", {"&First Part of Macro Text", "&Icons", "&Nickname and Scope"}),
              radio("iconSize", {"16 x 16", "24 x 24", "32 x 32", "48 x 48", "64 x 64"}, "Icon Size")}};
    s[52] = {"Would you like to be able to activate this menu from the system tray?", {radio("menuTray", kNoYes)}};
    s[53] = {"Which kind of command should the macro hold?",
             {radio("category", {wiz::kCommandCategories.begin(), wiz::kCommandCategories.end()})}};
    for (int category = 0; category < 4; ++category) {
        std::vector<std::string> captions;
        for (const wiz::WizardCommand* c : wiz::commandsOf(category)) captions.emplace_back(c->caption);
        s[54 + category] = {"Choose the command", {radio("command" + std::to_string(category), captions)}};
    }
    s[58] = {"Click \"Choose Final Macro Command\" to make the command in its dialog",
             {{C::Command, "commandText", "Macro Command", {}, WizardList::None, {}}}};
    s[59] = {"Do you wish to capture keystrokes?",
             {radio("captureKeys", kNoYes), check("doubleAlt", "&You plan to capture the ALT key by invoking a menu")}};
    s[60] = {
        "Do you wish to capture the mouse movements and clicks?",
        {radio("captureMouse", kNoYes),
         when(radio("relative", {"&Screen", "&Top Most Window", "&Last Mouse Position"}, "Relative to"),
              is("captureMouse", 1)),
         when(radio("clicksOnly", {"C&apture All Mouse Movements", "Ca&pture Mouse Movement Only Before A Mouse Click"},
                    "Mouse movements"),
              is("captureMouse", 1))}};
    s[61] = {"How fast should the macro play back?",
             {radio("speed", {"&As fast as possible", "Sa&me speed as recorded", "T&wice as fast",
                              "F&our times as fast", "T&en times as fast", "Hal&f as fast"})}};
    s[62] = {"Which window do you want to start recording in?",
             {list("captureWindow", "Open windows", WizardList::Windows),
              check("programOnly", "&Make this macro specific to this program only")}};
    s[63] = {"Click the Finish Button to start capturing your macro.",
             {label("The window you chose comes to the front and everything you type and click there is recorded. "
                    "To stop, press the Start / Stop Capture hot key or the hot key you chose for this macro.")}};
    s[71] = {"Enter an on-line sweepstakes with one hot key",
             {label("This wizard records you filling in a sweepstakes entry form once. Afterwards the macro types "
                    "the same entries whenever you start it: open the entry form, click in its first field and "
                    "press the macro's hot key.")}};
    s[72] = {"Record your entries",
             {{C::WebPage, "entryPage", "Address of the entry form", {}, WizardList::None, {}},
              label("Open the entry form with \"Launch Web Page\" or in your browser, then press \"Next >\": this "
                    "wizard steps aside and everything you type is recorded (mouse clicks are not). Click in the "
                    "form's first field, fill in the form with the keyboard (Tab goes to the next field) and press "
                    "{stop key} when you are done. A right click on the recording icon in the system tray ends the "
                    "recording too. This wizard then comes back.")}};
    s[73] = {"Your sweepstakes macro is ready",
             {label("Press \"Finish\" to make the macro. To enter again, open the entry form, click in its first "
                    "field and start the macro.")}};
    s[64] = {"Build the new macro from other macros",
             {{C::Combine, "combined", "New Combined Macro", {}, WizardList::Macros, {}}}};
    s[65] = {"Welcome",
             {label("Orvanta runs your macros from hotkeys, typed abbreviations, schedules and menus. "
                    "The next screens set it up the way you work."),
              check("dontShow", "Do not show this on program startup.")}};
    s[70] = {"What Orvanta can do",
             {label("Type text and keystrokes, paste, launch and arrange programs and windows, open web sites, "
                    "remind you on a schedule, and record what you do as a macro.")}};
    s[66] = {"ShortKey settings",
             {check("usePrefix", "Use &Prefix Keys"), edit("prefix", "Prefix keys"),
              check("caseSensitive", "Case &Sensitive"), check("solitary", "&Solitary Usage")}};
    s[67] = {"Capture defaults",
             {check("captureKeys", "Capture &Keystrokes"), check("captureMouse", "Capture &Mouse Relative To"),
              radio("relative", {"Screen", "Window", "Position"}),
              check("clicksOnly", "Capture Mouse Movements Onl&y In Relation With A Mouse Click"),
              check("timing", "Captur&e At"),
              radio("setSpeed", {"Actual speed", "Half speed", "Double speed", "Quadruple speed"})}};
    s[68] = {"Program settings",
             {check("networkMode", "&Enable Network Mode"), check("tray", "&Place In System Tray")}};
    s[69] = {"Which sample macros should be made? Each is made by its wizard after this set-up.", {}};
    const char* samples[] = {"&Name and address",     "&E-mail tagline", "&Date and time", "Dial-&up connection",
                             "Network drive &toggle", "&Logoff",         "&Play a CD",     "Audio &mute",
                             "Default p&rinter",      "P&ause a CD"};
    for (std::size_t i = 0; i < std::size(samples); ++i)
        s[69].controls.push_back(check("sample" + std::to_string(i), samples[i]));
    return s;
}

}  // namespace

const WizardScreen& wizardScreen(int number) {
    static const std::map<int, WizardScreen> table = screens();
    static const WizardScreen empty;
    const auto it = table.find(number);
    return it == table.end() ? empty : it->second;
}

std::string wizardIntro(int wizard) {
    const std::string title(wiz::wizard(wizard).title);
    return "This wizard makes one complete macro: " + title +
           ". Answer the questions on the next screens; the last screens choose how the macro is started, where it "
           "plays back and its name.";
}

}  // namespace orv::gui
