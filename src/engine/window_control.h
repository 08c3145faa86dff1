#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "engine/command_catalogue.h"
#include "platform/window_system.h"

namespace orv {

class IProcessList;

// Titles are read up to this many characters.
inline constexpr std::size_t kWindowTitleChars = 254;

// Finding windows by partial title and programs by partial file name, and bringing them to
// the front. Used by playback (window, launch and wait commands) and by activation (hotkey
// scope, window-title and start-up macros, the scheduler).
class WindowControl {
public:
    WindowControl(IWindowSystem& windows, IProcessList& processes);

    // Told about every window these routines bring to the front; playback makes it
    // HotKeyWindow.
    void setActivationObserver(std::function<void(WindowId)> observer) { observer_ = std::move(observer); }

    // A window by title: first one whose whole title equals the text, otherwise the first
    // window in z-order (topmost first) whose upper-cased title contains the upper-cased
    // text. Untitled windows are skipped, hidden ones are not.
    bool GetWinHandle(WindowId& window, std::string_view title);
    // Finds a window by title, restores it if minimised and brings it to the front.
    bool ActivateIt(std::string_view title);
    // Finds the first running program whose upper-cased executable name contains the
    // upper-cased name, then its first titled window in z-order, and brings that to the front.
    bool ActivateProg(std::string_view programName);

    // Restores the window if minimised, brings it to the front and tells the observer.
    void bringToFront(WindowId window);
    // The window these routines brought to the front last; 0 before the first.
    WindowId lastActivated() const { return lastActivated_; }

    // The executable name of the program that owns a window, as the system gives it; empty
    // when it cannot be found.
    std::string programNameOfWindow(WindowId window);

    // A window's title, cut to kWindowTitleChars.
    std::string titleOf(WindowId window);

    IWindowSystem& windows() { return windows_; }
    IProcessList& processes() { return processes_; }

private:
    IWindowSystem& windows_;
    IProcessList& processes_;
    std::function<void(WindowId)> observer_;
    WindowId lastActivated_ = 0;
};

}  // namespace orv
