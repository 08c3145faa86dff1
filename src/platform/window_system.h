#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// A top-level window: the X11 id of a client window (fits the activation table's i32 fields).
// 0 names no window.
using WindowId = std::uint32_t;

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// What can be done to a window as a whole. The numbers are stable: they appear in transcripts.
enum class WindowAction : int {
    Restore = 0,   // un-minimise (and un-maximise)
    Minimize = 1,  // iconify
    Maximize = 2,
    Close = 3,  // ask the window to close, as its close button does
    Hide = 4,   // unmap
    Show = 5,   // map again
    Quit = 6,   // end the program that owns the window
};

const char* windowActionName(WindowAction action);

// The top-level windows of the desktop and the screen they stand on. Titles are Windows-1252.
class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // Top-level windows in z-order, topmost first, hidden ones included.
    virtual std::vector<WindowId> topLevelWindows() = 0;
    // The title of a window; empty for an untitled or unknown window.
    virtual std::string windowTitle(WindowId window) = 0;
    // The first top-level window whose whole title equals the text exactly; 0 when none.
    virtual WindowId findWindowByTitle(const std::string& title) = 0;
    virtual WindowId foregroundWindow() = 0;
    // Process id of the program that owns the window; 0 when unknown.
    virtual std::int32_t windowProcess(WindowId window) = 0;
    virtual bool isMinimized(WindowId window) = 0;
    // The window's rectangle in screen coordinates, frame included; false for an unknown window.
    virtual bool windowRect(WindowId window, WindowRect& rect) = 0;

    // Brings the window to the front and gives it the keyboard focus.
    virtual bool setForegroundWindow(WindowId window) = 0;
    virtual void windowAction(WindowId window, WindowAction action) = 0;
    // Moves the top-left corner; size and stacking unchanged.
    virtual void moveWindow(WindowId window, int left, int top) = 0;
    // Sets width and height; position and stacking unchanged.
    virtual void resizeWindow(WindowId window, int width, int height) = 0;

    virtual ScreenSize screenSize() = 0;
};

}  // namespace orv
