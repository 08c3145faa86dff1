#pragma once

// Fixed tables between the program's virtual-key codes and X keysyms, and between Unicode
// characters and keysyms. Pure functions, no connection.

#include <cstdint>
#include <optional>

#include "platform/virtual_keys.h"

namespace orv::x11 {

using KeySym32 = std::uint32_t;

// The keysym a virtual key stands for on a US layout (letters give the lower-case keysym,
// digits and punctuation their unshifted keysym); 0 when the virtual key has none.
KeySym32 keysymOfVirtualKey(int vk);
// The virtual key whose table keysym is `keysym` (upper-case letters count as their key),
// or 0 when the table has none.
int virtualKeyOfKeysym(KeySym32 keysym);

// The keysym that produces a character (Latin-1 one to one, legacy keysyms where X has them,
// otherwise the Unicode keysym 0x01000000 + code point); 0 for control characters without a key.
KeySym32 keysymOfChar(char32_t ch);
// The keysym bound to a spare keycode for a character: Latin-1 as itself, anything else as its
// Unicode keysym, which every toolkit turns back into the character (some drop the legacy
// technical and box-drawing keysyms).
KeySym32 spareKeysymOfChar(char32_t ch);
// The character a keysym produces, or 0 when it produces none.
char32_t charOfKeysym(KeySym32 keysym);

}  // namespace orv::x11
