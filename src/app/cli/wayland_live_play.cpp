// play --live in a session of a wlroots compositor (sway and its kin): the macro is typed
// through the compositor's virtual keyboard into the focused window, Wayland or X11, and the
// window commands drive the compositor's windows. Built only with the Wayland backend
// (ORV_CLI_WAYLAND).
#include "app/cli/play_platform.h"

#ifdef ORV_CLI_WAYLAND

#include <QtCore/QCoreApplication>

#include <cstdlib>
#include <iostream>

#include "app/cli/console_desktop.h"
#include "engine/ansi_upper.h"
#include "engine/desktop_families.h"
#include "engine/window_control.h"
#include "platform/activation_table.h"
#include "platform/capabilities.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/recording_macro_host.h"
#include "platform/file_system.h"
#include "platform/thread_sleep.h"
#include "platform/wayland/wayland_clipboard.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard_input.h"
#include "platform/wayland/wayland_mouse_input.h"
#include "platform/wayland/wayland_window_system.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_shell.h"

namespace orv::cli {

namespace {

struct WaylandParts {
    std::unique_ptr<wayland::Connection> connection;
    std::unique_ptr<wayland::WaylandKeyboardInput> keyboard;
    std::unique_ptr<wayland::WaylandWindowSystem> windows;
    std::unique_ptr<wayland::WaylandMouseInput> mouse;
    std::unique_ptr<wayland::WaylandClipboard> clipboard;  // none where the compositor lacks data control
};

class WaylandLivePlatform final : public PlatformSet {
public:
    WaylandLivePlatform(const PlayOptions& o, WaylandParts parts)
        : app_(argc_, argv_),
          parts_(std::move(parts)),
          playbackWindows_(*parts_.windows, o),
          control_(*parts_.windows, processes_) {
        if (o.clipboard && parts_.clipboard) parts_.clipboard->setText(*o.clipboard);
        host_.allowSwap(false);
    }

    PlaybackServices services() override {
        return PlaybackServices{.keyboard = *parts_.keyboard,
                                .pump = pump_,
                                .windows = playbackWindows_,
                                .clock = clock_,
                                .clipboard = parts_.clipboard.get(),
                                .shell = &shell_,
                                .files = &files_,
                                .host = &host_};
    }
    // The compositor lets no client watch the keyboard or other windows' input: the hotkeys of a
    // macro file and the waits' hooks are recorded, never grabbed.
    IHookLibrary& hookLibrary() override { return storeHooks_; }
    IUserPrompt& prompt() override { return prompt_; }
    const IClock& clock() override { return clock_; }

    void registerFamilies(PlaybackEngine& engine) override {
        TActivationTable& table = *engine.services().table;
        // The system commands get no desktop settings, shell, network or multimedia here; those
        // the session lacks altogether say so.
        SystemServices system;
        system.capabilities = wlrootsCapabilities();
        families_ = std::make_unique<DesktopFamilies>(control_, familyHooks_, table, sleeper_, *parts_.mouse,
                                                      *parts_.windows, system);
        families_->followActivations(engine);
        families_->registerWith(engine);
        std::vector<std::string> names;
        for (const ProcessInfo& p : processes_.processes()) names.push_back(ansiUpper(p.name));
        table.setRunningPrograms(names.data(), static_cast<int>(names.size()));
    }

    bool capsWasOn(const PlayOptions&) override { return parts_.keyboard->capsLockOn(); }
    std::int32_t startWindow() override { return static_cast<std::int32_t>(parts_.windows->foregroundWindow()); }

    // Every key has reached the compositor once it has answered after the last one.
    int finish() override {
        if (parts_.keyboard->endPlayback()) return 0;
        std::cerr << "orvanta-cli: the Wayland compositor closed the connection; the last keys may not have arrived\n";
        return 1;
    }

private:
    int argc_ = 1;
    char name_[12] = "orvanta-cli";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication app_;
    WaylandParts parts_;
    x11::ProcProcessList processes_;
    x11::QtMessagePump pump_;
    x11::X11Shell shell_;
    StdFileSystem files_;
    SystemClock clock_;
    SystemThreadSleep sleeper_;
    ConsolePrompt prompt_;
    ConsoleWindows playbackWindows_;
    fake::Transcript trace_;  // what the store, the host and the waits ask of the hooks
    fake::FakeHookLibrary storeHooks_{trace_};
    fake::FakeHookLibrary familyHooks_{trace_};
    RecordingMacroHost host_{trace_};
    WindowControl control_;
    std::unique_ptr<DesktopFamilies> families_;
};

}  // namespace

std::unique_ptr<PlatformSet> makeWaylandPlatform(const PlayOptions& o, std::string& error) {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (display == nullptr || *display == '\0') return nullptr;
    WaylandParts parts;
    parts.connection = wayland::Connection::open(error);
    if (!parts.connection) return nullptr;
    const std::vector<std::string> missing = parts.connection->missingProtocols();
    if (!missing.empty() || parts.connection->pointerManager() == nullptr) {
        error =
            "the Wayland compositor lacks " + (missing.empty() ? std::string("the virtual pointer") : missing.front());
        return nullptr;
    }
    parts.keyboard = wayland::WaylandKeyboardInput::create(*parts.connection);
    parts.windows = wayland::WaylandWindowSystem::create(*parts.connection);
    parts.mouse = wayland::WaylandMouseInput::create(*parts.connection);
    if (!parts.keyboard || !parts.windows || !parts.mouse) {
        error = "could not set up the Wayland compositor's virtual keyboard, pointer and window list";
        return nullptr;
    }
    std::string clipboardError;
    parts.clipboard = wayland::WaylandClipboard::create(clipboardError);
    return std::make_unique<WaylandLivePlatform>(o, std::move(parts));
}

}  // namespace orv::cli

#else

namespace orv::cli {

std::unique_ptr<PlatformSet> makeWaylandPlatform(const PlayOptions&, std::string&) { return nullptr; }

}  // namespace orv::cli

#endif
