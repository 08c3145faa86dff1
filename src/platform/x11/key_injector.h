#pragma once

// Key and mouse input through XTest on a connection of its own. Keys are named by the
// program's virtual-key codes or by the character they must produce; characters the layout
// lacks are typed through a pool of spare keycodes bound to their keysyms. Internal to
// src/platform/x11; used from one thread (the main thread) only.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/x11/keymap.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

class ButtonReleaseWatch;
class InjectionLog;

class KeyInjector {
public:
    // Opens its own connection; nullptr when there is no display or no XTest. Every event it
    // sends is logged in `log` first (when given), so that the hook library knows it for the
    // program's own.
    static std::unique_ptr<KeyInjector> open(InjectionLog* log = nullptr);
    ~KeyInjector();
    KeyInjector(const KeyInjector&) = delete;
    KeyInjector& operator=(const KeyInjector&) = delete;

    Display* display() const { return display_.get(); }

    // The answer of the layout query: the virtual key and the shift state (1 Shift, 2 Ctrl,
    // 4 Alt) that type `ch`. Characters that need more than Shift, or that the layout lacks,
    // get a character key of their own (kCharKeyBase and up) with shift state 0: pressing it
    // types exactly that character.
    struct Scan {
        int vk = 0;
        int shiftState = 0;
    };
    Scan scanChar(char32_t ch);
    static constexpr int kCharKeyBase = 0x10000;

    // One key event of a virtual key (or of a character key from scanChar).
    void virtualKey(int vk, bool up);
    // Types exactly `ch` whatever the layout, Caps Lock and the Shift held by the macro.
    void typeChar(char32_t ch);

    // Before the first key of a playback: the keys the user still holds (the hotkey that
    // started it) must neither modify the typed text nor swallow the macro's press of the same
    // key, so each is released for the server at once; playback does not wait for the user.
    // The user's own release later finds the key up and changes nothing. While they are held,
    // the modifiers the macro presses go on other keys of the same modifier where the layout
    // has one, so that the user letting go cannot release the macro's modifier either.
    void beginSession();
    // Before each key or button of a playback: the first one, and the first after a pause,
    // begins a session (beginSession), so that a macro that starts with a click is not
    // modified by the hotkey's keys either.
    void beginInput();
    // The playback is over: the next key or button begins a new session.
    void endInput() { inSession_ = false; }
    // Releases every key and button this injector pressed and still holds.
    void releaseAll();
    // Blocks until the server has handled every request sent so far.
    void sync();
    // Sends the requests buffered so far without waiting.
    void flush() { XFlush(display_.get()); }
    // Blocks until the client owning the focus has handled every event sent so far (EWMH
    // ping), or the deadline passes; false when it did not answer in time.
    bool waitForFocusClient(std::chrono::milliseconds deadline);
    // Binds keysyms the layout lacks to spare keycodes, all in one keymap change (every change
    // makes each client re-read the keymap and the window manager re-grab its keys, so they are
    // few and large). Each spare keycode carries up to 4 groups of 2 levels. When the pool is
    // full, the characters bound earlier are replaced only after the focused client has handled
    // the keys typed through them.
    // `changed`: the slots were changed already and are written even when nothing is added.
    void bindKeysyms(const std::vector<KeySym32>& keysyms, bool changed = false);
    // Binds every character of `chars` that the layout lacks (one keymap change).
    void bindChars(const std::vector<char32_t>& chars);
    // Binds every Windows-1252 character the layout lacks, and first what the keys the user
    // holds type (see heldByUser).
    void bindWindows1252();
    // Whether `ch` can be typed without changing the keymap.
    bool typable(char32_t ch);
    // Gives the spare keycodes back their empty rows. Call only once the target has handled
    // the keys typed through them (after waitForFocusClient, at idle or at exit).
    void restorePool();
    // Re-reads the keymap (after a layout change).
    void reloadKeymap();

    void moveMouse(int x, int y);
    // X button numbers 1..5. A release returns once the server has passed it on (see
    // ButtonReleaseWatch), so that the keys after a click arrive after it.
    void mouseButton(int button, bool up);
    void pointerPosition(int& x, int& y);

