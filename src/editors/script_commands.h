#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orv::script {

// The Scripting Editor's 111 commands. A command's number is its position in this table plus
// one; its label begins every script line of that command and is also its entry in the
// editor's command list.
inline constexpr std::size_t kCommandCount = 111;

inline constexpr std::array<std::string_view, kCommandCount> kCommandLabels = {
    "Text",
    "Date",
    "Time",
    "Delay",
    "Pause",
    "Repeat Start",
    "Repeat End",
    "Keystroke Speed",
    "Mouse Speed",
    "Window Activate",
    "Program Launch",
    "Sound Beep",
    "Sound Wave File",
    "Load New Macro File",
    "Load Text File",
    "Window Resize",
    "Window Reposition",
    "Window Maximize",
    "Window Minimize",
    "Window Restore",
    "Window Close",
    "Window Hide",
    "Window Show",
    "Mouse Move",
    "Mouse Left Button",
    "Mouse Right Button",
    "Mouse Middle Button",
    "Mouse Wheel",
    "Remark",
    "Clipboard Copy",
    "Clipboard Paste",
    "Repeat Counter",
    "Activate or Launch",
    "Launch and Activate",
    "Clipboard Start Copy",
    "Clipboard End Copy",
    "Clipboard File Copy",
    "Program Shut Down",
    "Control Key",
    "Alt Key",
    "Shift Key",
    "Win Key",
    "Web Site",
    "Web FTP",
    "Repeat Prompt Start",
    "Change Directory/Folder",
    "Delete File",
    "Copy File",
    "Rename File",
    "Macro Playback Speed",
    "Macro Run",
    "Network Connect",
    "Network Disconnect",
    "Window of Text",
    "Video Clip Play",
    "CD-Rom Play",
    "CD-Rom Stop",
    "CD-Rom Pause",
    "CD-Rom Next Track",
    "CD-Rom Previous Track",
    "CD-Rom Go To Track",
    "CD-Rom Step",
    "CD-Rom Back",
    "CD-Rom Eject",
    "CD-Rom Close Tray",
    "Open Folder In Explorer",
    "DeskTop Cascade",
    "DeskTop Tile",
    "DeskTop Minimize All",
    "DeskTop Restore All",
    "Clipboard Type Text",
    "Default Printer",
    "Default Display Size",
    "Logoff",
    "Reboot",
    "Shut Down",
    "Power Off",
    "Screen Saver",
    "Keyboard Repeat Speed",
    "Keyboard Delay",
    "Wallpaper",
    "Windows Sizing Border",
    "Network Toggle",
    "Clipboard Bitmap Copy",
    "Audio Volume",
    "Audio Balance",
    "Audio Mute Toggle",
    "Audio Treble",
    "Audio Bass",
    "MIDI Volume",
    "MIDI Balance",
    "MIDI Mute Toggle",
    "Wait For Window Title",
    "Dial-Up Networking",
    "Macro Delete",
    "Macro Activate",
    "Macro Deactivate",
    "Create Directory/Folder",
    "Wait Window Lose Focus",
    "Wait Program Terminate",
    "Wait For Key Press",
    "Wait For Text",
    "Wait Left Mouse Click",
    "Wait Right Mouse Click",
    "Wait Middle Mouse Click",
    "Open Explorer To",
    "Run Dialog Window",
    "Undock Computer",
    "Suspend Computer",
    "Wait Text Playback",
    "Wait Time Elapse",
};

// Command numbers that the editor's logic refers to by name.
namespace cmd {
inline constexpr int Text = 1, Date = 2, Time = 3, Delay = 4, Pause = 5, RepeatStart = 6, RepeatEnd = 7,
                     KeystrokeSpeed = 8, MouseSpeed = 9, WindowActivate = 10, ProgramLaunch = 11, SoundBeep = 12,
                     SoundWaveFile = 13, LoadNewMacroFile = 14, LoadTextFile = 15, WindowResize = 16,
                     WindowReposition = 17, WindowMaximize = 18, WindowMinimize = 19, WindowRestore = 20,
                     WindowClose = 21, WindowHide = 22, WindowShow = 23, MouseMove = 24, MouseLeft = 25,
                     MouseRight = 26, MouseMiddle = 27, MouseWheel = 28, Remark = 29, ClipboardCopy = 30,
                     ClipboardPaste = 31, RepeatCounter = 32, ActivateOrLaunch = 33, LaunchAndActivate = 34,
                     ClipboardStartCopy = 35, ClipboardEndCopy = 36, ClipboardFileCopy = 37, ProgramShutDown = 38,
                     ControlKey = 39, AltKey = 40, ShiftKey = 41, WinKey = 42, WebSite = 43, WebFtp = 44,
                     RepeatPromptStart = 45, ChangeFolder = 46, DeleteFile = 47, CopyFile = 48, RenameFile = 49,
                     PlaybackSpeed = 50, MacroRun = 51, NetworkConnect = 52, NetworkDisconnect = 53, WindowOfText = 54,
                     VideoClipPlay = 55, CdPlay = 56, CdStop = 57, CdPause = 58, CdNext = 59, CdPrevious = 60,
                     CdGoTo = 61, CdStep = 62, CdBack = 63, CdEject = 64, CdCloseTray = 65, OpenFolder = 66,
                     DeskTopCascade = 67, DeskTopTile = 68, DeskTopMinimizeAll = 69, DeskTopRestoreAll = 70,
                     ClipboardTypeText = 71, DefaultPrinter = 72, DefaultDisplaySize = 73, Logoff = 74, Reboot = 75,
                     ShutDown = 76, PowerOff = 77, ScreenSaver = 78, KeyboardRepeatSpeed = 79, KeyboardDelay = 80,
                     Wallpaper = 81, SizingBorder = 82, NetworkToggle = 83, ClipboardBitmapCopy = 84, AudioVolume = 85,
                     AudioBalance = 86, AudioMute = 87, AudioTreble = 88, AudioBass = 89, MidiVolume = 90,
                     MidiBalance = 91, MidiMute = 92, WaitForWindow = 93, DialUp = 94, MacroDelete = 95,
                     MacroActivate = 96, MacroDeactivate = 97, CreateFolder = 98, WaitLoseFocus = 99,
                     WaitProgramEnd = 100, WaitKeyPress = 101, WaitText = 102, WaitLeftClick = 103,
                     WaitRightClick = 104, WaitMiddleClick = 105, OpenExplorerTo = 106, RunDialog = 107, Undock = 108,
                     Suspend = 109, WaitPlayback = 110, WaitTimeElapse = 111;
}  // namespace cmd

// The label of command `command` (1..111).
std::string_view commandLabel(int command);

// The label lengths, recorded once beside the labels for the prefix test of commandOfLine.
const std::array<std::size_t, kCommandCount>& labelLengths();

// The command of a script line, found from its text alone: leading and trailing blanks are
// stripped, then the first command whose label equals the start of the text wins. 0 when no
// label matches (never for a line that the editor made).
int commandOfLine(std::string_view lineText);

// The text without leading and trailing blanks.
std::string_view stripBlanks(std::string_view text);

}  // namespace orv::script
