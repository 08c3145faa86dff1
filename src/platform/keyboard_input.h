#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

namespace orv {

// Keyboard injection and the keyboard layout, as the playback engine needs them.
// Virtual-key codes and shift states are those of the macro language (VK_* numbering).
class IKeyboardInput {
public:
    virtual ~IKeyboardInput() = default;

    // Sends one key event: key down, or key up when `up` is set.
    virtual void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool up) = 0;

    // The key and shift state that produce `c` in the current layout: low byte the virtual key,
    // high byte the shift state (1 Shift, 2 Ctrl, 4 Alt, combined); -1 when no key produces it.
    virtual std::int16_t keyForChar(char c) = 0;

    // The layout's hardware scan code of a virtual key (0 when it has none).
    virtual std::uint8_t scanCodeFor(std::uint8_t virtualKey) = 0;

    // Alt-code entry of the decimal `digits` (3 or 4 characters, "0" to "9"): the character
    // that Alt plus those keypad digits gives, typed into the focused window.
    virtual void altCode(std::string_view digits) = 0;

    // Whether Caps Lock is on.
    virtual bool capsLockOn() = 0;

    // Blocks until the focused application has handled every key sent so far, at most
    // `deadline`. False when that could not be confirmed (no way to know, or the deadline
    // passed): the caller then falls back to a fixed wait.
    virtual bool waitUntilDelivered(std::chrono::milliseconds deadline) {
        (void)deadline;
        return false;
    }

    // While held, keyEvent and altCode may leave their events in a buffer, so that a run of typed
    // characters reaches the desktop in one piece rather than one event at a time; flush() sends
    // what waits. The engine holds the events of each typed character and flushes at the end of
    // a run of characters and before anything that waits.
    virtual void holdEvents(bool hold) { (void)hold; }
    virtual void flush() {}

    // Whether every key sent reaches the window that had the focus when it was sent, in order,
    // whatever is sent or done after it: then nothing need wait for the window to handle them.
    virtual bool keysArriveInOrder() const { return false; }
};

}  // namespace orv
