#include "platform/fake/trace_quoted.h"
#include "platform/fake/fake_window_system.h"

#include <algorithm>
#include <string>

namespace orv::fake {

namespace {
std::string num(long long v) { return std::to_string(v); }
}  // namespace

FakeWindowSystem::Window* FakeWindowSystem::find(WindowId id) {
    for (Window& w : windows_)
        if (w.id == id) return &w;
    return nullptr;
}

const FakeWindowSystem::Window* FakeWindowSystem::window(WindowId id) const {
    for (const Window& w : windows_)
        if (w.id == id) return &w;
    return nullptr;
}

void FakeWindowSystem::addWindow(const Window& window, bool onTop) {
    removeWindow(window.id);
    if (onTop)
        windows_.insert(windows_.begin(), window);
    else
        windows_.push_back(window);
}

void FakeWindowSystem::removeWindow(WindowId id) {
    std::erase_if(windows_, [id](const Window& w) { return w.id == id; });
    if (foreground_ == id) foreground_ = 0;
}

std::vector<WindowId> FakeWindowSystem::topLevelWindows() {
    std::vector<WindowId> ids;
    std::string line = "window list ->";
    for (const Window& w : windows_) {
        ids.push_back(w.id);
        line += " " + num(w.id);
    }
    record(line);
    return ids;
}

std::string FakeWindowSystem::windowTitle(WindowId id) {
    const Window* w = find(id);
    const std::string title = w ? w->title : std::string();
    record("window title " + num(id) + " -> " + traceQuoted(title));
    return title;
}

WindowId FakeWindowSystem::findWindowByTitle(const std::string& title) {
    WindowId found = 0;
    for (const Window& w : windows_) {
        if (w.title == title) {
            found = w.id;
            break;
        }
    }
    record("window find " + traceQuoted(title) + " -> " + num(found));
    return found;
}

WindowId FakeWindowSystem::foregroundWindow() {
    record("window foreground -> " + num(foreground_));
    return foreground_;
}

std::int32_t FakeWindowSystem::windowProcess(WindowId id) {
    const Window* w = find(id);
    const std::int32_t pid = w ? w->pid : 0;
    record("window process " + num(id) + " -> " + num(pid));
    return pid;
}

bool FakeWindowSystem::isMinimized(WindowId id) {
    const Window* w = find(id);
    const bool minimized = w && w->minimized;
    record("window minimized " + num(id) + " -> " + (minimized ? "yes" : "no"));
    return minimized;
}

bool FakeWindowSystem::windowRect(WindowId id, WindowRect& rect) {
    const Window* w = find(id);
    if (!w) {
        record("window rect " + num(id) + " -> none");
        return false;
    }
    rect = w->rect;
    record("window rect " + num(id) + " -> " + num(rect.left) + " " + num(rect.top) + " " + num(rect.right) + " " +
           num(rect.bottom));
    return true;
}

bool FakeWindowSystem::setForegroundWindow(WindowId id) {
    const auto it = std::find_if(windows_.begin(), windows_.end(), [id](const Window& w) { return w.id == id; });
    const bool ok = it != windows_.end() && !refuseActivation_;
    if (ok) {
        std::rotate(windows_.begin(), it, it + 1);
        foreground_ = id;
    }
    record("window activate " + num(id) + " -> " + (ok ? "ok" : "failed"));
    return ok;
}

void FakeWindowSystem::windowAction(WindowId id, WindowAction action) {
    record("window " + std::string(windowActionName(action)) + " " + num(id));
    Window* w = find(id);
    if (!w) return;
    switch (action) {
        case WindowAction::Restore:
            w->minimized = false;
            w->maximized = false;
            break;
        case WindowAction::Minimize:
            w->minimized = true;
            break;
        case WindowAction::Maximize:
            w->maximized = true;
            w->minimized = false;
            break;
        case WindowAction::Hide:
            w->hidden = true;
            break;
        case WindowAction::Show:
            w->hidden = false;
            break;
        case WindowAction::Close:
            removeWindow(id);
            break;
        case WindowAction::Quit: {
            const std::int32_t pid = w->pid;
            std::vector<WindowId> gone;
            for (const Window& other : windows_)
                if (other.id == id || (pid != 0 && other.pid == pid)) gone.push_back(other.id);
            for (WindowId g : gone) removeWindow(g);
            break;
        }
    }
}

void FakeWindowSystem::moveWindow(WindowId id, int left, int top) {
    record("window move " + num(id) + " " + num(left) + " " + num(top));
    if (Window* w = find(id)) {
        const int width = w->rect.width();
        const int height = w->rect.height();
        w->rect = {left, top, left + width, top + height};
    }
}

void FakeWindowSystem::resizeWindow(WindowId id, int width, int height) {
    record("window resize " + num(id) + " " + num(width) + " " + num(height));
    if (Window* w = find(id)) {
        w->rect.right = w->rect.left + width;
        w->rect.bottom = w->rect.top + height;
    }
}

ScreenSize FakeWindowSystem::screenSize() {
    record("screen size -> " + num(screen_.width) + " " + num(screen_.height));
    return screen_;
}

}  // namespace orv::fake
