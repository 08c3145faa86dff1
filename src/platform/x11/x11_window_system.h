#pragma once

#include <chrono>
#include <memory>
#include <set>

#include "platform/window_system.h"
#include "platform/x11/display_ptr.h"

namespace orv::x11 {

// Top-level windows through EWMH on a connection of its own (main thread only): z-order from
// _NET_CLIENT_LIST_STACKING, titles from _NET_WM_NAME (UTF-8, given as Windows-1252), the
// foreground window from _NET_ACTIVE_WINDOW, the owner from _NET_WM_PID. Windows hidden here
// (unmapped, so the window manager drops them from its lists) stay enumerable at the bottom
// of the z-order until they are shown again.
class X11WindowSystem final : public IWindowSystem {
public:
    static std::unique_ptr<X11WindowSystem> create();
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    std::vector<WindowId> topLevelWindows() override;
    std::string windowTitle(WindowId window) override;
    WindowId findWindowByTitle(const std::string& title) override;
    WindowId foregroundWindow() override;
    std::int32_t windowProcess(WindowId window) override;
    bool isMinimized(WindowId window) override;
    bool windowRect(WindowId window, WindowRect& rect) override;
    bool setForegroundWindow(WindowId window) override;
    void windowAction(WindowId window, WindowAction action) override;
    void moveWindow(WindowId window, int left, int top) override;
    void resizeWindow(WindowId window, int width, int height) override;
    ScreenSize screenSize() override;

    // Blocks until `window` is the active window or the deadline passes.
    bool waitUntilActive(WindowId window, std::chrono::milliseconds deadline);

private:
    explicit X11WindowSystem(DisplayPtr display);
    DisplayPtr display_;
    std::set<WindowId> hidden_;
};

}  // namespace orv::x11
