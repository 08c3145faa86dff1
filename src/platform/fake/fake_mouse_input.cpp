#include "platform/fake/fake_mouse_input.h"

#include <string>

namespace orv::fake {

void FakeMouseInput::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) {
    events_.push_back({flags, dx, dy, wheel});
    record("mouse event " + std::to_string(flags) + " " + std::to_string(dx) + " " + std::to_string(dy) + " " +
           std::to_string(wheel));
    if ((flags & mouse_flags::kMove) != 0 && (flags & mouse_flags::kAbsolute) == 0) {
        cursor_.x += dx;
        cursor_.y += dy;
    }
}

ScreenPoint FakeMouseInput::cursorPos() {
    record("cursor get -> " + std::to_string(cursor_.x) + " " + std::to_string(cursor_.y));
    return cursor_;
}

bool FakeMouseInput::setCursorPos(int x, int y) {
    cursor_ = {x, y};
    record("cursor set " + std::to_string(x) + " " + std::to_string(y));
    return true;
}

bool FakeMouseInput::caretScreenPos(ScreenPoint& point) {
    if (!hasCaret_) {
        record("caret -> none");
        return false;
    }
    point = caret_;
    record("caret -> " + std::to_string(point.x) + " " + std::to_string(point.y));
    return true;
}

}  // namespace orv::fake
