// The resident program's desktop on an X11 server (a whole one, or a Wayland session's XWayland).
#include <chrono>

#include "app/orvanta/key_remapper.h"
#include "app/orvanta/resident_desktop.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "platform/x11/keymap_remap.h"
#include "platform/x11/qt_clipboard.h"
#include "platform/x11/qt_media_player.h"
#include "platform/x11/x11_desktop_queries.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_mouse_input.h"
#include "platform/x11/x11_system_services.h"
#include "platform/x11/x11_window_system.h"

namespace orv {

namespace {

class X11Desktop final : public ResidentDesktop {
public:
    explicit X11Desktop(IHookMessageSink& sink)
        : hook_(sink), keyboard_(x11::X11KeyboardInput::create(&hook_)), windows_(x11::X11WindowSystem::create()) {
        if (!valid()) return;
        mouse_ = std::make_unique<x11::X11MouseInput>(keyboard_->injector());
        // The layout's spare keys do not reach XWayland's clients: what the layout lacks is pasted.
        if (keyboard_->displaySession() == DisplaySession::XWayland) keyboard_->pasteOutsideLayout(clipboard_);
        system_ = std::make_unique<x11::X11SystemServices>(*windows_, x11::playWaveFile);
        desktopQueries_ = std::make_unique<x11::X11DesktopQueries>(
            x11::X11DesktopQueries::sessionSources(system_->services().settings, system_->services().shell));
        // Puts back the user's keys if a run that could not restore them left them remapped.
        if (auto keymap = x11::KeymapRemap::create())
            keyRemapper_ = std::make_unique<X11KeyRemapper>(std::move(keymap), keyboard_->injector());
    }
    bool valid() const { return hook_.available() && keyboard_ && windows_; }

    IHookLibrary& hook() override { return hook_; }
    IKeyboardInput& keyboard() override { return *keyboard_; }
    IMouseInput& mouse() override { return *mouse_; }
    IWindowSystem& windows() override { return *windows_; }
    IClipboard& clipboard() override { return clipboard_; }
    SystemServices services() override { return system_->services(); }
    IDesktopQueries& desktopQueries() override { return *desktopQueries_; }
    remap::IKeyRemapper* keyRemapper() override { return keyRemapper_.get(); }
    void waitUntilHooked() override { hook_.waitUntilApplied(std::chrono::seconds(5)); }

private:
    x11::X11HookLibrary hook_;
    std::unique_ptr<x11::X11KeyboardInput> keyboard_;
    std::unique_ptr<x11::X11WindowSystem> windows_;
    std::unique_ptr<x11::X11MouseInput> mouse_;
    x11::QtClipboard clipboard_;
    std::unique_ptr<x11::X11SystemServices> system_;
    std::unique_ptr<x11::X11DesktopQueries> desktopQueries_;
    std::unique_ptr<X11KeyRemapper> keyRemapper_;
};

}  // namespace

std::unique_ptr<ResidentDesktop> makeX11Desktop(IHookMessageSink& sink, std::string& error) {
    auto desktop = std::make_unique<X11Desktop>(sink);
    if (desktop->valid()) return desktop;
    error = "the X display lacks XTest, XInput2 or XKB";
    return nullptr;
}

}  // namespace orv
