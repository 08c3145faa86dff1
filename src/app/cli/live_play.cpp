// play --live: the macro played on the real X11 desktop, into the window that has the focus.
// Built only with the X11 platform (ORV_CLI_LIVE); without it --live explains that it is
// missing.
#include "app/cli/play_platform.h"

#ifdef ORV_CLI_LIVE

// Qt before the X11 platform headers: Xlib's macros break Qt's.
#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>

#include <chrono>
#include <functional>
#include <iostream>

#include "activation/hotkey_dispatch.h"
#include "app/cli/console_desktop.h"
#include "engine/ansi_upper.h"
#include "engine/desktop_families.h"
#include "platform/fake/recording_macro_host.h"
#include "engine/window_control.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/file_system.h"
#include "platform/thread_sleep.h"
#include "platform/user_prompt.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/qt_clipboard.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_mouse_input.h"
#include "platform/x11/x11_shell.h"
#include "platform/x11/x11_window_system.h"
#include "platform/activation_table.h"

namespace orv::cli {

namespace {

using namespace std::chrono_literals;

// How long the end-of-playback marker may take to come back through the server.
constexpr auto kMarkerDeadline = 10s;
// How long the hook library may take to put its grabs in place before the macro starts.
constexpr auto kHookDeadline = 5s;

// Hook messages come from the hook library's thread; they are handled on the main thread,
// whenever the playback processes messages.
class QueuedSink final : public IHookMessageSink {
public:
    explicit QueuedSink(std::function<void(const HookMessage&)> handler) : handler_(std::move(handler)) {}
    void postHookMessage(const HookMessage& message) override {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this, message] { handler_(message); }, Qt::QueuedConnection);
    }

private:
    std::function<void(const HookMessage&)> handler_;
};

class LivePlatform final : public PlatformSet {
public:
    // Every part of the real desktop; call valid() before anything else.
    LivePlatform(const PlayOptions& o, std::unique_ptr<x11::X11WindowSystem> windows)
        : app_(argc_, argv_),
          windows_(std::move(windows)),
          hook_(sink_),
          keyboard_(x11::X11KeyboardInput::create(&hook_)),
          playbackWindows_(*windows_, o),
          control_(*windows_, processes_) {
        if (!valid()) return;
        mouse_ = std::make_unique<x11::X11MouseInput>(keyboard_->injector());
        if (keyboard_->displaySession() == DisplaySession::XWayland) keyboard_->pasteOutsideLayout(clipboard_);
        if (o.clipboard) clipboard_.setText(*o.clipboard);
        host_.allowSwap(false);
    }

    ~LivePlatform() override {
        for (HookHandle handle : {keyboardHook_, mouseHook_, windowHook_}) {
            if (handle != 0) hook_.OrvUnHook(handle);
        }
    }

    bool valid() const { return hook_.available() && keyboard_ != nullptr; }

    PlaybackServices services() override {
        return PlaybackServices{.keyboard = *keyboard_,
                                .pump = pump_,
                                .windows = playbackWindows_,
                                .clock = clock_,
                                .clipboard = &clipboard_,
                                .shell = &shell_,
                                .files = &files_,
                                .host = &host_};
    }
    // The store's view of the hook library: a recorder, so that the hotkeys of a macro file are
    // never grabbed on the user's desktop.
    IHookLibrary& hookLibrary() override { return storeHooks_; }
    IUserPrompt& prompt() override { return prompt_; }
    const IClock& clock() override { return clock_; }

    void registerFamilies(PlaybackEngine& engine) override {
        engine_ = &engine;
        TActivationTable& table = *engine.services().table;
        // The system commands get no desktop settings, shell, network or multimedia here.
        families_ =
            std::make_unique<DesktopFamilies>(control_, hook_, table, sleeper_, *mouse_, *windows_, SystemServices{});
        families_->followActivations(engine);
        families_->registerWith(engine);
        refreshPrograms();

        // The abort key, the marker, the waits' keys and clicks, window and process changes.
        windowHook_ = hook_.OrvHookCBT();
        keyboardHook_ = hook_.OrvHookKeyboard();
        mouseHook_ = hook_.OrvHookMouse();
        if (!hook_.waitUntilApplied(kHookDeadline)) std::cerr << "orvanta-cli: the keyboard hooks are late\n";
    }

    bool capsWasOn(const PlayOptions&) override { return keyboard_->capsLockOn(); }
    std::int32_t startWindow() override { return static_cast<std::int32_t>(windows_->foregroundWindow()); }

