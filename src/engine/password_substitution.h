#pragma once

#include <string>
#include <string_view>

namespace orv {

// The per-character substitution through which logon passwords are stored in network and
// dial-up commands. It is its own inverse: applying it twice gives the original text.
char substitutePasswordChar(char c);
std::string substitutePassword(std::string_view text);

}  // namespace orv
