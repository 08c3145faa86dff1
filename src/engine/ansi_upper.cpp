#include "engine/ansi_upper.h"

namespace orv {

char ansiUpperChar(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    // Accented small letters, the division sign (0xF7) excepted; 0xDF (sharp s) has no capital.
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // s caron
        case 0x9C:
            return static_cast<char>(0x8C);  // oe
        case 0x9E:
            return static_cast<char>(0x8E);  // z caron
        case 0xFF:
            return static_cast<char>(0x9F);  // y diaeresis
        default:
            return c;
    }
}

std::string ansiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ansiUpperChar(c);
    return out;
}

bool containsNoCase(std::string_view haystack, std::string_view needle) {
    return ansiUpper(haystack).find(ansiUpper(needle)) != std::string::npos;
}

}  // namespace orv
