#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/command_catalogue.h"

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

// The command numbers by name (the macro-language catalogue declares them).
namespace cmd = orv::script_command;

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
