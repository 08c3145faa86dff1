#include "platform/wayland/wayland_window_system.h"

#include <wayland-client.h>

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/wayland/wayland_connection.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace orv::wayland {

namespace {

using namespace std::chrono_literals;

constexpr auto kActivationDeadline = 2s;

}  // namespace

// A window as the compositor last described it (events apply at "done").
struct WaylandWindowSystem::Toplevel {
    WaylandWindowSystem* owner = nullptr;
    WindowId id = 0;
    zwlr_foreign_toplevel_handle_v1* handle = nullptr;
    std::string title, appId, pendingTitle, pendingAppId;
    bool activated = false, minimized = false, maximized = false;
    bool pendingActivated = false, pendingMinimized = false, pendingMaximized = false;
    bool closed = false;

    static void onTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
        static_cast<Toplevel*>(data)->pendingTitle = title;
    }
    static void onAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId) {
        static_cast<Toplevel*>(data)->pendingAppId = appId;
    }
    static void onOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
    static void onState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
        auto* t = static_cast<Toplevel*>(data);
        t->pendingActivated = t->pendingMinimized = t->pendingMaximized = false;
        const auto* state = static_cast<const std::uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i) {
            t->pendingActivated |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
            t->pendingMinimized |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED;
            t->pendingMaximized |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MAXIMIZED;
        }
    }
    static void onDone(void* data, zwlr_foreign_toplevel_handle_v1*) {
        auto* t = static_cast<Toplevel*>(data);
        const bool report = t->pendingActivated && (!t->activated || t->pendingTitle != t->title);
        t->title = t->pendingTitle;
        t->appId = t->pendingAppId;
        t->activated = t->pendingActivated;
        t->minimized = t->pendingMinimized;
        t->maximized = t->pendingMaximized;
        if (report && t->owner->activated_) t->owner->activated_(t->id);
    }
    static void onClosed(void* data, zwlr_foreign_toplevel_handle_v1*) { static_cast<Toplevel*>(data)->closed = true; }
    static void onParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

    static void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
        auto* owner = static_cast<WaylandWindowSystem*>(data);
        auto t = std::make_unique<Toplevel>();
        t->owner = owner;
        t->id = owner->nextId_++;
        t->handle = handle;
        static const zwlr_foreign_toplevel_handle_v1_listener listener{onTitle, onAppId, onOutput, onOutput,
                                                                       onState, onDone,  onClosed, onParent};
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, t.get());
        const WindowId id = t->id;
        owner->windows_.emplace(id, std::move(t));
    }
    static void onFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}
};

std::unique_ptr<WaylandWindowSystem> WaylandWindowSystem::create(Connection& connection) {
    zwlr_foreign_toplevel_manager_v1* manager = connection.bindToplevelManager();
    if (manager == nullptr) return nullptr;
    std::unique_ptr<WaylandWindowSystem> w(new WaylandWindowSystem(connection));
    w->manager_ = manager;
    w->ipc_ = SwayIpc::connect();
    static const zwlr_foreign_toplevel_manager_v1_listener listener{&Toplevel::onToplevel, &Toplevel::onFinished};
    zwlr_foreign_toplevel_manager_v1_add_listener(manager, &listener, w.get());
    // The first round announces the windows, the second their titles and states.
    if (!connection.roundtrip() || !connection.roundtrip()) return nullptr;
    return w;
}

WaylandWindowSystem::WaylandWindowSystem(Connection& connection) : connection_(connection) {}

WaylandWindowSystem::~WaylandWindowSystem() {
    for (auto& [id, t] : windows_) zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
    // The compositor may still announce windows; they go to no one now.
    if (manager_ != nullptr) zwlr_foreign_toplevel_manager_v1_destroy(manager_);
}

void WaylandWindowSystem::refresh() {
    connection_.roundtrip();
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->second->closed) {
            zwlr_foreign_toplevel_handle_v1_destroy(it->second->handle);
            it = windows_.erase(it);
        } else {
            ++it;
        }
    }
}

WaylandWindowSystem::Toplevel* WaylandWindowSystem::find(WindowId window) {
    const auto it = windows_.find(window);
    return it == windows_.end() || it->second->closed ? nullptr : it->second.get();
}

std::vector<WindowId> WaylandWindowSystem::topLevelWindows() {
    refresh();
    std::vector<WindowId> list;
    for (const auto& [id, t] : windows_) list.push_back(id);
    std::stable_partition(list.begin(), list.end(), [this](WindowId id) { return windows_.at(id)->activated; });
    return list;
}

std::string WaylandWindowSystem::windowTitle(WindowId window) {
    refresh();
    const Toplevel* t = find(window);
    return t == nullptr ? std::string() : utf8ToCp1252(t->title);
}

