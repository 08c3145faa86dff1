#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/activation_table.h"

namespace orv {

// A hotkey code taken apart: the virtual key or mouse button and its modifiers.
struct DecodedHotKey {
    std::int16_t virtualKey = 0;
    std::int16_t mouseButton = 0;  // 0 none, 1 left, 2 right, 3 middle
    bool win = false;
    bool shift = false;
    bool alt = false;
    bool ctrl = false;

    friend bool operator==(const DecodedHotKey&, const DecodedHotKey&) = default;
};

inline constexpr std::size_t kHotKeyNameChars = 24;

// The names of the 721 hotkey codes ("Ctrl+A", "Ctrl+Alt+Shift+Left Arro", ...), each at most
// 24 characters.
const std::array<std::string, kHotKeyCount>& hotKeyNames();
// The name of a code, or an empty string outside 0..720.
const std::string& hotKeyName(int code);

// Takes a hotkey code apart; codes outside 0..720 give all zeros.
DecodedHotKey DecipherKey(int code);

// The code of a combination, or -1 when no hotkey code has it.
int hotKeyCodeOf(const DecodedHotKey& key);

}  // namespace orv
