#pragma once

#include <memory>

#include "platform/mouse_input.h"

struct zwlr_virtual_pointer_v1;

namespace orv::wayland {

class Connection;

// The pointer through the compositor's virtual pointer: moves (absolute within the first
// output, or relative), the three buttons and the wheel. Wayland tells no client where the
// pointer is, so the position is the one this pointer last moved to.
class WaylandMouseInput final : public IMouseInput {
public:
    // nullptr when the compositor has no virtual pointer.
    static std::unique_ptr<WaylandMouseInput> create(Connection& connection);
    ~WaylandMouseInput() override;

    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) override;
    ScreenPoint cursorPos() override { return position_; }
    bool setCursorPos(int x, int y) override;
    // The caret of another program is not visible to a Wayland client.
    bool caretScreenPos(ScreenPoint&) override { return false; }

private:
    WaylandMouseInput(Connection& connection, zwlr_virtual_pointer_v1* pointer)
        : connection_(connection), pointer_(pointer) {}
    void moveTo(int x, int y);

    Connection& connection_;
    zwlr_virtual_pointer_v1* pointer_;
    ScreenPoint position_;
};

}  // namespace orv::wayland
