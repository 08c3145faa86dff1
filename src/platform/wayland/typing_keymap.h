#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace orv::wayland {

// A key of the typing keymap and whether Shift is held for the character.
struct KeyStroke {
    std::uint32_t keycode = 0;  // XKB keycode (the wire's key number plus 8)
    bool shift = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The one keymap a virtual keyboard uploads: a US layout for the virtual keys (modifiers,
// navigation, function and keypad keys, letters, digits and punctuation, each with its shifted
// character), plus keys of two characters each for every printable Windows-1252 character a US
// layout lacks. Everything the engine types is on it, so nothing is re-uploaded during a
// playback (clients apply a new keymap late and mistype the keys in between).
class TypingKeymap {
public:
    TypingKeymap();

    // The keymap in XKB text form, as the compositor and its clients compile it.
    const std::string& text() const { return text_; }
    // The key of a virtual key; 0 when the keymap has none.
    std::uint32_t keycodeOfVirtualKey(std::uint8_t virtualKey) const { return keycodeOfVk_[virtualKey]; }
    // The virtual key of a keycode; 0 for a character key.
    std::uint8_t virtualKeyOfKeycode(std::uint32_t keycode) const;
    // The key (and Shift) that types a character; nothing when the keymap lacks it.
    std::optional<KeyStroke> strokeFor(char32_t ch) const;

private:
    std::string text_;
    std::array<std::uint32_t, 256> keycodeOfVk_{};
    std::map<char32_t, KeyStroke> strokes_;
};

// Whether a virtual key's keysym can be on the keymap (the keys of IBM 3270 terminals cannot).
bool fitsKeymap(std::uint32_t keysym);

}  // namespace orv::wayland
