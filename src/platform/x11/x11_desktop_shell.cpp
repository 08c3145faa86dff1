#include "platform/x11/x11_desktop_shell.h"

// Qt before Xlib: Xlib's macros (None, Status, Bool ...) break Qt's headers.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QVariant>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xutil.h>
// clang-format on
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/x11/desktop_layout.h"
#include "platform/x11/run_program.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

namespace {

using Command = std::vector<std::string>;

// The desktops' own tools for a shell function, the first installed one is started.
const std::vector<Command>& toolsFor(ShellFunction function) {
    static const std::vector<Command> none;
    static const std::vector<Command> setTime = {{"gnome-control-center", "datetime"},
                                                 {"unity-control-center", "datetime"},
                                                 {"cinnamon-settings", "calendar"},
                                                 {"systemsettings", "kcm_clock"},
                                                 {"time-admin"},
                                                 {"mate-time-admin"}};
    static const std::vector<Command> findComputer = {{"nautilus", "network:///"}, {"nemo", "network:///"},
                                                      {"caja", "network:///"},     {"thunar", "network:///"},
                                                      {"dolphin", "remote:/"},     {"pcmanfm", "network:///"}};
    static const std::vector<Command> findFiles = {{"gnome-search-tool"}, {"mate-search-tool"}, {"catfish"}, {"kfind"},
                                                   {"searchmonkey"},      {"fsearch"}};
    static const std::vector<Command> fileRun = {{"krunner"}, {"xfce4-appfinder", "--collapsed"}, {"lxqt-runner"},
                                                 {"gmrun"},   {"rofi", "-show", "run"},           {"dmenu_run"}};
    switch (function) {
        case ShellFunction::SetTime:
            return setTime;
        case ShellFunction::FindComputer:
            return findComputer;
        case ShellFunction::FindFiles:
            return findFiles;
        case ShellFunction::FileRun:
            return fileRun;
        default:
            return none;
    }
}

bool startFirstInstalled(const std::vector<Command>& tools) {
    for (const Command& tool : tools)
        if (!findProgram(tool.front()).empty()) return startProgram(tool);
    return false;
}

std::string homeDir() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "/";
}

std::string envDir(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : fallback;
}

std::string userDir(const char* name) {
    const std::string home = homeDir();
    std::ifstream in(envDir("XDG_CONFIG_HOME", home + "/.config") + "/user-dirs.dirs");
    std::stringstream text;
    text << in.rdbuf();
    return xdgUserDir(name, text.str(), home);
}

// What stands in for a special folder: a folder or location for xdg-open, or a tool.
struct FolderTarget {
    std::string location;
    std::vector<Command> tools;
};

FolderTarget specialFolder(int folder) {
    const std::string data = envDir("XDG_DATA_HOME", homeDir() + "/.local/share");
    const std::string config = envDir("XDG_CONFIG_HOME", homeDir() + "/.config");
    switch (folder) {
        case 0:   // the desktop
        case 16:  // the desktop directory
            return {userDir("DESKTOP"), {}};
        case 2:   // Programs
        case 11:  // Start menu
            return {data + "/applications", {}};
        case 3:  // Control Panel: the desktop's settings program
            return {"",
                    {{"gnome-control-center"},
                     {"unity-control-center"},
                     {"cinnamon-settings"},
                     {"systemsettings"},
                     {"xfce4-settings-manager"},
                     {"mate-control-center"},
                     {"lxqt-config"}}};
        case 4:  // Printers
            return {"", {{"system-config-printer"}, {"gnome-control-center", "printers"}}};
        case 5:  // My Documents
            return {userDir("DOCUMENTS"), {}};
        case 6:  // Favorites: the bookmarked places live in the home folder's file manager view
            return {homeDir(), {}};
        case 7:  // Startup
            return {config + "/autostart", {}};
        case 8:  // Recent documents
            return {"recent:///", {}};
        case 10:  // Recycle Bin
            return {data + "/Trash/files", {}};
        case 17:  // My Computer
            return {"/", {}};
        case 18:  // network neighbourhood
            return {"network:///", {}};
        case 20:  // Fonts
            return {data + "/fonts", {}};
        default:
            return {};
    }
}

