#pragma once

#include <cstdint>

namespace orv {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Mouse-event flags, as macro playback composes them.
namespace mouse_flags {
inline constexpr std::uint32_t kMove = 0x0001;
inline constexpr std::uint32_t kLeftDown = 0x0002;
inline constexpr std::uint32_t kLeftUp = 0x0004;
inline constexpr std::uint32_t kRightDown = 0x0008;
inline constexpr std::uint32_t kRightUp = 0x0010;
inline constexpr std::uint32_t kMiddleDown = 0x0020;
inline constexpr std::uint32_t kMiddleUp = 0x0040;
inline constexpr std::uint32_t kWheel = 0x0800;
inline constexpr std::uint32_t kAbsolute = 0x8000;
}  // namespace mouse_flags

// Synthetic mouse input and the pointer.
class IMouseInput {
public:
    virtual ~IMouseInput() = default;
    // One mouse event. With kAbsolute, dx and dy are 0..65535 across the screen; the wheel
    // data is in multiples of 120 (positive forward).
    virtual void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) = 0;
    virtual ScreenPoint cursorPos() = 0;
    virtual bool setCursorPos(int x, int y) = 0;
    // The text caret of the control that has the keyboard focus, in screen coordinates;
    // false when there is no caret or it cannot be found.
    virtual bool caretScreenPos(ScreenPoint& point) = 0;
};

}  // namespace orv
