#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/capabilities.h"
#include "platform/keyboard_input.h"

namespace orv {
class IClipboard;
class PasteTyping;
}  // namespace orv

namespace orv::x11 {

class KeyInjector;
class InjectorPasteChannel;
class X11HookLibrary;

// Key injection and the keyboard layout on X11 (XTest and the live XKB map).
//
// - Characters of the layout answer with their key and Shift, as the engine expects; a
//   character that needs more (the AltGr level) or that the layout lacks answers with a
//   character key of its own, a virtual key from the unassigned range, which types exactly
//   that character through the layout or a spare keycode.
// - Alt codes type the character they name: "0" and three digits the Windows-1252 character,
//   other digits the character of the old DOS code page, as the original platform does.
// - The first key of a playback (or the first after a pause in the typing) releases for the
//   server whatever the user still holds, the hotkey that started it included, without
//   waiting for the user to let go; the end-of-playback marker key releases every key the
//   macro still holds, so no modifier stays down after playback, aborted or not.
class X11KeyboardInput final : public IKeyboardInput {
public:
    // nullptr when there is no display. `hook` (optional) learns every event sent here as the
    // program's own, and tells a mid-playback marker (a wait for processed keys) from the one
    // that ends a playback.
    static std::unique_ptr<X11KeyboardInput> create(X11HookLibrary* hook = nullptr);
    ~X11KeyboardInput() override;

    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool up) override;
    std::int16_t keyForChar(char c) override;
    std::uint8_t scanCodeFor(std::uint8_t virtualKey) override;
    void altCode(std::string_view digits) override;
    bool capsLockOn() override;

    // The playback is over: releases whatever the macro still holds and, once the focused
    // client has read the keys, gives the spare keycodes back.
    void endPlayback();
    // Blocks until the focused client has handled every key sent so far (or the deadline).
    bool waitUntilDelivered(std::chrono::milliseconds deadline) override;
    // The server queues each key for the window focused when it handles it, in the order sent.
    bool keysArriveInOrder() const override { return true; }
    void holdEvents(bool hold) override { hold_ = hold; }
    void flush() override;

    KeyInjector& injector() { return *injector_; }

    // The kind of X server it types on.
    DisplaySession displaySession() const { return session_; }
    // From now on the characters the keyboard layout lacks are pasted through the clipboard
    // (the user's clipboard text is put back after each) instead of typed on spare keycodes.
    // Under XWayland the compositor's keymap replaces the spare keycodes' bindings, so typed
    // there they arrive wrong or not at all.
    void pasteOutsideLayout(IClipboard& clipboard);

private:
    X11KeyboardInput(std::unique_ptr<KeyInjector> injector, const X11HookLibrary* hook);
    // Pastes `ch` when pasting is on and the layout lacks it; false when it is to be typed.
    bool pasted(char32_t ch);

    std::unique_ptr<KeyInjector> injector_;
    const X11HookLibrary* hook_;
    // Character keys handed out by keyForChar: unassigned virtual keys, used round robin.
    std::array<char32_t, 256> charOfVk_{};
    std::size_t nextSlot_ = 0;
    bool hold_ = false;
    DisplaySession session_;
    std::unique_ptr<InjectorPasteChannel> pasteChannel_;
    std::unique_ptr<PasteTyping> paste_;
};

// The character that an Alt code gives on the original platform (0 for none).
char32_t altCodeChar(std::string_view digits);

}  // namespace orv::x11
