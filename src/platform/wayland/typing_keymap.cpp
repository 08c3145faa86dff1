#include "platform/wayland/typing_keymap.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/cp1252.h"
#include "platform/x11/keysyms.h"

namespace orv::wayland {

namespace {

// The unshifted and shifted characters of the US layout's digit and punctuation keys.
constexpr std::string_view kUsShiftPairs = "1!2@3#4$5%6^7&8*9(0)-_=+[{]};:'\"`~\\|,<.>/?";

struct Key {
    std::uint32_t keycode;
    std::uint32_t keysym;
    std::uint32_t shifted;  // 0: a key of one level
};

std::uint32_t shiftedKeysym(std::uint32_t keysym) {
    if (keysym >= XKB_KEY_a && keysym <= XKB_KEY_z) return keysym - XKB_KEY_a + XKB_KEY_A;
    for (std::size_t i = 0; i + 1 < kUsShiftPairs.size(); i += 2) {
        if (keysym == static_cast<unsigned char>(kUsShiftPairs[i]))
            return static_cast<unsigned char>(kUsShiftPairs[i + 1]);
    }
    return 0;
}

}  // namespace

bool fitsKeymap(std::uint32_t keysym) {
    // The compositor sends clients the keymap as its XKB library writes it out, by keysym names;
    // the names of the 3270 terminal keys begin with a digit, which the same library cannot read
    // back (the client's keymap fails and its keyboard is gone).
    return keysym < XKB_KEY_3270_Duplicate || keysym > XKB_KEY_3270_Enter;
}

namespace {

// The modifier a key's keysym sets, as modifier_map names it; nullptr for other keys.
const char* modifierOf(std::uint32_t keysym) {
    switch (keysym) {
        case XKB_KEY_Shift_L:
        case XKB_KEY_Shift_R:
            return "Shift";
        case XKB_KEY_Control_L:
        case XKB_KEY_Control_R:
            return "Control";
        case XKB_KEY_Alt_L:
        case XKB_KEY_Alt_R:
            return "Mod1";
        case XKB_KEY_Num_Lock:
            return "Mod2";
        case XKB_KEY_Super_L:
        case XKB_KEY_Super_R:
            return "Mod4";
        case XKB_KEY_Caps_Lock:
            return "Lock";
        default:
            return nullptr;
    }
}

std::string keymapText(const std::vector<Key>& keys) {
    std::string codes = "  xkb_keycodes \"orvanta\" {\n    minimum = 8;\n    maximum = 255;\n";
    std::string symbols = "  xkb_symbols \"orvanta\" {\n";
    char line[96];
    for (const Key& k : keys) {
        std::snprintf(line, sizeof line, "    <K%u> = %u;\n", k.keycode, k.keycode);
        codes += line;
        if (k.shifted != 0) {
            std::snprintf(line, sizeof line, "    key <K%u> { [ 0x%x, 0x%x ] };\n", k.keycode, k.keysym, k.shifted);
        } else {
            std::snprintf(line, sizeof line, "    key <K%u> { [ 0x%x ] };\n", k.keycode, k.keysym);
        }
        symbols += line;
        if (const char* modifier = modifierOf(k.keysym)) {
            std::snprintf(line, sizeof line, "    modifier_map %s { <K%u> };\n", modifier, k.keycode);
            symbols += line;
        }
    }
    return "xkb_keymap {\n" + codes + "  };\n" +
           "  xkb_types \"orvanta\" { include \"complete\" };\n"
           "  xkb_compatibility \"orvanta\" { include \"complete\" };\n" +
           symbols + "  };\n};\n";
}

}  // namespace

TypingKeymap::TypingKeymap() {
    std::vector<Key> keys;
    std::uint32_t next = 9;  // keycode 8 is evdev's reserved key 0
    // Keypad keys type their characters too, but the main keys are the ones to use for them.
    auto addStrokes = [this](const Key& k) {
        if (k.keysym >= XKB_KEY_KP_Space && k.keysym <= XKB_KEY_KP_Equal) return;
        strokes_.try_emplace(x11::charOfKeysym(k.keysym), KeyStroke{k.keycode, false});
        if (k.shifted != 0) strokes_.try_emplace(x11::charOfKeysym(k.shifted), KeyStroke{k.keycode, true});
    };
    for (int vk = 1; vk < 256; ++vk) {
        const std::uint32_t keysym = x11::keysymOfVirtualKey(vk);
        if (keysym == 0 || !fitsKeymap(keysym)) continue;
        keycodeOfVk_[vk] = next;
        keys.push_back({next++, keysym, shiftedKeysym(keysym)});
        addStrokes(keys.back());
    }
    strokes_.erase(0);
    // The printable Windows-1252 characters the US keys lack, two to a key.
    std::vector<std::uint32_t> rest;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char32_t ch = cp1252ToUnicode(static_cast<unsigned char>(byte));
        if (ch >= 0x80 && ch <= 0x9F) continue;  // the five undefined bytes
        if (!strokes_.contains(ch)) rest.push_back(x11::spareKeysymOfChar(ch));
    }
    for (std::size_t i = 0; i < rest.size(); i += 2) {
        keys.push_back({next++, rest[i], i + 1 < rest.size() ? rest[i + 1] : 0});
        addStrokes(keys.back());
    }
    text_ = keymapText(keys);
}

std::uint8_t TypingKeymap::virtualKeyOfKeycode(std::uint32_t keycode) const {
    for (std::size_t vk = 1; vk < keycodeOfVk_.size(); ++vk) {
        if (keycodeOfVk_[vk] == keycode) return static_cast<std::uint8_t>(vk);
    }
    return 0;
}

std::optional<KeyStroke> TypingKeymap::strokeFor(char32_t ch) const {
    const auto it = strokes_.find(ch);
    if (it == strokes_.end()) return std::nullopt;
    return it->second;
}

}  // namespace orv::wayland