// systemd-logind on the system bus; an invalid reply when there is no bus or no logind.
QDBusMessage callLogind(const QString& path, const QString& interface, const QString& method,
                        const QList<QVariant>& arguments = {}) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return QDBusMessage::createError(QStringLiteral("org.orvanta.NoBus"), QString());
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"), path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, 25000);
}

QDBusMessage callManager(const QString& method, const QList<QVariant>& arguments = {}) {
    return callLogind(QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
                      method, arguments);
}

bool replied(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

}  // namespace

std::unique_ptr<X11DesktopShell> X11DesktopShell::create(IWindowSystem& windows) {
    DisplayPtr display = openDisplay();
    if (!display) return nullptr;
    return std::unique_ptr<X11DesktopShell>(new X11DesktopShell(std::move(display), windows));
}

X11DesktopShell::X11DesktopShell(DisplayPtr display, IWindowSystem& windows)
    : display_(std::move(display)), windows_(windows) {}

X11DesktopShell::~X11DesktopShell() = default;

WindowRect X11DesktopShell::workArea() {
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    const long desktop = readCardinal(d, root, atom(d, "_NET_CURRENT_DESKTOP")).value_or(0);
    if (auto area = readProperty(d, root, atom(d, "_NET_WORKAREA"));
        area && area->items.size() >= static_cast<std::size_t>(desktop + 1) * 4) {
        const long* a = area->items.data() + desktop * 4;
        return {static_cast<int>(a[0]), static_cast<int>(a[1]), static_cast<int>(a[0] + a[2]),
                static_cast<int>(a[1] + a[3])};
    }
    const ScreenSize screen = windows_.screenSize();
    return {0, 0, screen.width, screen.height};
}

// The normal, not minimised windows of the current desktop, back window first.
std::vector<WindowId> X11DesktopShell::arrangeableWindows() {
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    const long desktop = readCardinal(d, root, atom(d, "_NET_CURRENT_DESKTOP")).value_or(0);
    const Atom typeAtom = atom(d, "_NET_WM_WINDOW_TYPE");
    const long normal = static_cast<long>(atom(d, "_NET_WM_WINDOW_TYPE_NORMAL"));
    const long hidden = static_cast<long>(atom(d, "_NET_WM_STATE_HIDDEN"));
    std::vector<WindowId> result;
    for (Window w : readWindows(d, root, atom(d, "_NET_CLIENT_LIST_STACKING"))) {
        if (auto type = readProperty(d, w, typeAtom); type && !type->items.empty() && type->items.front() != normal)
            continue;
        if (auto state = readProperty(d, w, atom(d, "_NET_WM_STATE"));
            state && std::find(state->items.begin(), state->items.end(), hidden) != state->items.end())
            continue;
        const long on = readCardinal(d, w, atom(d, "_NET_WM_DESKTOP")).value_or(desktop);
        if (on != desktop && on != 0xFFFFFFFFL && on != -1) continue;
        result.push_back(static_cast<WindowId>(w));
    }
    return result;
}

void X11DesktopShell::cascadeWindows() {
    const std::vector<WindowId> windows = arrangeableWindows();
    const std::vector<WindowRect> rects = cascadeLayout(static_cast<int>(windows.size()), workArea());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows_.windowAction(windows[i], WindowAction::Restore);  // a maximised window cannot move
        windows_.moveWindow(windows[i], rects[i].left, rects[i].top);
        windows_.resizeWindow(windows[i], rects[i].width(), rects[i].height());
    }
}

void X11DesktopShell::tileWindows(bool horizontal) {
    std::vector<WindowId> windows = arrangeableWindows();
    std::reverse(windows.begin(), windows.end());  // the front window gets the first place
    const std::vector<WindowRect> rects = tileLayout(static_cast<int>(windows.size()), workArea(), horizontal);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows_.windowAction(windows[i], WindowAction::Restore);
        windows_.moveWindow(windows[i], rects[i].left, rects[i].top);
        windows_.resizeWindow(windows[i], rects[i].width(), rects[i].height());
    }
}

