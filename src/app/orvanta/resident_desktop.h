#pragma once

#include <memory>
#include <string>

#include "platform/clipboard.h"
#include "platform/dialog_queries.h"
#include "platform/hook_library.h"
#include "platform/keyboard_input.h"
#include "platform/mouse_input.h"
#include "platform/system_services.h"
#include "platform/window_system.h"
#include "remap/swap_keys.h"

namespace orv {

// What the resident program plays on and watches the desktop with: the X11 server's or a
// wlroots compositor's keyboard, pointer, windows and clipboard, and the hook library of the
// same session. Built on the main thread once the application object exists.
class ResidentDesktop {
public:
    virtual ~ResidentDesktop() = default;

    virtual IHookLibrary& hook() = 0;
    virtual IKeyboardInput& keyboard() = 0;
    virtual IMouseInput& mouse() = 0;
    virtual IWindowSystem& windows() = 0;
    virtual IClipboard& clipboard() = 0;
    // Desktop settings, the desktop shell, sound, CD and dial-up, with how far they reach.
    virtual SystemServices services() = 0;
    virtual IDesktopQueries& desktopQueries() = 0;
    // The system-wide key remap; none where the session has no way to remap keys.
    virtual remap::IKeyRemapper* keyRemapper() { return nullptr; }
    // Blocks (bounded) until the hook library has put the hotkeys in place.
    virtual void waitUntilHooked() {}
    // A hook message, on the main thread before it is handled: a hook that runs on a thread of
    // its own may leave out what only the main thread can ask (a hotkey's foreground window).
    virtual HookMessage complete(const HookMessage& message) { return message; }
};

// The X11 server's desktop; nullptr, with the reason, when the server lacks XTest, XInput2 or XKB.
std::unique_ptr<ResidentDesktop> makeX11Desktop(IHookMessageSink& sink, std::string& error);

// Whether WAYLAND_DISPLAY names a wlroots compositor with the protocols the program plays
// through (the virtual keyboard and pointer, foreign toplevel management).
bool wlrootsSessionAvailable();
// That compositor's desktop; hotkeys are bound through sway where it runs, and the bindings of a
// run that could not remove them are written down in `runtimeDir`. nullptr, with the reason,
// when the compositor does not answer or lacks a protocol (or the build has no Wayland backend).
std::unique_ptr<ResidentDesktop> makeWlrootsDesktop(IHookMessageSink& sink, const std::string& runtimeDir,
                                                    std::string& error);

}  // namespace orv
