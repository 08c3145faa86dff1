#pragma once

// Key remapping system-wide through the keymap: every keysym of a remapped character in the
// core keyboard's XKB map is replaced by the keysym of the character it should produce (or by
// nothing, for a disabled key), so that every program sees the new character from the same key.
// The replaced keysyms are listed in a private file before the keymap changes; the destructor,
// restore() and the next start after a crash put them back.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/remap_keys_file.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

// A typed character (32 to 126) and the Windows-1252 code it produces (0: nothing).
struct KeyRemap {
    std::uint8_t typed = 0;
    std::uint8_t produced = 0;
};

class KeymapRemap {
public:
    // Opens a connection of its own and puts back what a run that could not restore left in the
    // keymap. `recoveryFile` empty: the file in the private runtime folder for this display.
    // nullptr without a display or XKB.
    static std::unique_ptr<KeymapRemap> create(const std::string& recoveryFile = {});
    ~KeymapRemap();
    KeymapRemap(const KeymapRemap&) = delete;
    KeymapRemap& operator=(const KeymapRemap&) = delete;

    // Keycodes never remapped: the spare keycodes through which the program types characters
    // the layout lacks (a remapped character is typed that way, so macros type what they say).
    void setReserved(std::function<bool(int keycode)> reserved) { reserved_ = std::move(reserved); }
    // Called after every keymap change made here (readers of the keymap re-read it).
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // Makes the keymap produce `remaps` instead of the user's own keysyms (all in one change);
    // an empty list gives the user's keymap back. False when the server refused.
    bool apply(const std::vector<KeyRemap>& remaps);
    bool restore() { return apply({}); }

    // For an event loop: the connection's descriptor, readable when events came.
    int connectionNumber() const;
    // Handles the events that came. A new keymap (a layout switch, a new keyboard) loses the
    // remap: it is applied to the new keymap again. Changes made here are recognised and left.
    void processEvents();

    // The keysyms replaced now.
    const std::vector<RemappedSym>& applied() const { return applied_; }
    const std::string& recoveryFile() const { return file_; }

private:
    KeymapRemap(DisplayPtr display, std::string file);
    bool keymapStillRemapped();

    DisplayPtr display_;
    std::string file_;
    std::vector<KeyRemap> remaps_;
    std::vector<RemappedSym> applied_;
    std::function<bool(int)> reserved_;
    std::function<void()> onChange_;
};

}  // namespace orv::x11
