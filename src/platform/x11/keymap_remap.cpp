#include "platform/x11/keymap_remap.h"

#include <X11/XKBlib.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "platform/cp1252.h"
#include "platform/runtime_dir.h"
#include "platform/x11/keysyms.h"

namespace orv::x11 {
namespace {

struct XkbMap {
    XkbDescPtr desc = nullptr;
    explicit XkbMap(Display* d) : desc(XkbGetMap(d, XkbKeySymsMask, XkbUseCoreKbd)) {}
    ~XkbMap() {
        if (desc != nullptr) XkbFreeKeyboard(desc, 0, True);
    }
    XkbMap(const XkbMap&) = delete;
    XkbMap& operator=(const XkbMap&) = delete;

    KeySym* slot(int keycode, int group, int level) const {
        const auto kc = static_cast<KeyCode>(keycode);
        if (keycode < desc->min_key_code || keycode > desc->max_key_code) return nullptr;
        if (group >= XkbKeyNumGroups(desc, kc) || level >= XkbKeyGroupsWidth(desc, kc)) return nullptr;
        return &XkbKeySymsPtr(desc, kc)[group * XkbKeyGroupsWidth(desc, kc) + level];
    }
};

// Tracks the keycodes whose keysyms changed and sends them in one request.
class Changes {
public:
    void touch(int keycode) {
        first_ = std::min(first_, keycode);
        last_ = std::max(last_, keycode);
    }
    bool any() const { return first_ <= last_; }
    bool send(Display* d, XkbDescPtr desc) const {
        XkbMapChangesRec changes{};
        changes.changed = XkbKeySymsMask;
        changes.first_key_sym = static_cast<KeyCode>(first_);
        changes.num_key_syms = static_cast<unsigned char>(last_ - first_ + 1);
        return XkbChangeMap(d, desc, &changes) == True;
    }

private:
    int first_ = 256;
    int last_ = -1;
};

// Puts back every replaced keysym that still holds what was put there; one the keymap has
// changed since (a new layout) belongs to the user already and is left.
void revert(const XkbMap& map, const std::vector<RemappedSym>& syms, Changes& changes) {
    for (const RemappedSym& s : syms) {
        KeySym* slot = map.slot(s.keycode, s.group, s.level);
        if (slot == nullptr || *slot != s.applied) continue;
        *slot = s.original;
        changes.touch(s.keycode);
    }
}

KeySym keysymProduced(std::uint8_t code) {
    if (code == 0) return NoSymbol;
    return keysymOfChar(cp1252ToUnicode(code));
}

bool listed(const std::vector<RemappedSym>& syms, int keycode, int group, int level) {
    return std::any_of(syms.begin(), syms.end(), [&](const RemappedSym& s) {
        return s.keycode == keycode && s.group == group && s.level == level;
    });
}

// Replaces the keysyms of remapped characters, except on reserved keycodes and at the places
// listed in `skip` (already remapped: a swap of two characters must not be swapped back).
std::vector<RemappedSym> remapInto(const XkbMap& map, const std::vector<KeyRemap>& remaps,
                                   const std::function<bool(int)>& reserved, const std::vector<RemappedSym>& skip,
                                   Changes& changes) {
    std::vector<RemappedSym> out;
    XkbDescPtr desc = map.desc;
    for (int kc = desc->min_key_code; kc <= desc->max_key_code; ++kc) {
        if (reserved && reserved(kc)) continue;
        const auto code = static_cast<KeyCode>(kc);
        for (int g = 0; g < XkbKeyNumGroups(desc, code); ++g) {
            for (int l = 0; l < XkbKeyGroupsWidth(desc, code); ++l) {
                KeySym* slot = map.slot(kc, g, l);
                if (listed(skip, kc, g, l)) continue;
                const auto it = std::find_if(remaps.begin(), remaps.end(),
                                             [&](const KeyRemap& r) { return *slot == r.typed && r.typed >= 32; });
                if (it == remaps.end()) continue;
                const KeySym to = keysymProduced(it->produced);
                if (to == *slot) continue;
                out.push_back({kc, g, l, static_cast<std::uint32_t>(*slot), static_cast<std::uint32_t>(to)});
                *slot = to;
                changes.touch(kc);
            }
        }
    }
    return out;
}

std::vector<RemappedSym> joined(std::vector<RemappedSym> a, const std::vector<RemappedSym>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

std::unique_ptr<KeymapRemap> KeymapRemap::create(const std::string& recoveryFile) {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    int opcode = 0, eventBase = 0, errorBase = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display.get(), &opcode, &eventBase, &errorBase, &major, &minor)) return nullptr;
    std::string file = recoveryFile;
    if (file.empty()) {
        // Without a private folder there is no file: a crash then leaves the remap in place.
        const RuntimeDir dir = privateRuntimeDir();
        if (dir.ok()) file = remapKeysPath(dir.path, DisplayString(display.get()));
    }
    return std::unique_ptr<KeymapRemap>(new KeymapRemap(std::move(display), std::move(file)));
}

KeymapRemap::KeymapRemap(DisplayPtr display, std::string file) : display_(std::move(display)), file_(std::move(file)) {
    XkbSelectEvents(display_.get(), XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    // A run that ended without restoring left its replaced keysyms named in the file.
    if (!file_.empty()) applied_ = readRemappedSyms(file_);
    if (!applied_.empty()) restore();
}

KeymapRemap::~KeymapRemap() { restore(); }

int KeymapRemap::connectionNumber() const { return ConnectionNumber(display_.get()); }

bool KeymapRemap::apply(const std::vector<KeyRemap>& remaps) {
    remaps_ = remaps;
    Display* d = display_.get();
    const XkbMap map(d);
    if (map.desc == nullptr) return false;
    Changes changes;
    revert(map, applied_, changes);
    std::vector<RemappedSym> next = remapInto(map, remaps, reserved_, {}, changes);
    if (!changes.any()) {
        applied_ = std::move(next);
        return true;
    }
    // The file names both the old and the new keysyms until the server has the new map, so that
    // a crash in between can still be undone.
    if (!file_.empty() && !writeRemappedSyms(file_, joined(applied_, next))) return false;
    ErrorTrap trap(d);
    const bool sent = changes.send(d, map.desc);
    const bool ok = sent && trap.sync() == 0;
    if (ok) applied_ = std::move(next);
    if (!file_.empty()) {
        if (applied_.empty())
            ::unlink(file_.c_str());
        else
            writeRemappedSyms(file_, applied_);
    }
    if (onChange_) onChange_();
    return ok;
}

bool KeymapRemap::keymapStillRemapped() {
    const XkbMap map(display_.get());
    if (map.desc == nullptr) return true;
    for (const RemappedSym& s : applied_) {
        const KeySym* slot = map.slot(s.keycode, s.group, s.level);
        if (slot == nullptr || *slot != s.applied) return false;
    }
    // A new keymap may also bring back keys of remapped characters elsewhere.
    Changes none;
    return remapInto(map, remaps_, reserved_, applied_, none).empty();
}

void KeymapRemap::processEvents() {
    Display* d = display_.get();
    bool keymapEvent = false;
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        keymapEvent = true;
    }
    if (keymapEvent && !remaps_.empty() && !keymapStillRemapped()) apply(remaps_);
}

}  // namespace orv::x11
