// The resident program's desktop in a wlroots compositor's session (sway and its kin): it types,
// drives the windows, the pointer and the clipboard through the compositor's own protocols, and
// under sway binds its hotkeys through sway's IPC socket. Built only with the Wayland backend
// (ORV_RESIDENT_WAYLAND).
#include "app/orvanta/resident_desktop.h"

#ifdef ORV_RESIDENT_WAYLAND

#include <QSocketNotifier>
#include <cstdlib>

#include "activation/hotkey_dispatch.h"
#include "platform/wayland/wayland_clipboard.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_hook_library.h"
#include "platform/wayland/wayland_keyboard_input.h"
#include "platform/wayland/wayland_mouse_input.h"
#include "platform/wayland/wayland_window_system.h"
#include "platform/x11/qt_media_player.h"
#include "platform/x11/x11_desktop_queries.h"
#include "platform/x11/x11_system_services.h"

namespace orv {

namespace {

// The clipboard of a compositor without data control: empty, and text set on it goes nowhere.
class NoClipboard final : public IClipboard {
public:
    std::string text() override { return {}; }
    void setText(const std::string&) override {}
    bool setBitmapFromFile(const std::string&) override { return false; }
};

class WlrootsDesktop final : public ResidentDesktop {
public:
    WlrootsDesktop(std::unique_ptr<wayland::Connection> connection, IHookMessageSink& sink,
                   const std::string& runtimeDir)
        : connection_(std::move(connection)),
          keyboard_(wayland::WaylandKeyboardInput::create(*connection_)),
          windows_(wayland::WaylandWindowSystem::create(*connection_)),
          mouse_(wayland::WaylandMouseInput::create(*connection_)),
          hook_(wayland::WaylandHookLibrary::create(sink, runtimeDir + "/sway-hotkeys")) {
        if (!valid()) return;
        // No hook sees the marker key here: the keyboard says when the keys before it were taken.
        keyboard_->setMarkerKey(kMarkerKey, [this] { hook_->markerKeyTyped(); });
        // The compositor tells of window activations as its events come in, whoever reads them.
        windows_->onActivation([this](WindowId window) { hook_->windowActivated(static_cast<std::int64_t>(window)); });
        events_ = std::make_unique<QSocketNotifier>(connection_->fd(), QSocketNotifier::Read);
        QObject::connect(events_.get(), &QSocketNotifier::activated, [this] { connection_->dispatchArrived(); });
        std::string error;
        clipboard_ = wayland::WaylandClipboard::create(error);
        system_ = std::make_unique<x11::X11SystemServices>(*windows_, x11::playWaveFile);
    }
    ~WlrootsDesktop() override {
        // The parts tell the hook library nothing more while they go.
        if (windows_) windows_->onActivation({});
        if (keyboard_) keyboard_->setMarkerKey(0, {});
    }
    WlrootsDesktop(const WlrootsDesktop&) = delete;
    WlrootsDesktop& operator=(const WlrootsDesktop&) = delete;
    bool valid() const { return keyboard_ && windows_ && mouse_ && hook_; }

    IHookLibrary& hook() override { return *hook_; }
    IKeyboardInput& keyboard() override { return *keyboard_; }
    IMouseInput& mouse() override { return *mouse_; }
    IWindowSystem& windows() override { return *windows_; }
    IClipboard& clipboard() override { return clipboard_ ? static_cast<IClipboard&>(*clipboard_) : noClipboard_; }
    // Sound, CD and dial-up as on X11; no desktop settings and no X11 desktop shell.
    SystemServices services() override {
        SystemServices s = system_->services();
        s.settings = nullptr;
        s.shell = nullptr;
        s.capabilities = hook_->capabilities();
        return s;
    }
    IDesktopQueries& desktopQueries() override { return desktopQueries_; }
    // The hotkey's window is the one active when the hotkey message is handled.
    HookMessage complete(const HookMessage& message) override {
        HookMessage m = message;
        if (m.msg == HookMsg::HotKey && m.lParam == 0)
            m.lParam = static_cast<std::int64_t>(windows_->foregroundWindow());
        return m;
    }

private:
    std::unique_ptr<wayland::Connection> connection_;
    std::unique_ptr<wayland::WaylandKeyboardInput> keyboard_;
    std::unique_ptr<wayland::WaylandWindowSystem> windows_;
    std::unique_ptr<wayland::WaylandMouseInput> mouse_;
    std::unique_ptr<wayland::WaylandHookLibrary> hook_;
    std::unique_ptr<wayland::WaylandClipboard> clipboard_;
    NoClipboard noClipboard_;
    std::unique_ptr<x11::X11SystemServices> system_;
    std::unique_ptr<QSocketNotifier> events_;
    x11::X11DesktopQueries desktopQueries_{x11::X11DesktopQueries::sessionSources(nullptr, nullptr)};
};

// The compositor and whether it has what typing, windows and the pointer need.
std::unique_ptr<wayland::Connection> openCompositor(std::string& error) {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (display == nullptr || *display == '\0') {
        error = "WAYLAND_DISPLAY is not set";
        return nullptr;
    }
    auto connection = wayland::Connection::open(error);
    if (!connection) return nullptr;
    const std::vector<std::string> missing = connection->missingProtocols();
    if (!missing.empty() || connection->pointerManager() == nullptr) {
        error =
            "the Wayland compositor lacks " + (missing.empty() ? std::string("the virtual pointer") : missing.front());
        return nullptr;
    }
    return connection;
}

}  // namespace

bool wlrootsSessionAvailable() {
    std::string error;
    return openCompositor(error) != nullptr;
}

std::unique_ptr<ResidentDesktop> makeWlrootsDesktop(IHookMessageSink& sink, const std::string& runtimeDir,
                                                    std::string& error) {
    auto connection = openCompositor(error);
    if (!connection) return nullptr;
    auto desktop = std::make_unique<WlrootsDesktop>(std::move(connection), sink, runtimeDir);
    if (desktop->valid()) return desktop;
    error = "could not set up the Wayland compositor's virtual keyboard, pointer and window list";
    return nullptr;
}

}  // namespace orv

#else

namespace orv {

bool wlrootsSessionAvailable() { return false; }

std::unique_ptr<ResidentDesktop> makeWlrootsDesktop(IHookMessageSink&, const std::string&, std::string& error) {
    error = "this build has no Wayland backend";
    return nullptr;
}

}  // namespace orv

#endif
