#include "platform/x11/x11_mouse_input.h"

#include <X11/extensions/XTest.h>

#include <cmath>

#include "platform/x11/key_injector.h"

namespace orv::x11 {

void X11MouseInput::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t wheel) {
    using namespace mouse_flags;
    Display* d = injector_.display();
    if ((flags & kMove) != 0) {
        if ((flags & kAbsolute) != 0) {
            const double width = DisplayWidth(d, DefaultScreen(d));
            const double height = DisplayHeight(d, DefaultScreen(d));
            injector_.moveMouse(static_cast<int>(std::lround(dx * width / 65535.0)),
                                static_cast<int>(std::lround(dy * height / 65535.0)));
        } else {
            XTestFakeRelativeMotionEvent(d, dx, dy, CurrentTime);
            injector_.sync();
        }
    }
    // A click must not carry the modifiers of the hotkey the user still holds (Alt+click moves
    // windows): buttons begin a session as keys do.
    if ((flags & (kLeftDown | kLeftUp | kRightDown | kRightUp | kMiddleDown | kMiddleUp | kWheel)) != 0)
        injector_.beginInput();
    if ((flags & kLeftDown) != 0) injector_.mouseButton(1, false);
    if ((flags & kLeftUp) != 0) injector_.mouseButton(1, true);
    if ((flags & kRightDown) != 0) injector_.mouseButton(3, false);
    if ((flags & kRightUp) != 0) injector_.mouseButton(3, true);
    if ((flags & kMiddleDown) != 0) injector_.mouseButton(2, false);
    if ((flags & kMiddleUp) != 0) injector_.mouseButton(2, true);
    if ((flags & kWheel) != 0 && wheel != 0) {
        // One notch is 120; buttons 4 and 5 scroll up (forward) and down.
        const int button = wheel > 0 ? 4 : 5;
        for (int i = 0; i < std::max(1, std::abs(wheel) / 120); ++i) {
            injector_.mouseButton(button, false);
            injector_.mouseButton(button, true);
        }
    }
}

ScreenPoint X11MouseInput::cursorPos() {
    ScreenPoint p;
    injector_.pointerPosition(p.x, p.y);
    return p;
}

bool X11MouseInput::setCursorPos(int x, int y) {
    injector_.moveMouse(x, y);
    return true;
}

bool X11MouseInput::caretScreenPos(ScreenPoint&) { return false; }

}  // namespace orv::x11
