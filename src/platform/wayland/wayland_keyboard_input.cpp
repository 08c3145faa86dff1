#include "platform/wayland/wayland_keyboard_input.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "platform/unique_fd.h"
#include "platform/virtual_keys.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/x11/x11_keyboard_input.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace orv::wayland {

namespace {

using namespace std::chrono_literals;

// Keys sent between two waits for the compositor.
constexpr int kKeysPerSync = 64;
// A pause in the typing after which the compositor may have handed clients another keyboard's
// keymap: the next key is preceded by a Shift tap and a round trip again.
constexpr auto kIdleBeforeResync = 500ms;

}  // namespace

// The keymap as the compositor's clients see it, to follow the modifier state the keys make.
struct WaylandKeyboardInput::Xkb {
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context{nullptr, xkb_context_unref};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap{nullptr, xkb_keymap_unref};
    std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> state{nullptr, xkb_state_unref};
};

std::unique_ptr<WaylandKeyboardInput> WaylandKeyboardInput::create(Connection& connection) {
    if (connection.keyboardManager() == nullptr) return nullptr;
    const TypingKeymap keymap;
    auto xkb = std::make_unique<Xkb>();
    xkb->context.reset(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!xkb->context) return nullptr;
    xkb->keymap.reset(xkb_keymap_new_from_string(xkb->context.get(), keymap.text().c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                 XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!xkb->keymap) return nullptr;
    xkb->state.reset(xkb_state_new(xkb->keymap.get()));

    // The compositor maps the keymap from a file: an anonymous memory file with the text and its NUL.
    UniqueFd fd(memfd_create("orvanta-keymap", MFD_CLOEXEC));
    const std::size_t size = keymap.text().size() + 1;
    if (!fd.valid() || write(fd.get(), keymap.text().c_str(), size) != static_cast<ssize_t>(size)) return nullptr;

    auto* keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(connection.keyboardManager(), connection.seat());
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd.get(),
                                   static_cast<std::uint32_t>(size));
    if (!connection.roundtrip()) {
        zwp_virtual_keyboard_v1_destroy(keyboard);
        return nullptr;
    }
    return std::unique_ptr<WaylandKeyboardInput>(new WaylandKeyboardInput(connection, keyboard, std::move(xkb)));
}

WaylandKeyboardInput::WaylandKeyboardInput(Connection& connection, zwp_virtual_keyboard_v1* keyboard,
                                           std::unique_ptr<Xkb> xkb)
    : connection_(connection), keyboard_(keyboard), xkb_(std::move(xkb)) {}

WaylandKeyboardInput::~WaylandKeyboardInput() {
    endPlayback();
    zwp_virtual_keyboard_v1_destroy(keyboard_);
    connection_.roundtrip();
}

void WaylandKeyboardInput::sendKey(std::uint32_t keycode, bool up) {
    zwp_virtual_keyboard_v1_key(keyboard_, eventTime(), keycode - 8,
                                up ? WL_KEYBOARD_KEY_STATE_RELEASED : WL_KEYBOARD_KEY_STATE_PRESSED);
    xkb_state_update_key(xkb_->state.get(), keycode, up ? XKB_KEY_UP : XKB_KEY_DOWN);
    const std::uint32_t mods[4] = {xkb_state_serialize_mods(xkb_->state.get(), XKB_STATE_MODS_DEPRESSED),
                                   xkb_state_serialize_mods(xkb_->state.get(), XKB_STATE_MODS_LATCHED),
                                   xkb_state_serialize_mods(xkb_->state.get(), XKB_STATE_MODS_LOCKED),
                                   xkb_state_serialize_layout(xkb_->state.get(), XKB_STATE_LAYOUT_EFFECTIVE)};
    if (std::equal(std::begin(mods), std::end(mods), std::begin(mods_))) return;
    std::copy(std::begin(mods), std::end(mods), std::begin(mods_));
    zwp_virtual_keyboard_v1_modifiers(keyboard_, mods[0], mods[1], mods[2], mods[3]);
}

void WaylandKeyboardInput::send(std::uint32_t keycode, bool up) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastKey_ > kIdleBeforeResync) {
        const std::uint32_t shift = keymap_.keycodeOfVirtualKey(kVkShift);
        if (!held_.contains(shift)) {
            sendKey(shift, false);
            sendKey(shift, true);
        }
        connection_.roundtrip();
        sinceSync_ = 0;
    }
    sendKey(keycode, up);
    if (up) {
        held_.erase(keycode);
    } else {
        held_.insert(keycode);
    }
    if (++sinceSync_ >= kKeysPerSync) {
        connection_.roundtrip();
        sinceSync_ = 0;
    } else {
        // A macro may go on waiting (for a key, a window, a time) after this key: it must not
        // wait in the program's own buffer meanwhile.
        connection_.flush();
    }
    lastKey_ = std::chrono::steady_clock::now();
}

void WaylandKeyboardInput::keyEvent(std::uint8_t virtualKey, std::uint8_t, bool up) {
    if (markerArrived_ && virtualKey == markerKey_) {
        if (up && connection_.roundtrip()) markerArrived_();
        return;
    }
    const std::uint32_t keycode = keymap_.keycodeOfVirtualKey(virtualKey);
    if (keycode != 0) send(keycode, up);
}

std::int16_t WaylandKeyboardInput::keyForChar(char c) {
    const auto stroke = keymap_.strokeFor(static_cast<unsigned char>(c));
    if (!stroke) return -1;
    const std::uint8_t vk = keymap_.virtualKeyOfKeycode(stroke->keycode);
    if (vk == 0) return -1;
    return static_cast<std::int16_t>(vk | (stroke->shift ? 0x100 : 0));
}

std::uint8_t WaylandKeyboardInput::scanCodeFor(std::uint8_t virtualKey) {
    const std::uint32_t keycode = keymap_.keycodeOfVirtualKey(virtualKey);
    return keycode >= 8 && keycode - 8 <= 0xFF ? static_cast<std::uint8_t>(keycode - 8) : 0;
}

bool WaylandKeyboardInput::typeChar(char32_t ch) {
    const auto stroke = keymap_.strokeFor(ch);
    if (!stroke) return false;
    const std::uint32_t shift = keymap_.keycodeOfVirtualKey(kVkShift);
    const bool pressShift = stroke->shift && !held_.contains(shift);
    if (pressShift) send(shift, false);
    send(stroke->keycode, false);
    send(stroke->keycode, true);
    if (pressShift) send(shift, true);
    return true;
}

void WaylandKeyboardInput::altCode(std::string_view digits) {
    const char32_t ch = x11::altCodeChar(digits);
    if (ch != 0) typeChar(ch);
}

bool WaylandKeyboardInput::capsLockOn() {
    return xkb_state_mod_name_is_active(xkb_->state.get(), XKB_MOD_NAME_CAPS, XKB_STATE_MODS_LOCKED) > 0;
}

bool WaylandKeyboardInput::waitUntilDelivered(std::chrono::milliseconds) {
    connection_.roundtrip();
    return false;
}

void WaylandKeyboardInput::setMarkerKey(std::uint8_t virtualKey, std::function<void()> arrived) {
    markerKey_ = virtualKey;
    markerArrived_ = std::move(arrived);
}

bool WaylandKeyboardInput::endPlayback() {
    while (!held_.empty()) {
        const std::uint32_t keycode = *held_.rbegin();
        sendKey(keycode, true);
        held_.erase(keycode);
    }
    sinceSync_ = 0;
    return connection_.roundtrip();
}

}  // namespace orv::wayland