    // The marker key goes after the macro's keys; once it has come back through the server
    // every key before it has been sent to its window, and endPlayback() waits for the focused
    // client to have handled them.
    int finish() override {
        markerSeen_ = false;
        keyboard_->keyEvent(kMarkerKey, keyboard_->scanCodeFor(kMarkerKey), false);
        keyboard_->keyEvent(kMarkerKey, keyboard_->scanCodeFor(kMarkerKey), true);
        if (!markerSeen_) {
            QEventLoop loop;
            markerLoop_ = &loop;
            QTimer::singleShot(kMarkerDeadline, &loop, &QEventLoop::quit);
            loop.exec();
            markerLoop_ = nullptr;
        }
        keyboard_->endPlayback();
        if (!markerSeen_) {
            std::cerr << "orvanta-cli: the end-of-playback marker did not come back; the last keys may not have "
                         "arrived\n";
            return 1;
        }
        return 0;
    }

private:
    void handle(const HookMessage& m) {
        switch (m.msg) {
            case HookMsg::Abort:
                if (engine_ != nullptr) engine_->requestAbort();
                break;
            case HookMsg::Marker:
                markerSeen_ = true;
                if (markerLoop_ != nullptr) markerLoop_->quit();
                break;
            case HookMsg::ProcessesChanged:
                refreshPrograms();
                break;
            default:
                if (families_) families_->waits.handleHookMessage(m);
                break;
        }
    }

    // The running-program list the program waits look at, as the main window keeps it.
    void refreshPrograms() {
        if (engine_ == nullptr || engine_->services().table == nullptr) return;
        std::vector<std::string> names;
        for (const ProcessInfo& p : processes_.processes()) names.push_back(ansiUpper(p.name));
        engine_->services().table->setRunningPrograms(names.data(), static_cast<int>(names.size()));
    }

    int argc_ = 1;
    char name_[12] = "orvanta-cli";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication app_;
    std::unique_ptr<x11::X11WindowSystem> windows_;
    QueuedSink sink_{[this](const HookMessage& m) { handle(m); }};
    x11::X11HookLibrary hook_;
    std::unique_ptr<x11::X11KeyboardInput> keyboard_;
    std::unique_ptr<x11::X11MouseInput> mouse_;
    x11::ProcProcessList processes_;
    x11::QtMessagePump pump_;
    x11::QtClipboard clipboard_;
    x11::X11Shell shell_;
    StdFileSystem files_;
    SystemClock clock_;
    SystemThreadSleep sleeper_;
    ConsolePrompt prompt_;
    ConsoleWindows playbackWindows_;
    fake::Transcript trace_;  // what the store and host report; nothing of it is real input
    fake::FakeHookLibrary storeHooks_{trace_};
    RecordingMacroHost host_{trace_};
    WindowControl control_;
    std::unique_ptr<DesktopFamilies> families_;
    PlaybackEngine* engine_ = nullptr;
    QEventLoop* markerLoop_ = nullptr;
    bool markerSeen_ = false;
    HookHandle keyboardHook_ = 0;
    HookHandle mouseHook_ = 0;
    HookHandle windowHook_ = 0;
};

}  // namespace

std::unique_ptr<PlatformSet> makeLivePlatform(const PlayOptions& o, std::string& error) {
    if (auto platform = makeWaylandPlatform(o, error)) return platform;
    // Qt would abort without a display: ask the server first.
    std::unique_ptr<x11::X11WindowSystem> windows = x11::X11WindowSystem::create();
    if (!windows) {
        error = "--live needs an X display to play on (is DISPLAY set?)";
        return nullptr;
    }
    // The clipboard and the message queue are those of an X11 client, whatever else the
    // environment asks Qt for.
    qputenv("QT_QPA_PLATFORM", "xcb");
    auto platform = std::make_unique<LivePlatform>(o, std::move(windows));
    if (!platform->valid()) {
        error = "--live could not set up keyboard injection and the hooks on the X display";
        return nullptr;
    }
    return platform;
}

}  // namespace orv::cli

#else

namespace orv::cli {

std::unique_ptr<PlatformSet> makeLivePlatform(const PlayOptions&, std::string& error) {
    error = "this orvanta-cli was built without the X11 platform: --live is not available";
    return nullptr;
}

}  // namespace orv::cli

#endif
