// orvanta: the resident macro program.
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "activation/command_line.h"
#include "activation/resident.h"
#include "activation/session_notice.h"
#include "app/orvanta/named_objects.h"
#include "app/orvanta/resident_desktop.h"
#include "app/orvanta/termination.h"
#include "engine/ansi_upper.h"
#include "engine/playback_engine.h"
#include "gui/hand_over.h"
#include "gui/hook_message_bridge.h"
#include "gui/main_window.h"
#include "gui/qt_playback_windows.h"
#include "gui/qt_user_prompt.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/runtime_dir.h"
#include "platform/thread_sleep.h"
#include "platform/x11/display_check.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/qt_media_player.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_shell.h"
#include "store/settings.h"

namespace {

constexpr const char* kUsage =
    "Usage: orvanta [SWITCH]...\n"
    "Starts Orvanta 99, the resident keyboard and mouse macro program. When it runs already, the\n"
    "switches go to the running program, which comes to the front (or plays the macro of /A).\n"
    "\n"
    "  /S            run in the system tray (\"Use Tray\"; only as /S), and synchronise a shared\n"
    "                macro file automatically (\"Auto Sync\")\n"
    "  /H            run hidden, without the main window on screen (\"Use Hide\"; only as /H)\n"
    "  /HIDE         hide the main window when it first appears\n"
    "  /B            Browse Mode: the commands that change macros are disabled\n"
    "  /BA           Browse All Mode: also the file, printing, settings and hiding commands\n"
    "  /C            the window's Close command hides or minimises the program (\"Use Close\")\n"
    "  /N            Network Mode: the macro file is shared with other users\n"
    "  /F FILE       make FILE the current macro file, when it exists\n"
    "  /SM N         synchronise a shared macro file every N minutes (1 to 98)\n"
    "  /A NICKNAME   play the macro with that nickname five seconds after start-up (the\n"
    "                nickname may contain blanks and ends at the next switch)\n"
    "  --help        show this text and exit\n"
    "\n"
    "Except for /S and /H, switches may be written in any case. Settings changed by switches are\n"
    "saved with the others when the program ends.\n";

int startFailure(const std::string& text) {
    std::cerr << "orvanta: " << text << '\n';
    return 1;
}

bool wantsHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

// The upper-cased base name of the running executable.
std::string ownProgramName() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return orv::ansiUpper(ec ? std::string("ORVANTA") : exe.filename().string());
}

int systemError(const std::string& text) {
    QMessageBox::critical(nullptr, QStringLiteral("System Error"), QString::fromStdString(text));
    return 1;
}

