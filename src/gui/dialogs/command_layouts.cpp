#include "gui/dialogs/command_layouts.h"

namespace orv::gui {

namespace {

using enum Ctl;

constexpr LayoutItem kWaitWin[] = {
    {Group, "", "", "2"},
    {Radio, "kind", "Wait For &Window Title To Appear", "window"},
    {Radio, "kind", "Wait For W&indow Title To Lose Focus", "losefocus"},
    {Radio, "kind", "Wait For &Program To Terminate", "program"},
    {Radio, "kind", "Wait For &Key Press", "key"},
    {Radio, "kind", "Wait For &Text", "text"},
    {Radio, "kind", "Wait For &Left Mouse Click", "left"},
    {Radio, "kind", "Wait For &Right Mouse Click", "right"},
    {Radio, "kind", "Wait For &Middle Mouse Click", "middle"},
    {Radio, "kind", "Wait For Text To Play &Back", "playback"},
    {Radio, "kind", "Wait For Time To &Elapse", "time"},
    {EndGroup, "", ""},
    // One place below the choices shows what the chosen kind of wait needs.
    {Group, "", "", "1", {}, "kind=window|losefocus"},
    {Text, "title", "Win&dow Title"},
    {Label, "", "(may be partial title)"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=program"},
    {Text, "program", "Progr&am Name"},
    {Pick, "program", "Li&st Programs", "programs"},
    {Label, "", "(may be partial name)"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=text"},
    {Text, "text", "Te&xt To Wait For"},
    {Check, "casesensitive", "Case Sensiti&ve"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=key"},
    {Combo, "key", "Ke&y To Wait For", "choices"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=time"},
    {Text, "minutes", "Mi&nutes To Wait"},
    {Text, "seconds", "Secon&ds"},
    {EndGroup, "", ""},
    {Group, "", "Time Limit", "3", "kind!=time|playback"},
    {Radio, "limit", "Wait Inde&finitely", "indefinite", "kind!=time|playback"},
    {Radio, "limit", "Wait a Maxim&um Of", "maximum", "kind!=time|playback"},
    {Text, "limitminutes", "Mi&nutes", "cell", "kind!=time|playback"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kDelay2[] = {
    {Radio, "unit", "Delay in &Seconds", "seconds"},
    {Text, "seconds", "S&econds", {}, "unit=seconds"},
    {Radio, "unit", "Delay in &Milliseconds", "milliseconds"},
    {Text, "milliseconds", "M&illiseconds", {}, "unit=milliseconds"},
};

constexpr LayoutItem kSpeed[] = {
    {Radio, "kind", "&Keyboard Speed", "keyboard"},
    {Radio, "kind", "&Mouse Speed", "mouse"},
    {Radio, "kind", "M&acro Speed", "macro"},
    {Text, "milliseconds", "Milliseconds &Between Events", {}, "kind=keyboard|mouse"},
    {Text, "factor", "Playback Speed &Factor", {}, "kind=macro"},
};

constexpr LayoutItem kRepeat[] = {
    {Radio, "kind", "&Start Repeat", "start"},
    {Text, "count", "&Times To Repeat", {}, "kind=start"},
    {Text, "start", "Counter Starts &At", {}, "kind=start"},
    {Text, "step", "Co&unter Step", {}, "kind=start"},
    {Radio, "kind", "Start Repeat with &Prompt", "prompt"},
    {Radio, "kind", "&End Repeat", "end"},
    {Radio, "kind", "&Incremental Counter", "counter"},
    {Text, "width", "Counter &Width (1 to 4)", {}, "kind=counter"},
};

constexpr LayoutItem kRepeatPrompt[] = {
    {Text, "count", "&Times To Repeat"},
};

constexpr LayoutItem kPausePos[] = {
    {Radio, "kind", "&Basic Pause", "basic"},
    {Radio, "kind", "Complex &Pause", "complex"},
    {Text, "top", "&Top", {}, "kind=complex"},
    {Text, "left", "&Left", {}, "kind=complex"},
    {Text, "message", "Pause &Message", {}, "kind=complex"},
};

constexpr LayoutItem kActive[] = {
    {Radio, "kind", "&Activate Window Only", "activate"},
    {Radio, "kind", "&Launch Program Only", "launch"},
    {Radio, "kind", "La&unch Program and Activate Window", "launchactivate"},
    {Radio, "kind", "Activate &Window if Running Otherwise Launch Program and Activate Window", "activateorlaunch"},
    {Text, "title", "Window &Title", {}, "kind!=launch"},
    {Text, "program", "P&rogram", {}, "kind!=activate"},
    {Browse, "program", "", "Programs (*)", "kind!=activate"},
    {Text, "parameters", "Para&meters", {}, "kind!=activate"},
    {Text, "delay", "&Delay Before Launching (Seconds)", {}, "kind!=activate"},
    {Text, "wait", "&Seconds To Wait For The Window", {}, "kind=launchactivate|activateorlaunch"},
};

constexpr LayoutItem kSystemCommand[] = {
    {Group, "", "", "2"},
    {Radio, "command", "&Maximize Window", "maximize"},
    {Radio, "command", "M&inimize Window", "minimize"},
    {Radio, "command", "&Restore Window", "restore"},
    {Radio, "command", "C&lose Window", "close"},
    {Radio, "command", "Hi&de Window", "hide"},
    {Radio, "command", "&Show Window (unhide)", "show"},
    {Radio, "command", "Shut Down &Program", "shutdown"},
    {EndGroup, "", ""},
    {Group, "", "Window", "1"},
    {Radio, "window", "Current &Window", "current"},
    {Radio, "window", "Speci&fic Window", "specific"},
    {Text, "title", "Window &Title", {}, "window=specific"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kSizeIt[] = {
    {Radio, "kind", "&Resize Window", "resize"},
    {Text, "width", "W&idth", {}, "kind=resize"},
    {Text, "height", "Hei&ght", {}, "kind=resize"},
    {Radio, "kind", "Po&sition Window", "position"},
    {Text, "left", "&Left", {}, "kind=position"},
    {Text, "top", "To&p", {}, "kind=position"},
    {Group, "", "Window", "1"},
    {Radio, "window", "Current &Window", "current"},
    {Radio, "window", "Speci&fic Window", "specific"},
    {Text, "title", "Window &Title", {}, "window=specific"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kMouse[] = {
    {Group, "", "Clicks", "4"},
    {Radio, "action", "&Left Click", "lclick"},
    {Radio, "action", "Left &Double Click", "ldclick"},
    {Radio, "action", "Left Button Do&wn", "ldown"},
    {Radio, "action", "Left Button &Up", "lup"},
    {Radio, "action", "&Right Click", "rclick"},
    {Radio, "action", "Ri&ght Double Click", "rdclick"},
    {Radio, "action", "Right Button Dow&n", "rdown"},
    {Radio, "action", "Right Button U&p", "rup"},
    {Radio, "action", "&Middle Click", "mclick"},
    {Radio, "action", "Middle Dou&ble Click", "mdclick"},
    {Radio, "action", "Middle Button Down", "mdown"},
    {Radio, "action", "Middle Button Up", "mup"},
    {EndGroup, "", ""},
    {Group, "", "", "4"},
    {Radio, "action", "Mouse Mo&ve", "move"},
    {Radio, "action", "Wheel &Forward", "wheelforward"},
    {Radio, "action", "Wheel Bac&kward", "wheelbackward"},
    {EndGroup, "", ""},
    // One place below shows what the chosen action needs.
    {Group, "", "Move Relative To", "4", {}, "action=move"},
    {Radio, "movemode", "&Screen", "screen"},
    {Radio, "movemode", "W&indow", "window"},
    {Radio, "movemode", "Last Posi&tion", "position"},
    {Radio, "movemode", "C&aret", "caret"},
    {Text, "x", "&X Position", "cell"},
    {Text, "y", "&Y Position", "cell"},
    {Pick, "y", "Mous&e Locator", "locator"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "action=wheelforward|wheelbackward"},
    {Text, "clicks", "Wh&eel Clicks"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kKeyUpDown[] = {
    {Group, "", "", "2"},
    {Radio, "key", "Co&ntrol Down", "ctrldown"},
    {Radio, "key", "Con&trol Up", "ctrlup"},
    {Radio, "key", "&Alt Down", "altdown"},
    {Radio, "key", "A&lt Up", "altup"},
    {Radio, "key", "&Shift Down", "shiftdown"},
    {Radio, "key", "Sh&ift Up", "shiftup"},
    {Radio, "key", "&Win Down", "windown"},
    {Radio, "key", "Win &Up", "winup"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kClipboard[] = {
    {Radio, "kind", "&Start Clipboard Copy", "start"},
    {Radio, "kind", "&End Clipboard Copy", "end"},
    {Radio, "kind", "Cop&y Text File To Clipboard", "textfile"},
    {Radio, "kind", "Copy Bit&map To Clipboard", "bitmap"},
    {Text, "file", "&File", {}, "kind=textfile|bitmap"},
    {Browse, "file", "", "Text Files (*.txt *.TXT);;Bitmaps (*.bmp *.BMP);;All Files (*)", "kind=textfile|bitmap"},
    {Radio, "kind", "&Issue Copy To Clipboard Command (CTRL+C)", "copy"},
    {Radio, "kind", "Issue &Paste From Clipboard Command (CTRL+V)", "paste"},
    {Radio, "kind", "&Type Out Text From The Clipboard", "type"},
    {Check, "ignorecrlf", "Ig&nore CR/LF", {}, "kind=type"},
};

constexpr LayoutItem kRemark[] = {
    {Text, "remark", "&Remark"},
};

constexpr LayoutItem kTBox[] = {
    {Text, "header", "Bo&x Header"},
    {Text, "content", "Box Co&ntent"},
};

constexpr LayoutItem kNick[] = {
    {Radio, "kind", "&Run A Macro", "run"},
    {Radio, "kind", "&Delete A Macro", "delete"},
    {Radio, "kind", "&Activate A Macro", "activate"},
    {Radio, "kind", "D&eactivate A Macro", "deactivate"},
    {Text, "nickname", "&Nickname"},
    {List, "highlighted", "&Macros", "nicknames"},
};

constexpr LayoutItem kSwap[] = {
    {Text, "file", "&Macro File"},
    {Browse, "file", "", "Orvanta Files (*.orv *.ORV);;All Files (*)"},
};

constexpr LayoutItem kWebStuff[] = {
    {Label, "", "Web Site URL", {}, {}, "mode=web"},
    {Label, "", "FTP URL", {}, {}, "mode=ftp"},
    {Text, "url", ""},
};

constexpr LayoutItem kDosFiles[] = {
    {Radio, "kind", "Ch&ange Directory/Folder", "chdir"},
    {Radio, "kind", "Cop&y File", "copy"},
    {Radio, "kind", "&Rename File", "rename"},
    {Radio, "kind", "&Delete File", "delete"},
    {Radio, "kind", "Cr&eate Directory/Folder", "mkdir"},
    {Text, "path", "&File or Folder"},
    {Browse, "path", "", "All Files (*)"},
    {Text, "newname", "&New Name", {}, "kind=copy|rename"},
};

constexpr LayoutItem kNetConn[] = {
    {Group, "", "", "3"},
    {Radio, "kind", "Conn&ect Drive", "connect"},
    {Radio, "kind", "&Toggle Connection", "toggle"},
    {Radio, "kind", "&Disconnect Drive", "disconnect"},
    {EndGroup, "", ""},
    {Combo, "drive", "D&rive", "drives"},
    {Text, "path", "Network &Path", {}, "kind!=disconnect"},
    {Browse, "path", "", "folder", "kind!=disconnect"},
    {Check, "usedefault", "&Use Default Name and Password", {}, "kind!=disconnect"},
    {Group, "", "", "2"},
    {Text, "name", "Logon &Name", "cell", "usedefault!=1"},
    {Password, "password", "Logon Pass&word", "cell", "usedefault!=1"},
    {EndGroup, "", ""},
    {Check, "permanent", "&Make Connection Permanent (Map Drive on Windows Bootup)", {}, {}, "kind!=disconnect"},
    {Check, "permanent", "&Make Disconnection Permanent (Do not Map Drive on Bootup)", {}, {}, "kind=disconnect"},
    {Group, "", "", "2"},
    {Check, "force", "&Force Disconnection Even if Drive in Use", {}, "kind=disconnect"},
    {Check, "status", "D&isplay Connection Status"},
    {ShowList, "MappedDrives", "List Current Mapped Dri&ves", "mapped"},
    {ShowList, "BootDrives", "List Drives That M&ap on Bootup", "remembered"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kDialup[] = {
    {Radio, "kind", "&Dial a Phone Book Entry", "dial"},
    {List, "entry", "Phone Book &Entries", "phonebook", "kind=dial"},
    {Text, "name", "User &Name", {}, "kind=dial"},
    {Password, "password", "&Password", {}, "kind=dial"},
    {Radio, "kind", "Hang &Up", "hangup"},
};

constexpr LayoutItem kAvi[] = {
    {Radio, "kind", "&Play Immediately", "immediate"},
    {Radio, "kind", "Play &Immediately && Exit When Done", "immediateexit"},
    {Radio, "kind", "&Wait To Play", "wait"},
    {Text, "file", "&Video File"},
    {Browse, "file", "", "Video Files (*.avi *.AVI *.mp4 *.mkv *.webm *.ogv);;All Files (*)"},
};

constexpr LayoutItem kCdRom[] = {
    {Group, "", "", "2"},
    {Radio, "kind", "&Play", "play"},
    {Radio, "kind", "&Stop", "stop"},
    {Radio, "kind", "P&ause", "pause"},
    {Radio, "kind", "&Next Track", "next"},
    {Radio, "kind", "P&revious Track", "previous"},
    {Radio, "kind", "&Go To Track", "goto"},
    {Radio, "kind", "S&tep", "step"},
    {Radio, "kind", "&Back", "back"},
    {Radio, "kind", "&Eject", "eject"},
    {Radio, "kind", "C&lose Tray", "close"},
    {EndGroup, "", ""},
    {Text, "number", "Trac&k or Seconds", {}, "kind=goto|step|back"},
};

constexpr LayoutItem kVolume[] = {
    {Group, "", "Speakers", "4"},
    {Radio, "command", "Audio O&ff", "audoff"},
    {Radio, "command", "Audio O&n", "audon"},
    {Radio, "command", "Audio &Up", "audup"},
    {Radio, "command", "Audio &Down", "auddown"},
    {Radio, "command", "Audio &Mute", "audmute"},
    {Radio, "command", "Audio &Left", "audleft"},
    {Radio, "command", "Audio &Right", "audright"},
    {Radio, "command", "Audio C&enter", "audcenter"},
    {EndGroup, "", ""},
    {Group, "", "MIDI", "4"},
    {Radio, "command", "M&IDI Off", "midioff"},
    {Radio, "command", "MIDI On", "midion"},
    {Radio, "command", "MIDI U&p", "midiup"},
    {Radio, "command", "MIDI Do&wn", "mididown"},
    {Radio, "command", "MIDI Mu&te", "midimute"},
    {Radio, "command", "MIDI Left", "midileft"},
    {Radio, "command", "MIDI Ri&ght", "midiright"},
    {Radio, "command", "MIDI Center", "midicenter"},
    {EndGroup, "", ""},
    {Group, "", "Tone", "4"},
    {Radio, "command", "Tre&ble Up", "trebup"},
    {Radio, "command", "Treble Down", "trebdown"},
    {Radio, "command", "B&ass Up", "bassup"},
    {Radio, "command", "Ba&ss Down", "bassdown"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kExplore[] = {
    {Text, "folder", "&Folder"},
    {Browse, "folder", "", "folder"},
};

constexpr LayoutItem kRecycle[] = {
    // Minimize and Restore share the first column: four columns of the longest captions would
    // not fit a small screen.
    {Group, "", "Commands", "4"},
    {Radio, "command", "&Minimize All Windows", "minimizeall", "shell"},
    {Radio, "command", "&Tile Vertically", "tilevertical"},
    {Radio, "command", "Tile Hori&zontally", "tilehorizontal"},
    {Radio, "command", "C&ascade", "cascade"},
    {Radio, "command", "&Restore All Windows", "restoreall", "shell"},
    {Radio, "command", "&Suspend Computer", "suspend", "shell"},
    {Radio, "command", "Undoc&k Computer", "undock", "shell"},
    {EndGroup, "", ""},
    {Group, "", "Run the following Dialog Windows", "4"},
    {Radio, "command", "&Date and Time", "dateandtime", "shell"},
    {Radio, "command", "&Find Computers", "findcomputers", "shell"},
    {Radio, "command", "F&ind Files", "findfiles", "shell"},
    {Radio, "command", "Run &Programs", "runprograms", "shell"},
    {EndGroup, "", ""},
    {Group, "", "Open Explorer Up To:", "4"},
    {Radio, "command", "Contro&l Panel", "controlpanel"},
    {Radio, "command", "D&esktop Folder", "desktopfolder"},
    {Radio, "command", "Desktop Pro&grams", "desktopprograms"},
    {Radio, "command", "Fa&vorites", "favorites"},
    {Radio, "command", "Fo&nts", "fonts"},
    {Radio, "command", "M&y Computer", "mycomputer"},
    {Radio, "command", "Net&work Neighborhood", "network"},
    {Radio, "command", "Printers", "printers"},
    {Radio, "command", "Programs Folder", "programs"},
    {Radio, "command", "Recent Documents", "recent"},
    {Radio, "command", "Recycle &Bin", "recyclebin"},
    {Radio, "command", "Start Menu", "startmenu"},
    {Radio, "command", "Startup Folder", "startup"},
    {Radio, "command", "&User Documents", "userdocuments"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kDefPrint[] = {
    {List, "printer", "&Printers", "printers"},
};

constexpr LayoutItem kScreen[] = {
    {List, "mode", "&Display Settings", "modes"},
};

constexpr LayoutItem kReboot[] = {
    {Radio, "kind", "&Reboot", "reboot"},
    {Radio, "kind", "&Shut Down", "shutdown"},
    {Radio, "kind", "&Log Off", "logoff"},
    {Radio, "kind", "&Power Off", "poweroff"},
};

constexpr LayoutItem kSysControls[] = {
    {Group, "", "", "2"},
    {Radio, "kind", "Turn Screen Sa&ver On", "saveron"},
    {Radio, "kind", "Set Screen Sav&er Off", "saveroff"},
    {Radio, "kind", "Set Screen Save&r Time Out", "savertime"},
    {Radio, "kind", "Set Keyboard Repeat &Delay", "keydelay"},
    {Radio, "kind", "Set Keyboard Repeat &Speed", "keyspeed"},
    {Radio, "kind", "Set Window Si&zing Border", "border"},
    {Radio, "kind", "Set Desktop &Wallpaper", "wallpaper"},
    {EndGroup, "", ""},
    // One place below the choices shows what the chosen setting needs.
    {Group, "", "", "1", {}, "kind=savertime"},
    {Text, "minutes", "&Minutes (1 to 60)"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=keydelay"},
    {Text, "delay", "Delay &Factor (0 to 3)"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=keyspeed"},
    {Text, "speed", "Speed &Factor (0 to 31)"},
    {EndGroup, "", ""},
    {Group, "", "", "1", {}, "kind=border"},
    {Text, "border", "Border Wid&th (1 to 10)"},
    {EndGroup, "", ""},
    {Group, "", "Wallpaper", "4", {}, "kind=wallpaper"},
    {Check, "tile", "&Tile Bitmap"},
    {Radio, "style", "Ce&nter", "center"},
    {Radio, "style", "Stretch", "stretch"},
    {Radio, "style", "&Position", "position"},
    {Text, "x", "&X", "cell", "style=position"},
    {Text, "y", "&Y", "cell", "style=position"},
    {Text, "bitmap", "Bitmap &File"},
    {Browse, "bitmap", "", "Images (*.bmp *.BMP *.png *.jpg *.jpeg);;All Files (*)"},
    {EndGroup, "", ""},
};

constexpr LayoutItem kAllProgs[] = {
    {List, "entry", "&Installed Programs", "programs"},
};

constexpr FormLayout kLayouts[] = {
    {"TDoWaitWin", kWaitWin},
    {"TDoDelay2", kDelay2},
    {"TDoSpeed", kSpeed},
    {"TDoRepeat", kRepeat},
    {"TRepeatPrompt", kRepeatPrompt},
    {"TDoPausePos", kPausePos},
    {"TDoActive", kActive},
    {"TDoSystemCommand", kSystemCommand},
    {"TDoSizeIt", kSizeIt},
    {"TDoMouse", kMouse},
    {"TDoKeyUpDown", kKeyUpDown},
    {"TDoClipboard", kClipboard},
    {"TDoRemark", kRemark},
    {"TDoTBox", kTBox},
    {"TDoNick", kNick},
    {"TDoSwap", kSwap},
    {"TDoWebStuff", kWebStuff},
    {"TDoDOSFiles", kDosFiles},
    {"TDoNetConn", kNetConn},
    {"TDoDialup", kDialup},
    {"TDoAVI", kAvi},
    {"TDoCDRom", kCdRom},
    {"TDoVolume", kVolume},
    {"TDoExplore", kExplore},
    {"TDoRecycle", kRecycle},
    {"TDoDefPrint", kDefPrint},
    {"TDoScreen", kScreen},
    {"TDoReboot", kReboot},
    {"TDoSysControls", kSysControls},
    {"TDoAllProgs", kAllProgs},
};

}  // namespace

const FormLayout* commandLayout(std::string_view typeName) {
    for (const FormLayout& l : kLayouts)
        if (l.typeName == typeName) return &l;
    return nullptr;
}

std::span<const FormLayout> commandLayouts() { return kLayouts; }

}  // namespace orv::gui
