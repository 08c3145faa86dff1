#pragma once

#include <string>

#include "store/app_settings.h"

namespace orv {

inline constexpr const char* kShortcutNoNickNameText =
    "A macro is activated via the desktop based on the \"Nickname\" of the macro. The macro you have chosen has no "
    "nickname assigned.  You will need to give the macro a nickname first.";
inline constexpr const char* kShortcutSameNickNameText =
    "A macro is activated via the desktop based on the \"Nickname\" of the macro. The macro you have chosen has the "
    "same nickname as another macro.  You will  need to change the nickname of one of these macros first.";
inline constexpr const char* kShortcutAddedText = "DeskTop Icon Added.";

// "&Place On Desktop" for macro j: the message (title "Error") that refuses it, or empty.
// Nicknames are compared as the "/A" switch compares them, ignoring case, so that no shortcut
// can start a different macro from the one it was made for.
std::string placeOnDesktopError(const TAppSettings& settings, int macroCount, int j);

// A desktop entry that runs `programPath /A <nickname>`.
struct DesktopShortcut {
    std::string fileName;  // the nickname (UTF-8, "/" replaced) with ".desktop"
    std::string contents;  // UTF-8 text of the entry
};

// `nickName` is Windows-1252; the paths are in the file system's encoding. Every value is
// quoted and escaped so that no nickname can add keys to the entry or arguments to the command.
DesktopShortcut makeDesktopShortcut(const std::string& nickName, const std::string& programPath,
                                    const std::string& iconPath, const std::string& workingDir);

}  // namespace orv
