#include "platform/x11/keymap.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace orv::x11 {

void Keymap::load(Display* display) {
    *this = Keymap();
    XkbDescPtr xkb = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
    if (xkb == nullptr) return;
    min_ = xkb->min_key_code;
    max_ = xkb->max_key_code;
    types_.resize(xkb->map->num_types);
    for (int t = 0; t < xkb->map->num_types; ++t) {
        const XkbKeyTypeRec& type = xkb->map->types[t];
        types_[static_cast<std::size_t>(t)].mask = type.mods.mask;
        types_[static_cast<std::size_t>(t)].levels = type.num_levels;
        for (int e = 0; e < type.map_count; ++e) {
            if (type.map[e].active) {
                types_[static_cast<std::size_t>(t)].entries.emplace_back(type.map[e].mods.mask, type.map[e].level);
            }
        }
    }
    keys_.resize(static_cast<std::size_t>(max_) + 1);
    for (int kc = min_; kc <= max_; ++kc) keycodes_.push_back(static_cast<KeyCode>(kc));
    for (int kc = min_; kc <= max_; ++kc) {
        Key& key = keys_[static_cast<std::size_t>(kc)];
        key.groups = XkbKeyNumGroups(xkb, kc);
        bool any = false;
        for (int g = 0; g < key.groups; ++g) {
            const int typeIndex = XkbKeyKeyTypeIndex(xkb, kc, g);
            key.typeOfGroup.push_back(typeIndex);
            const int width = xkb->map->types[typeIndex].num_levels;
            std::vector<KeySym32> levels;
            for (int level = 0; level < width; ++level) {
                const KeySym32 sym = static_cast<KeySym32>(XkbKeySymEntry(xkb, kc, level, g));
                levels.push_back(sym);
                if (sym != NoSymbol) any = true;
            }
            key.syms.push_back(std::move(levels));
        }
        if (!any) empty_.push_back(static_cast<KeyCode>(kc));
    }
    // Real modifier bits of Num Lock, Scroll Lock and the level-3 shift come from the
    // modifier map: whichever ModN holds the key that carries the keysym.
    for (int kc = min_; kc <= max_; ++kc) {
        const unsigned char modBits = xkb->map->modmap[kc];
        if (modBits == 0) continue;
        const Key& key = keys_[static_cast<std::size_t>(kc)];
        const KeySym32 sym = key.groups > 0 && !key.syms[0].empty() ? key.syms[0][0] : 0;
        if (sym == XK_Num_Lock)
            numLockMask_ = modBits;
        else if (sym == XK_Scroll_Lock)
            scrollLockMask_ = modBits;
        else if (sym == XK_ISO_Level3_Shift || sym == XK_Mode_switch) {
            level3Mask_ = modBits;
            if (level3Keycode_ == 0) level3Keycode_ = static_cast<KeyCode>(kc);
        }
        if (sym != XK_Caps_Lock && sym != XK_Num_Lock && sym != XK_Scroll_Lock && sym != XK_Shift_Lock) {
            modifierKeycodes_.push_back(static_cast<KeyCode>(kc));
        }
    }
    XkbFreeKeyboard(xkb, 0, True);
}

int Keymap::levelOf(const Type& type, unsigned mods) const {
    const unsigned relevant = mods & type.mask;
    for (const auto& [mask, level] : type.entries) {
        if (mask == relevant) return level;
    }
    return 0;
}

KeySym32 Keymap::keysymAt(KeyCode keycode, int group, unsigned mods) const {
    if (keycode >= keys_.size()) return 0;
    const Key& key = keys_[keycode];
    if (key.groups == 0) return 0;
    const int g = group % key.groups;  // keys with fewer groups wrap, as XKB does by default
    const Type& type = types_[static_cast<std::size_t>(key.typeOfGroup[static_cast<std::size_t>(g)])];
    const int level = levelOf(type, mods);
    const auto& syms = key.syms[static_cast<std::size_t>(g)];
    return static_cast<std::size_t>(level) < syms.size() ? syms[static_cast<std::size_t>(level)] : 0;
}

std::optional<KeyStroke> Keymap::find(KeySym32 keysym, int group, unsigned locked) const {
    return findAmong(keycodes_, keysym, group, locked);
}

std::optional<KeyStroke> Keymap::findAmong(const std::vector<KeyCode>& keycodes, KeySym32 keysym, int group,
                                           unsigned locked) const {
    if (keysym == 0) return std::nullopt;
    // Fewest added modifiers first: a plain key beats Shift, Shift beats level 3.
    std::vector<unsigned> candidates = {0u, ShiftMask};
    if (level3Mask_ != 0) {
        candidates.push_back(level3Mask_);
        candidates.push_back(ShiftMask | level3Mask_);
    }
    for (int pass = 0; pass < 1 + XkbNumKbdGroups; ++pass) {
        const int g = pass == 0 ? group : pass - 1;
        if (pass > 0 && g == group) continue;
        for (unsigned add : candidates) {
            for (KeyCode kc : keycodes) {
                if (kc >= keys_.size() || (pass > 0 && keys_[kc].groups <= g)) continue;
                if (keysymAt(kc, g, add | locked) == keysym) return KeyStroke{kc, add, g};
            }
        }
    }
    return std::nullopt;
}

KeyCode Keymap::keycodeOf(KeySym32 keysym) const {
    for (int kc = min_; kc <= max_; ++kc) {
        const Key& key = keys_[static_cast<std::size_t>(kc)];
        for (const auto& level : key.syms) {
            if (!level.empty() && level[0] == keysym) return static_cast<KeyCode>(kc);
        }
    }
    return 0;
}

}  // namespace orv::x11
