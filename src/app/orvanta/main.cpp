// orvanta: the resident macro program.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>

#include "activation/command_line.h"
#include "activation/resident.h"
#include "app/orvanta/named_objects.h"
#include "engine/ansi_upper.h"
#include "gui/hand_over.h"
#include "gui/hook_message_bridge.h"
#include "gui/main_window.h"
#include "gui/qt_playback_windows.h"
#include "gui/qt_user_prompt.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/thread_sleep.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/qt_clipboard.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_mouse_input.h"
#include "platform/x11/x11_shell.h"
#include "platform/x11/x11_system_services.h"
#include "platform/x11/x11_window_system.h"
#include "store/settings.h"

namespace {

// The upper-cased base name of the running executable.
std::string ownProgramName() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return orv::ansiUpper(ec ? std::string("ORVANTA") : exe.filename().string());
}

// SIGTERM, SIGINT and SIGHUP end the program as its Terminate command does (settings saved,
// spare keycodes given back): the handler only writes to a pipe that the event loop watches.
int terminationPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    (void)!::write(terminationPipe[1], &byte, 1);
}

void watchTerminationSignals(orv::gui::TMainWin& window) {
    if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        while (::read(terminationPipe[0], &byte, 1) > 0) {
        }
        window.terminate();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

int systemError(const std::string& text) {
    QMessageBox::critical(nullptr, QStringLiteral("System Error"), QString::fromStdString(text));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta 99"));
    QApplication::setQuitOnLastWindowClosed(false);

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(orv::utf8ToCp1252(argv[i]));
    // A second start hands its command line to the running program and ends.
    if (orv::gui::sendHandOver(orv::joinArguments(args))) return 0;

    orv::NamedObjects named;
    if (const std::string error = named.create(); !error.empty()) return systemError(error);

    const orv::ProgramPaths paths = orv::ProgramPaths::fromEnvironment();
    auto table = std::make_unique<orv::TActivationTable>();
    auto settings = std::make_unique<orv::TAppSettings>();
    orv::LoadSettings(*settings, paths);
    const orv::CommandLine commandLine = orv::parseCommandLine(args);

    std::unique_ptr<orv::Resident> resident;
    orv::gui::HookMessageBridge bridge([&resident](const orv::HookMessage& m) {
        if (resident) resident->handleHookMessage(m);
    });
    orv::x11::X11HookLibrary hook(bridge);
    auto keyboard = orv::x11::X11KeyboardInput::create(&hook);
    auto windows = orv::x11::X11WindowSystem::create();
    if (!hook.available() || !keyboard || !windows) {
        std::cerr << "orvanta: no X display to work on (is DISPLAY set?)\n";
        return 1;
    }
    orv::x11::X11MouseInput mouse(keyboard->injector());
    orv::x11::ProcProcessList processes;
    orv::x11::QtMessagePump pump;
    orv::SystemClock clock;
    orv::SystemThreadSleep sleeper;
    orv::StdFileSystem files;
    orv::x11::QtClipboard clipboard;
    orv::x11::X11Shell shell;

    orv::gui::TMainWin window(*settings);
    orv::gui::QtUserPrompt prompt(&window);
    orv::gui::QtPlaybackWindows playbackWindows(&window, *windows);
    orv::x11::X11SystemServices system(
        *windows, [&window](const std::string& file, bool wait) { window.playWaveFile(file, wait); });
    orv::ResidentPlatform platform{*keyboard, mouse, pump,   playbackWindows, *windows,
                                   processes, hook,  prompt, clock,           sleeper};
    platform.files = &files;
    platform.clipboard = &clipboard;
    platform.shell = &shell;
    platform.system = system.services();
    resident = std::make_unique<orv::Resident>(*table, *settings, paths, platform, window, ownProgramName());

    window.attach(*resident, playbackWindows);
    watchTerminationSignals(window);
    resident->start(static_cast<std::int32_t>(window.winId()), commandLine);
    // Hand-overs are taken once the hotkeys are in place, so that a program that answers on the
    // socket is ready for everything.
    hook.waitUntilApplied(std::chrono::seconds(5));
    orv::gui::HandOverServer handOver([&resident](std::int64_t value) { resident->handOverCharacter(value); });
    if (!handOver.listen()) std::cerr << "orvanta: the hand-over socket could not be opened\n";
    window.showAtStart(commandLine.hideAtFirstPaint);
    const int status = QApplication::exec();
    resident->shutdown();
    return status;
}
