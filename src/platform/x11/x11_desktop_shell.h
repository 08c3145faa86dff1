#pragma once

#include <memory>
#include <set>

#include "platform/desktop_shell.h"
#include "platform/x11/display_ptr.h"

namespace orv::x11 {

// The desktop as a whole on a connection of its own (main thread only). Windows are cascaded
// and tiled through `windows`; the task bar is every dock window; minimise all and its undo
// are EWMH's "showing the desktop" mode; the other shell functions and the special folders
// start the desktop's own tools, or xdg-open on the folder; the session ends through
// systemd-logind on the system bus.
class X11DesktopShell final : public IDesktopShell {
public:
    static std::unique_ptr<X11DesktopShell> create(IWindowSystem& windows);
    ~X11DesktopShell() override;
    X11DesktopShell(const X11DesktopShell&) = delete;
    X11DesktopShell& operator=(const X11DesktopShell&) = delete;

    void cascadeWindows() override;
    void tileWindows(bool horizontal) override;
    void hideTaskBar() override;
    void showTaskBar(const WindowRect& barRect) override;
    bool shellAutomationAvailable() override;
    void shellFunction(ShellFunction function) override;
    void exploreSpecialFolder(int folder) override;
    bool setShutdownPrivilege(bool enable) override;
    bool exitSession(int flags) override;

private:
    X11DesktopShell(DisplayPtr display, IWindowSystem& windows);
    std::vector<WindowId> arrangeableWindows();
    WindowRect workArea();
    DisplayPtr display_;
    IWindowSystem& windows_;
    std::set<unsigned long> hiddenDocks_;
};

}  // namespace orv::x11
