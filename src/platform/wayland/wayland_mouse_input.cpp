#include "platform/wayland/wayland_mouse_input.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/wayland/wayland_connection.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace orv::wayland {

namespace {

struct ButtonFlag {
    std::uint32_t flag;
    std::uint32_t button;
    bool down;
};

constexpr ButtonFlag kButtons[] = {
    {mouse_flags::kLeftDown, BTN_LEFT, true},     {mouse_flags::kLeftUp, BTN_LEFT, false},
    {mouse_flags::kRightDown, BTN_RIGHT, true},   {mouse_flags::kRightUp, BTN_RIGHT, false},
    {mouse_flags::kMiddleDown, BTN_MIDDLE, true}, {mouse_flags::kMiddleUp, BTN_MIDDLE, false},
};

// One wheel notch is 120 in the program's units and 15 in the compositor's scroll units.
constexpr double kScrollPerNotch = 15.0;

}  // namespace

std::unique_ptr<WaylandMouseInput> WaylandMouseInput::create(Connection& connection) {
    if (connection.pointerManager() == nullptr) return nullptr;
    auto* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(connection.pointerManager(), connection.seat());
    return std::unique_ptr<WaylandMouseInput>(new WaylandMouseInput(connection, pointer));
}

WaylandMouseInput::~WaylandMouseInput() {
    zwlr_virtual_pointer_v1_destroy(pointer_);
    connection_.roundtrip();
}

void WaylandMouseInput::moveTo(int x, int y) {
    const int width = std::max(1, connection_.outputWidth());
    const int height = std::max(1, connection_.outputHeight());
    position_ = {std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1)};
    zwlr_virtual_pointer_v1_motion_absolute(pointer_, eventTime(), static_cast<std::uint32_t>(position_.x),
                                            static_cast<std::uint32_t>(position_.y), static_cast<std::uint32_t>(width),
                                            static_cast<std::uint32_t>(height));
}

void WaylandMouseInput::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) {
    if ((flags & mouse_flags::kMove) != 0) {
        if ((flags & mouse_flags::kAbsolute) != 0) {
            moveTo(static_cast<int>(std::lround(dx * connection_.outputWidth() / 65535.0)),
                   static_cast<int>(std::lround(dy * connection_.outputHeight() / 65535.0)));
        } else {
            moveTo(position_.x + dx, position_.y + dy);
        }
    }
    for (const ButtonFlag& b : kButtons) {
        if ((flags & b.flag) != 0) {
            zwlr_virtual_pointer_v1_button(pointer_, eventTime(), b.button,
                                           b.down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
        }
    }
    if ((flags & mouse_flags::kWheel) != 0 && wheel != 0) {
        // Positive wheel values scroll forward (up): negative in the compositor's axis.
        const int notches = wheel / 120 != 0 ? wheel / 120 : (wheel > 0 ? 1 : -1);
        zwlr_virtual_pointer_v1_axis_source(pointer_, WL_POINTER_AXIS_SOURCE_WHEEL);
        zwlr_virtual_pointer_v1_axis_discrete(pointer_, eventTime(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                                              wl_fixed_from_double(-notches * kScrollPerNotch), -notches);
    }
    zwlr_virtual_pointer_v1_frame(pointer_);
    connection_.roundtrip();
}

bool WaylandMouseInput::setCursorPos(int x, int y) {
    moveTo(x, y);
    zwlr_virtual_pointer_v1_frame(pointer_);
    return connection_.roundtrip();
}

}  // namespace orv::wayland
