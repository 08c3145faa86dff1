#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string_view>

#include "platform/keyboard_input.h"
#include "platform/wayland/typing_keymap.h"

struct zwp_virtual_keyboard_v1;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace orv::wayland {

class Connection;

// Key injection through the compositor's virtual keyboard, with one keymap (TypingKeymap)
// uploaded at the start that holds every virtual key and every Windows-1252 character.
//
// - The compositor hands a client the virtual keyboard's keymap when the first key of it
//   arrives; keys sent before the client has it are typed with the old keymap. So the first key
//   of a burst is preceded by a Shift tap and a round trip to the compositor.
// - The compositor's queue to a slow client is bounded: every 64 keys the keyboard waits for the
//   compositor to have taken what was sent, so a long text cannot overrun it.
// - The modifier state goes with the keys (the compositor takes it from the client).
class WaylandKeyboardInput final : public IKeyboardInput {
public:
    // nullptr when the compositor has no virtual keyboard.
    static std::unique_ptr<WaylandKeyboardInput> create(Connection& connection);
    ~WaylandKeyboardInput() override;

    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool up) override;
    std::int16_t keyForChar(char c) override;
    std::uint8_t scanCodeFor(std::uint8_t virtualKey) override;
    void altCode(std::string_view digits) override;
    bool capsLockOn() override;
    // The compositor can say that it has taken the keys, not that the window has read them.
    bool waitUntilDelivered(std::chrono::milliseconds deadline) override;

    // Types a character of the keymap (Shift as needed); false when the keymap lacks it.
    bool typeChar(char32_t ch);
    // Releases whatever is still held and waits until the compositor has taken every key; false
    // when the connection broke.
    bool endPlayback();
    // The key the program types to learn when the keys before it have been handled. It is not
    // sent: once the compositor has taken everything before it, `arrived` runs instead (where
    // an X11 hook would see the key come back).
    void setMarkerKey(std::uint8_t virtualKey, std::function<void()> arrived);

private:
    struct Xkb;
    WaylandKeyboardInput(Connection& connection, zwp_virtual_keyboard_v1* keyboard, std::unique_ptr<Xkb> xkb);
    void send(std::uint32_t keycode, bool up);
    void sendKey(std::uint32_t keycode, bool up);

    Connection& connection_;
    zwp_virtual_keyboard_v1* keyboard_;
    TypingKeymap keymap_;
    std::unique_ptr<Xkb> xkb_;
    std::set<std::uint32_t> held_;
    std::uint32_t mods_[4] = {0, 0, 0, 0};
    int sinceSync_ = 0;
    std::chrono::steady_clock::time_point lastKey_{};
    std::uint8_t markerKey_ = 0;
    std::function<void()> markerArrived_;
};

}  // namespace orv::wayland