void X11DesktopShell::hideTaskBar() {
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    const long dock = static_cast<long>(atom(d, "_NET_WM_WINDOW_TYPE_DOCK"));
    ErrorTrap trap(d);
    for (Window w : readWindows(d, root, atom(d, "_NET_CLIENT_LIST"))) {
        const auto type = readProperty(d, w, atom(d, "_NET_WM_WINDOW_TYPE"));
        if (!type || std::find(type->items.begin(), type->items.end(), dock) == type->items.end()) continue;
        XWithdrawWindow(d, w, DefaultScreen(d));
        hiddenDocks_.insert(w);
    }
    trap.sync();
}

void X11DesktopShell::showTaskBar(const WindowRect&) {
    // A dock tells the window manager itself which strip of the screen it reserves
    // (_NET_WM_STRUT), so the rectangle has no use here.
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    const long dock = static_cast<long>(atom(d, "_NET_WM_WINDOW_TYPE_DOCK"));
    // Docks withdrawn earlier (by this or an earlier run) are unmapped children of the root.
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::set<unsigned long> docks = hiddenDocks_;
    ErrorTrap trap(d);
    if (XQueryTree(d, root, &rootReturn, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(d, children[i], &attributes) || attributes.map_state != IsUnmapped) continue;
            const auto type = readProperty(d, children[i], atom(d, "_NET_WM_WINDOW_TYPE"));
            if (type && std::find(type->items.begin(), type->items.end(), dock) != type->items.end())
                docks.insert(children[i]);
        }
        if (children != nullptr) XFree(children);
    }
    for (unsigned long w : docks) XMapWindow(d, w);
    trap.sync();
    hiddenDocks_.clear();
}

// Every function is offered: those without a tool on this machine do nothing, as a failed
// call does.
bool X11DesktopShell::shellAutomationAvailable() { return true; }

void X11DesktopShell::shellFunction(ShellFunction function) {
    Display* d = display_.get();
    switch (function) {
        case ShellFunction::MinimizeAll:
        case ShellFunction::UndoMinimizeAll:
            sendRootMessage(d, DefaultRootWindow(d), atom(d, "_NET_SHOWING_DESKTOP"),
                            function == ShellFunction::MinimizeAll ? 1 : 0);
            XFlush(d);
            return;
        case ShellFunction::Suspend:
            callManager(QStringLiteral("Suspend"), {false});
            return;
        case ShellFunction::EjectPC:
            return;  // no docking-station control exists here
        default:
            startFirstInstalled(toolsFor(function));
            return;
    }
}

void X11DesktopShell::exploreSpecialFolder(int folder) {
    const FolderTarget target = specialFolder(folder);
    if (!target.tools.empty()) {
        startFirstInstalled(target.tools);
    } else if (!target.location.empty()) {
        startProgram({"xdg-open", target.location});
    }
}

bool X11DesktopShell::setShutdownPrivilege(bool enable) {
    if (!enable) return true;
    // logind decides (through polkit) at the call itself; here it tells whether it would allow
    // powering off at all.
    const QDBusMessage reply = callManager(QStringLiteral("CanPowerOff"));
    if (!replied(reply) || reply.arguments().isEmpty()) return false;
    const QString answer = reply.arguments().front().toString();
    return answer == QLatin1String("yes") || answer == QLatin1String("challenge");
}

bool X11DesktopShell::exitSession(int flags) {
    switch (flags) {
        case exit_flags::kLogOff: {
            const QDBusMessage session =
                callManager(QStringLiteral("GetSessionByPID"), {QVariant::fromValue(static_cast<uint>(::getpid()))});
            if (!replied(session) || session.arguments().isEmpty()) return false;
            const QString path = session.arguments().front().value<QDBusObjectPath>().path();
            return replied(
                callLogind(path, QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Terminate")));
        }
        case exit_flags::kReboot:
            return replied(callManager(QStringLiteral("Reboot"), {false}));
        case exit_flags::kShutdown:
            return replied(callManager(QStringLiteral("Halt"), {false}));
        case exit_flags::kPowerOff:
            return replied(callManager(QStringLiteral("PowerOff"), {false}));
        default:
            return false;
    }
}

}  // namespace orv::x11
