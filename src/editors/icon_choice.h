#pragma once

#include <optional>
#include <string>

#include "platform/user_prompt.h"

namespace orv::editors {

// The longest icon name a record holds.
inline constexpr std::size_t kIconNameLength = 12;

// "Load in Icon" chose the file `chosen` (a path of the file system): makes it one of the
// icons folder's files and gives the name the record keeps. A file from elsewhere is copied into
// the folder, never over a file that is there already; a name longer than a record holds gets a
// short name of its own ("LONGNA~1.ICO"). Nothing, after the message, when it is not an icon file
// or cannot be put into the folder.
std::optional<std::string> chooseIcon(const std::string& chosen, const std::string& iconsDir, IUserPrompt& prompt);

// The question of a right click on the icon button; true when the icon goes back to the main one.
bool askResetIcon(IUserPrompt& prompt);

}  // namespace orv::editors