    const Keymap& keymap() const { return keymap_; }
    int spareCount() const { return static_cast<int>(pool_.size()); }
    // Whether `keycode` is one of the spare keycodes this injector binds (never remapped).
    bool isSpare(int keycode) const;

private:
    KeyInjector(DisplayPtr display, InjectionLog* log);
    Scan lookUpChar(char32_t ch);
    void keyEvent(KeyCode keycode, bool down);
    // Sends one XTest key event, logged as the program's own.
    void fakeKey(KeyCode keycode, bool down);
    // The keycode of the first of `keysyms` on a key the user is not holding (else the first).
    KeyCode freeKeycodeOf(std::initializer_list<KeySym32> keysyms) const;
    void refreshLockState();
    std::optional<KeyStroke> strokeFor(KeySym32 keysym);
    void writePool();
    bool isPool(KeyCode keycode) const;
    std::string recoveryFile() const;
    void pressStroke(const KeyStroke& stroke);
    // The Shift keys the macro holds now.
    std::vector<KeyCode> heldShifts() const;
    // The modifiers that choose the level of the macro's next key: the Shift and level-3 keys
    // it holds and the locked ones.
    unsigned levelMods() const;
    // Whether `keycode` is a key other than a modifier that the user held when the playback
    // began. The hook library grabs a held hotkey's key bare until the user lets go, so the
    // macro's press of it would stop the keyboard until the hook thread had passed it on:
    // what that key types goes through a spare keycode instead.
    bool heldByUser(KeyCode keycode) const;
    // Types `keysym` on a spare keycode. When none carries it yet, the first binding of a
    // playback binds what the user's held keys type together with every Windows-1252
    // character the layout lacks, in one keymap change.
    void typeOnSpare(KeySym32 keysym);
    // Gives what each key the user holds types, unshifted and shifted, the first group of one of
    // the spare keys set aside for them (heldPairs) with a higher keycode, where it stays while
    // the pool is bound. Not yet written to the server; false when nothing changed.
    bool placeHeldKeys();
    // The first slots of the first-group pairs set aside for the keys the user holds: those of
    // the highest spare keycodes, above every key of a layout's letters.
    std::vector<std::size_t> heldPairs() const;
    // The spare keysyms of those of `chars` that the layout lacks.
    std::vector<KeySym32> missingKeysyms(const std::vector<char32_t>& chars) const;
    void drain();
    void lockGroup(int group);
    KeyCode modifierKeycode(int vk);

    DisplayPtr display_;
    InjectionLog* log_;
    std::vector<int> xtestKeyboards_;  // the XTest keyboard devices
    Keymap keymap_;
    std::vector<KeyCode> pool_;    // spare keycodes we may bind
    std::vector<KeySym32> slots_;  // per spare keycode: 4 groups x 2 levels of keysyms
    bool poolDirty_ = false;       // the server holds keysyms of ours on spare keycodes
    std::map<std::pair<KeySym32, unsigned>, std::optional<KeyStroke>> cache_;
    std::map<std::pair<char32_t, int>, Scan> scanCache_;  // scanChar's answers per group, for the keymap read last
    std::vector<char32_t> charKeys_;                      // character keys handed out by scanChar
    std::set<KeyCode> held_;                              // keys pressed here and not yet released
    std::set<KeyCode> userHeld_;                          // keys the user held at the start of the playback
    std::set<int> heldButtons_;
    std::unique_ptr<ButtonReleaseWatch> releaseWatch_;  // made at the first button release
    bool inSession_ = false;
    std::chrono::steady_clock::time_point lastInput_{};
    unsigned locked_ = 0;  // Caps Lock / Num Lock modifiers locked now
    int group_ = 0;
    int lockedGroup_ = 0;
    std::chrono::steady_clock::time_point lockStateAt_{};
    int pending_ = 0;  // events sent since the last sync
    long pingSerial_ = 0;
};

}  // namespace orv::x11
