#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/wayland/sway_ipc.h"
#include "platform/window_system.h"

struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace orv::wayland {

class Connection;

// The compositor's toplevel windows through foreign toplevel management: listed, found by title,
// activated, minimised, maximised and closed. Each window gets a number of its own for as long
// as it exists. The protocol tells no stacking order (the list is the active window first, then
// the others oldest first), nor positions, sizes or process ids: under sway those come from its
// IPC socket (the window of the same title and application id), and moving or sizing a window
// makes it float there. Elsewhere a window's rectangle and process are unknown and it stays put.
class WaylandWindowSystem final : public IWindowSystem {
public:
    // nullptr when the compositor lacks foreign toplevel management.
    static std::unique_ptr<WaylandWindowSystem> create(Connection& connection);
    ~WaylandWindowSystem() override;

    std::vector<WindowId> topLevelWindows() override;
    std::string windowTitle(WindowId window) override;
    WindowId findWindowByTitle(const std::string& title) override;
    WindowId foregroundWindow() override;
    std::int32_t windowProcess(WindowId window) override;
    bool isMinimized(WindowId window) override;
    bool windowRect(WindowId window, WindowRect& rect) override;
    // Asks the compositor to activate the window and waits (at most 2 s) until it says so.
    bool setForegroundWindow(WindowId window) override;
    void windowAction(WindowId window, WindowAction action) override;
    void moveWindow(WindowId window, int left, int top) override;
    void resizeWindow(WindowId window, int width, int height) override;
    ScreenSize screenSize() override;

    // The application id (the Wayland counterpart of a window class); empty when unknown.
    std::string windowAppId(WindowId window);
    // Dispatches events until a window with this exact title (Windows-1252) exists or the
    // deadline passes; the window or 0.
    WindowId waitForTitle(const std::string& title, std::chrono::milliseconds deadline);
    // Called, as the compositor's events are dispatched, when a window becomes the active one
    // (a new window that takes the focus included) and when the active window's title changes.
    void onActivation(std::function<void(WindowId)> activated) { activated_ = std::move(activated); }

private:
    struct Toplevel;
    explicit WaylandWindowSystem(Connection& connection);
    // Brings the window list up to date with the compositor.
    void refresh();
    Toplevel* find(WindowId window);
    // sway's description of a window; nothing without sway or a window of that title.
    std::optional<SwayWindow> swayWindow(WindowId window);

    Connection& connection_;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    std::unique_ptr<SwayIpc> ipc_;
    std::map<WindowId, std::unique_ptr<Toplevel>> windows_;
    WindowId nextId_ = 1;
    std::function<void(WindowId)> activated_;
};

}  // namespace orv::wayland