// Tells the user, without holding up the start, what this desktop session does not let the
// program do, unless the user has asked not to see that notice again.
void showSessionNotice(QWidget* parent, const orv::SessionNotice& notice) {
    if (!notice.due()) return;
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(orv::kSessionNoticeTitle),
                                QString::fromStdString(notice.text()), QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("sessionNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    auto* dismiss = new QCheckBox(QStringLiteral("&Do not show this again"), box);
    box->setCheckBox(dismiss);
    QObject::connect(box, &QMessageBox::finished, [dismiss, notice] {
        if (dismiss->isChecked() && !notice.dismissForGood())
            std::cerr << "orvanta: could not keep \"do not show this again\" for the session notice\n";
    });
    box->show();
}

// The program itself, once nothing has stopped it from starting: `socketPath` is where it
// takes hand-overs from later starts, in `runtimeDir`; `wayland`: it plays through the wlroots
// compositor's protocols instead of the X11 server.
int runResident(const std::vector<std::string>& args, const std::string& runtimeDir, const std::string& socketPath,
                bool wayland, orv::TerminationSignals& termination) {
    orv::NamedObjects named;
    if (const std::string error = named.create(); !error.empty()) return systemError(error);
    if (termination.requested()) return 0;

    const orv::ProgramPaths paths = orv::ProgramPaths::fromEnvironment();
    auto table = std::make_unique<orv::TActivationTable>();
    auto settings = std::make_unique<orv::TAppSettings>();
    orv::LoadSettings(*settings, paths);
    const orv::CommandLine commandLine = orv::parseCommandLine(args);

    std::unique_ptr<orv::Resident> resident;
    std::unique_ptr<orv::ResidentDesktop> desktop;
    orv::gui::HookMessageBridge bridge([&resident, &desktop](const orv::HookMessage& m) {
        if (resident) resident->handleHookMessage(desktop->complete(m));
    });
    std::string noDesktop;
    desktop = wayland ? orv::makeWlrootsDesktop(bridge, runtimeDir, noDesktop) : orv::makeX11Desktop(bridge, noDesktop);
    if (!desktop) return startFailure(noDesktop);
    orv::x11::ProcProcessList processes;
    orv::x11::QtMessagePump pump;
    orv::SystemClock clock;
    orv::SystemThreadSleep sleeper;
    orv::StdFileSystem files;
    orv::x11::X11Shell shell;

    orv::gui::TMainWin window(*settings);
    orv::gui::QtUserPrompt prompt(&window);
    orv::gui::QtPlaybackWindows playbackWindows(&window, desktop->windows());
    window.setWavePlayer(orv::x11::playWaveFile);
    window.setDesktopQueries(&desktop->desktopQueries());
    orv::ResidentPlatform platform{desktop->keyboard(), desktop->mouse(), pump,   playbackWindows, desktop->windows(),
                                   processes,           desktop->hook(),  prompt, clock,           sleeper};
    platform.files = &files;
    platform.clipboard = &desktop->clipboard();
    platform.shell = &shell;
    platform.system = desktop->services();
    platform.keyRemapper = desktop->keyRemapper();
    resident = std::make_unique<orv::Resident>(*table, *settings, paths, platform, window, ownProgramName());

    window.attach(*resident, playbackWindows);
    termination.setAction([&window, &resident] {
        resident->abortMacro();
        window.terminate();
    });
    resident->start(static_cast<std::int32_t>(window.winId()), commandLine);
    // Hand-overs are taken once the hotkeys are in place, so that a program that answers on the
    // socket is ready for everything.
    desktop->waitUntilHooked();
    orv::gui::HandOverServer handOver([&resident](std::int64_t value) { resident->handOverCharacter(value); });
    if (const std::string error = handOver.listen(socketPath); !error.empty())
        std::cerr << "orvanta: no hand-over from later starts: " << error << '\n';
    if (!termination.requested()) {
        window.showAtStart(commandLine.hideAtFirstPaint);
        orv::Capabilities session = desktop->hook().capabilities();
        session.limitTo(platform.system.capabilities);
        showSessionNotice(&window, orv::SessionNotice(session, paths.configDir));
    }
    // A signal during start-up (a message box open) ends the program before the main loop.
    const int status = termination.requested() ? 0 : QApplication::exec();
    resident->shutdown();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (wantsHelp(argc, argv)) {
        std::cout << kUsage;
        return 0;
    }
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(orv::utf8ToCp1252(argv[i]));

    // The hand-over socket lives in a folder only this user can reach; without one, nothing.
    const orv::RuntimeDir runtime = orv::privateRuntimeDir();
    if (!runtime.ok()) return startFailure(runtime.error);
    const std::string socketPath = orv::gui::handOverSocketPath(runtime.path);
    // A second start hands its command line to the running program and ends.
    switch (orv::gui::sendHandOver(socketPath, orv::joinArguments(args))) {
        case orv::gui::HandOver::Delivered:
            return 0;
        case orv::gui::HandOver::Foreign:
            return startFailure("the program answering on " + socketPath + " runs as another user");
        case orv::gui::HandOver::Failed:
            return startFailure("the running program did not take the command line");
        case orv::gui::HandOver::NoProgram:
            break;
    }
    // In a wlroots compositor's session the program plays through the compositor and its windows
    // are Wayland windows too: the session need not have an X11 server. Otherwise it is an X11
    // client throughout: its windows, clipboard and event loop are on the display its hooks
    // watch, also in other Wayland sessions (through XWayland).
    const bool wayland = orv::wlrootsSessionAvailable();
    // Qt ends the process inside its start-up when there is no display: say it in one line.
    if (!wayland) {
        if (const std::string problem = orv::x11::displayProblem(); !problem.empty()) return startFailure(problem);
    }
    qputenv("QT_QPA_PLATFORM", wayland ? "wayland" : "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta 99"));
    QApplication::setQuitOnLastWindowClosed(false);
    orv::TerminationSignals termination;
    return runResident(args, runtime.path, socketPath, wayland, termination);
}
