#include "engine/password_substitution.h"

#include <cstdint>

namespace orv {

char substitutePasswordChar(char c) {
    const int s = static_cast<std::int8_t>(c);
    int out = s;
    if (s == 0 || (s >= -55 && s <= -1)) {
        out = s;
    } else if ((s >= 26 && s <= 50) || (s >= 76 && s <= 100) || s == 126 || s == 127 || (s >= -128 && s <= -106) ||
               (s >= -80 && s <= -56)) {
        out = s - 25;
    } else {
        out = s + 25;
    }
    // Arithmetic wraps around as a signed byte does.
    return static_cast<char>(static_cast<std::uint8_t>(out & 0xFF));
}

std::string substitutePassword(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = substitutePasswordChar(c);
    return out;
}

}  // namespace orv