std::string WaylandWindowSystem::windowAppId(WindowId window) {
    refresh();
    const Toplevel* t = find(window);
    return t == nullptr ? std::string() : t->appId;
}

WindowId WaylandWindowSystem::findWindowByTitle(const std::string& title) {
    for (WindowId id : topLevelWindows()) {
        if (utf8ToCp1252(windows_.at(id)->title) == title) return id;
    }
    return 0;
}

WindowId WaylandWindowSystem::waitForTitle(const std::string& title, std::chrono::milliseconds deadline) {
    WindowId found = 0;
    connection_.dispatchUntil(
        [&] {
            for (const auto& [id, t] : windows_) {
                if (!t->closed && utf8ToCp1252(t->title) == title) found = id;
            }
            return found != 0;
        },
        deadline);
    return found;
}

WindowId WaylandWindowSystem::foregroundWindow() {
    refresh();
    for (const auto& [id, t] : windows_) {
        if (t->activated) return id;
    }
    return 0;
}

std::optional<SwayWindow> WaylandWindowSystem::swayWindow(WindowId window) {
    refresh();
    const Toplevel* t = find(window);
    if (t == nullptr || !ipc_) return std::nullopt;
    std::optional<SwayWindow> found;
    for (SwayWindow& w : ipc_->windows()) {
        if (w.title != t->title || w.appId != t->appId) continue;
        // Of windows alike, the one whose focus matches.
        if (!found || (w.focused == t->activated && found->focused != t->activated)) found = std::move(w);
    }
    return found;
}

std::int32_t WaylandWindowSystem::windowProcess(WindowId window) {
    const std::optional<SwayWindow> w = swayWindow(window);
    return w ? w->pid : 0;
}

bool WaylandWindowSystem::isMinimized(WindowId window) {
    refresh();
    const Toplevel* t = find(window);
    return t != nullptr && t->minimized;
}

bool WaylandWindowSystem::windowRect(WindowId window, WindowRect& rect) {
    const std::optional<SwayWindow> w = swayWindow(window);
    if (w) rect = w->rect;
    return w.has_value();
}

bool WaylandWindowSystem::setForegroundWindow(WindowId window) {
    refresh();
    Toplevel* t = find(window);
    if (t == nullptr) return false;
    if (t->minimized) zwlr_foreign_toplevel_handle_v1_unset_minimized(t->handle);
    zwlr_foreign_toplevel_handle_v1_activate(t->handle, connection_.seat());
    return connection_.dispatchUntil([t] { return t->activated || t->closed; }, kActivationDeadline) && !t->closed;
}

void WaylandWindowSystem::windowAction(WindowId window, WindowAction action) {
    refresh();
    Toplevel* t = find(window);
    if (t == nullptr) return;
    zwlr_foreign_toplevel_handle_v1* h = t->handle;
    switch (action) {
        case WindowAction::Restore:
            zwlr_foreign_toplevel_handle_v1_unset_minimized(h);
            zwlr_foreign_toplevel_handle_v1_unset_maximized(h);
            break;
        case WindowAction::Minimize:
        case WindowAction::Hide:
            zwlr_foreign_toplevel_handle_v1_set_minimized(h);
            break;
        case WindowAction::Maximize:
            zwlr_foreign_toplevel_handle_v1_set_maximized(h);
            break;
        case WindowAction::Show:
            zwlr_foreign_toplevel_handle_v1_unset_minimized(h);
            break;
        case WindowAction::Close:
        case WindowAction::Quit:
            zwlr_foreign_toplevel_handle_v1_close(h);
            break;
    }
    connection_.roundtrip();
}

void WaylandWindowSystem::moveWindow(WindowId window, int left, int top) {
    if (const std::optional<SwayWindow> w = swayWindow(window)) {
        ipc_->command("[con_id=" + std::to_string(w->id) + "] floating enable, move absolute position " +
                      std::to_string(left) + " px " + std::to_string(top) + " px");
    }
}

void WaylandWindowSystem::resizeWindow(WindowId window, int width, int height) {
    if (const std::optional<SwayWindow> w = swayWindow(window)) {
        // sway sizes a floating window about its centre: the corner is put back.
        ipc_->command("[con_id=" + std::to_string(w->id) + "] floating enable, resize set width " +
                      std::to_string(width) + " px height " + std::to_string(height) + " px, move absolute position " +
                      std::to_string(w->rect.left) + " px " + std::to_string(w->rect.top) + " px");
    }
}

ScreenSize WaylandWindowSystem::screenSize() { return {connection_.outputWidth(), connection_.outputHeight()}; }

}  // namespace orv::wayland
