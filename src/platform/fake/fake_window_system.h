#pragma once

#include <vector>

#include "platform/fake/transcript.h"
#include "platform/window_system.h"

namespace orv::fake {

// A scripted desktop of top-level windows. Windows are kept in z-order, topmost first.
// Every call is recorded, queries with their answer:
//   window list -> 3 1 2          window title 3 -> "Calc"       window find "Calc" -> 3
// (texts are quoted as traceQuoted writes them)
//   window foreground -> 3        window process 3 -> 100        window minimized 3 -> no
//   window rect 3 -> 0 0 200 100  window activate 3 -> ok        window restore 3
//   window move 3 10 20           window resize 3 300 200        screen size -> 1024 768
// Activating raises the window to the top; closing or quitting removes windows.
class FakeWindowSystem final : public IWindowSystem, public Recorder {
public:
    using Recorder::Recorder;

    struct Window {
        WindowId id = 0;
        std::string title;
        std::int32_t pid = 0;
        bool minimized = false;
        bool maximized = false;
        bool hidden = false;
        WindowRect rect{0, 0, 640, 480};
    };

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

    // Scripting. addWindow puts the window below the ones already there (z-order is the order
    // of adding) unless onTop.
    void addWindow(const Window& window, bool onTop = false);
    void removeWindow(WindowId window);
    void setForeground(WindowId window) { foreground_ = window; }
    // The window that has the focus (not recorded).
    WindowId foreground() const { return foreground_; }
    void setScreenSize(ScreenSize size) { screen_ = size; }
    // Make activation requests fail (a window manager that refuses focus).
    void setRefuseActivation(bool refuse) { refuseActivation_ = refuse; }

    const std::vector<Window>& windows() const { return windows_; }
    const Window* window(WindowId id) const;

private:
    Window* find(WindowId id);

    std::vector<Window> windows_;
    WindowId foreground_ = 0;
    ScreenSize screen_{1024, 768};
    bool refuseActivation_ = false;
};

}  // namespace orv::fake
