#include "platform/hotkey_codes.h"

#include <string_view>
#include <vector>

namespace orv {

namespace {

// Modifier flags as bits of a small mask.
enum : unsigned { kCtrl = 1, kAlt = 2, kShift = 4, kWin = 8 };

struct Variant {
    std::string_view text;  // as written in the name, e.g. "Ctrl+Alt"
    unsigned mods;
};

constexpr Variant vNone{"", 0};
constexpr Variant vCtrl{"Ctrl", kCtrl};
constexpr Variant vAlt{"Alt", kAlt};
constexpr Variant vShift{"Shift", kShift};
constexpr Variant vCtrlShift{"Ctrl+Shift", kCtrl | kShift};
constexpr Variant vAltShift{"Alt+Shift", kAlt | kShift};
constexpr Variant vShiftAlt{"Shift+Alt", kAlt | kShift};
constexpr Variant vCtrlAlt{"Ctrl+Alt", kCtrl | kAlt};
constexpr Variant vCtrlAltShift{"Ctrl+Alt+Shift", kCtrl | kAlt | kShift};
constexpr Variant vWin{"Win", kWin};
constexpr Variant vWinCtrl{"Win+Ctrl", kWin | kCtrl};
constexpr Variant vWinAlt{"Win+Alt", kWin | kAlt};

struct Key {
    std::string name;
    std::int16_t vk;
    std::int16_t button = 0;
    bool keypad = false;  // "KeyPad x" alone or after Shift, "Keypad x" after other modifiers
};

struct Entry {
    Key key;
    Variant variant;
};

std::vector<Key> letterDigitFKeys() {
    std::vector<Key> keys;
    for (char c = 'A'; c <= 'Z'; ++c) keys.push_back({std::string(1, c), static_cast<std::int16_t>(c)});
    for (char c = '0'; c <= '9'; ++c) keys.push_back({std::string(1, c), static_cast<std::int16_t>(c)});
    for (int f = 1; f <= 12; ++f) keys.push_back({"F" + std::to_string(f), static_cast<std::int16_t>(111 + f)});
    return keys;
}

std::vector<Entry> buildEntries() {
    std::vector<Entry> out;
    out.reserve(kHotKeyCount);
    // Whole blocks: every key with one variant, then every key with the next.
    auto blocks = [&](const std::vector<Key>& keys, const std::vector<Variant>& variants) {
        for (const Variant& v : variants)
            for (const Key& k : keys) out.push_back({k, v});
    };
    // Key by key: each key with all its variants.
    auto perKey = [&](const std::vector<Key>& keys, const std::vector<Variant>& variants) {
        for (const Key& k : keys)
            for (const Variant& v : variants) out.push_back({k, v});
    };
    // Built here, not as a global: a global constant elsewhere that names a hotkey during
    // start-up may build this table before a global of this file would be initialised.
    const std::vector<Variant> kSeven = {vCtrl, vAlt, vShift, vCtrlShift, vAltShift, vCtrlAlt, vCtrlAltShift};
    const std::vector<Key> ldf = letterDigitFKeys();
    const std::vector<Key> fkeys(ldf.end() - 12, ldf.end());
    const Key enter{"Enter", 13}, tab{"Tab", 9}, backspace{"Backspace", 8}, space{"Space", 32};
    const Key insert{"Insert", 45}, del{"Delete", 46}, home{"Home", 36}, end{"End", 35};
    const Key pgUp{"Page Up", 33}, pgDn{"Page Down", 34}, left{"Left Arrow", 37}, right{"Right Arrow", 39};
    const Key up{"Up Arrow", 38}, down{"Down Arrow", 40};

    blocks(ldf, {vCtrl, vAlt, vCtrlShift, vCtrlAlt, vAltShift, vCtrlAltShift});  // 0..287
    blocks(fkeys, {vNone});                                                      // 288..299
    blocks(fkeys, {vShift});                                                     // 300..311
    perKey({enter}, kSeven);                                                     // 312..318
    perKey({tab}, {vCtrl, vShift, vCtrlShift, vCtrlAlt, vCtrlAltShift});         // 319..323
    perKey({backspace, space, insert}, kSeven);                                  // 324..344
    perKey({del}, {vCtrl, vAlt, vShift, vCtrlShift, vAltShift});                 // 345..349
    perKey({home, end}, kSeven);                                                 // 350..363
    perKey({{".", 190},
            {",", 188},
            {"/", 191},
            {";", 186},
            {"'", 222},
            {"\\", 220},
            {"[", 219},
            {"]", 221},
            {"-", 189},
            {"=", 187},
            {"`", 192}},
           {vCtrl, vAlt, vCtrlShift, vAltShift, vCtrlAlt, vCtrlAltShift});  // 364..429
    perKey({{"/", 111, 0, true}, {"*", 106, 0, true}, {"-", 109, 0, true}, {"+", 107, 0, true}},
           {vNone, vCtrl, vAlt, vShift, vCtrlShift, vAltShift, vCtrlAlt, vCtrlAltShift});  // 430..461
    perKey({insert, del, home, end, pgUp, pgDn, left, right, up, down}, {vNone});          // 462..471
    perKey({pgUp, pgDn, left, right, up, down}, kSeven);                                   // 472..513
    std::vector<Key> keypadDigits;
    for (int d = 0; d <= 9; ++d)
        keypadDigits.push_back({std::to_string(d), static_cast<std::int16_t>(96 + d), 0, true});
    perKey(keypadDigits, {vNone, vCtrl, vAlt, vCtrlAlt});  // 514..553
    blocks(ldf, {vWin, vWinCtrl, vWinAlt});                // 554..697
    perKey({{"ESC", 27}}, {vNone});                        // 698
    perKey({{"LMouse", 0, 1}, {"RMouse", 0, 2}, {"MMouse", 0, 3}},
           {vNone, vShift, vCtrl, vAlt, vCtrlShift, vCtrlAlt, vShiftAlt});  // 699..719
    perKey({space}, {vWin});                                                // 720
    return out;
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = buildEntries();
    return table;
}

std::string nameOf(const Entry& e) {
    std::string keyName = e.key.name;
    if (e.key.keypad) keyName = (e.variant.mods & ~kShift) == 0 ? "KeyPad " + keyName : "Keypad " + keyName;
    std::string name = e.variant.text.empty() ? keyName : std::string(e.variant.text) + "+" + keyName;
    if (name.size() > kHotKeyNameChars) name.resize(kHotKeyNameChars);
    return name;
}

}  // namespace

const std::array<std::string, kHotKeyCount>& hotKeyNames() {
    static const std::array<std::string, kHotKeyCount> names = [] {
        std::array<std::string, kHotKeyCount> n;
        const auto& all = entries();
        for (std::size_t i = 0; i < n.size() && i < all.size(); ++i) n[i] = nameOf(all[i]);
        return n;
    }();
    return names;
}

const std::string& hotKeyName(int code) {
    static const std::string empty;
    if (code < 0 || code >= kHotKeyCount) return empty;
    return hotKeyNames()[static_cast<std::size_t>(code)];
}

DecodedHotKey DecipherKey(int code) {
    DecodedHotKey d;
    if (code < 0 || code >= kHotKeyCount) return d;
    const Entry& e = entries()[static_cast<std::size_t>(code)];
    d.virtualKey = e.key.vk;
    d.mouseButton = e.key.button;
    d.ctrl = (e.variant.mods & kCtrl) != 0;
    d.alt = (e.variant.mods & kAlt) != 0;
    d.shift = (e.variant.mods & kShift) != 0;
    d.win = (e.variant.mods & kWin) != 0;
    return d;
}

int hotKeyCodeOf(const DecodedHotKey& key) {
    for (int code = 0; code < kHotKeyCount; ++code)
        if (DecipherKey(code) == key) return code;
    return -1;
}

}  // namespace orv
