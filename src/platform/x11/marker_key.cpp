#include "platform/x11/marker_key.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <mutex>

#include "platform/x11/keymap.h"

namespace orv::x11 {

KeyCode ensureMarkerKeycode(Display* display) {
    // The injector and the hook library ask from their own connections; one lock keeps them
    // from binding two keycodes.
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    Keymap keymap;
    keymap.load(display);
    if (KeyCode existing = keymap.keycodeOf(XK_Execute); existing != 0) return existing;
    if (keymap.emptyKeycodes().empty()) return 0;
    const KeyCode keycode = keymap.emptyKeycodes().back();
    KeySym syms[2] = {XK_Execute, XK_Execute};
    XChangeKeyboardMapping(display, keycode, 2, syms, 1);
    XSync(display, False);
    return keycode;
}

}  // namespace orv::x11
