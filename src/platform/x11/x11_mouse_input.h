#pragma once

#include <memory>

#include "platform/mouse_input.h"

namespace orv::x11 {

class KeyInjector;

// Mouse input through XTest. Absolute positions come as 0..65535 across the screen and are
// rounded back to the pixel the engine computed them from.
class X11MouseInput final : public IMouseInput {
public:
    // Shares the keyboard's injector (one XTest connection keeps keys and clicks in order).
    explicit X11MouseInput(KeyInjector& injector) : injector_(injector) {}

    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) override;
    ScreenPoint cursorPos() override;
    bool setCursorPos(int x, int y) override;
    // Needs the accessibility bus, which this build does not use: always false.
    bool caretScreenPos(ScreenPoint& point) override;

private:
    KeyInjector& injector_;
};

}  // namespace orv::x11
