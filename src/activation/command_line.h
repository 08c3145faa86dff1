#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "activation/scheduler.h"
#include "store/app_settings.h"

namespace orv {

class HotkeyDispatcher;
class IDispatchHost;
class IUserPrompt;
class TActivationTable;

inline constexpr std::size_t kCommandLineNickChars = 50;
inline constexpr std::size_t kHandOverChars = 255;

// What the command-line switches ask for. Arguments are given without the program's own path.
struct CommandLine {
    // Program entry, compared exactly: "/S" and "/H".
    bool useTray = false;
    bool useHide = false;
    // The main window's pass, compared upper-cased.
    bool autoSync = false;            // "/S" in any case
    bool hideAtFirstPaint = false;    // "/HIDE"
    bool browse = false;              // "/B"
    bool browseAll = false;           // "/BA"
    bool useClose = false;            // "/C"
    bool networkMode = false;         // "/N"
    std::optional<std::string> file;  // the argument after "/F", as written
    std::optional<int> syncMinutes;   // the number after "/SM", when it is 1..98
    bool runMacro = false;            // "/A" was given
    std::string macroName;            // its nickname, upper-cased, at most 50 characters

    BrowseMode browseMode() const {
        return browseAll ? BrowseMode::BrowseAll : browse ? BrowseMode::Browse : BrowseMode::Off;
    }
};

// `args` as the system gives them (UTF-8); the "/F" path is kept as given.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// Stores the settings the switches change ("Use Tray", "Use Hide", "Auto Sync", "Use Close",
// "Network Mode", "Sync Minutes", and "Current File" when the "/F" file exists). Returns true
// when the current file changed and must be loaded.
bool applyCommandLine(const CommandLine& commandLine, TAppSettings& settings);

// The nickname after "/A" in an upper-cased command line: the text after the first "/A" that
// stands as a word of its own, up to the next "/", blanks trimmed. Empty when there is none.
// Requiring a word of its own keeps path names such as "/HOME/ALICE" from being read as "/A".
std::optional<std::string> macroNameAfterSwitch(std::string_view upperLine);

// The first macro whose upper-cased nickname equals `upperName`; 0 when none (an empty name
// names no macro).
int findMacroByNickName(const TAppSettings& settings, int macroCount, std::string_view upperName);

// The hand-over of a command line from a second start of the program to the running one: one
// message per character (its Windows-1252 code, 1..255), then one message with 0. The sender
// passes utf8ToCp1252(joinArguments(its arguments)).
std::vector<std::int64_t> encodeHandOver(std::string_view commandLine);
// The command line to hand over for the arguments of a second start.
std::string joinArguments(const std::vector<std::string>& args);

// The receiving side of the hand-over.
class HandOverReceiver {
public:
    struct Result {
        // With "/A": run the macro named `macroName`; otherwise bring the main window up.
        bool runMacro = false;
        std::string macroName;
    };

    // One message's LParam. Returns the result at the terminating message (LParam <= 0) and
    // starts a fresh hand-over; characters past 255 are dropped.
    std::optional<Result> receive(std::int64_t lParam);

    const std::string& pending() const { return buffer_; }

private:
    std::string buffer_;
};

// The hand-over's macro (WM_USER+10): the first macro with that nickname. Nothing happens when
// none has it or a macro is playing; a popup menu on screen or a running capture is refused with
// its warning. System macro "4" shows the top-window menu and the other System macros do
// nothing; any other macro runs as a hotkey would run it (a popup menu shows its menu). Returns
// true when something was started.
bool runHandedOverMacro(std::string_view upperName, HotkeyDispatcher& dispatcher, const TActivationTable& table,
                        const TAppSettings& settings, IDispatchHost& host, IUserPrompt& prompt, bool macroPlaying);

}  // namespace orv
