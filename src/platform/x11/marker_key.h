#pragma once

#include <X11/Xlib.h>

namespace orv::x11 {

// The keycode that carries the Execute keysym, the marker key. When the layout has none, the
// last empty keycode is bound to it; the binding stays until the program ends (every keymap
// change is broadcast to all clients, so it is made once). 0 when no keycode is free.
KeyCode ensureMarkerKeycode(Display* display);

}  // namespace orv::x11
