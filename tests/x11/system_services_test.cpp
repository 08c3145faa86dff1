// The system services on a real display with a window manager: keyboard repeat, screen saver,
// display modes, wallpaper, show-desktop, the task bar, window arrangement, the bell, and the
// helpers that start programs. Every setting a test changes is put back.
#include <gtest/gtest.h>

#include <QImage>
// Xlib last of the library headers: its macros (None, Status ...) break the others.
// clang-format off
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
// clang-format on
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "platform/x11/module_mixer.h"
#include "platform/x11/linux_cd_audio.h"
#include "platform/x11/nmcli_dialup.h"
#include "platform/x11/qt_media_player.h"
#include "platform/x11/run_program.h"
#include "platform/x11/x11_desktop_settings.h"
#include "platform/x11/x11_desktop_shell.h"
#include "platform/x11/x11_window_system.h"
#include "platform/x11/xlib_util.h"
#include "x11_test_support.h"

namespace orv::x11 {
namespace {

using namespace test;
using Clock = std::chrono::steady_clock;

class SystemServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        display_ = openDisplay();
        ASSERT_TRUE(display_);
        settings_ = X11DesktopSettings::create();
        ASSERT_TRUE(settings_);
    }
    Display* d() { return display_.get(); }
    Window root() { return DefaultRootWindow(d()); }

    DisplayPtr display_;
    std::unique_ptr<X11DesktopSettings> settings_;
};

TEST_F(SystemServicesTest, KeyboardDelayAndSpeedReachTheServer) {
    unsigned int oldDelay = 0, oldInterval = 0;
    ASSERT_TRUE(XkbGetAutoRepeatRate(d(), XkbUseCoreKbd, &oldDelay, &oldInterval));
    EXPECT_TRUE(settings_->setKeyboardDelay(2));
    EXPECT_TRUE(settings_->setKeyboardSpeed(31));
    unsigned int delay = 0, interval = 0;
    XkbGetAutoRepeatRate(d(), XkbUseCoreKbd, &delay, &interval);
    EXPECT_EQ(delay, 750u);
    EXPECT_EQ(interval, 33u);
    // Each command changes only its own half.
    EXPECT_TRUE(settings_->setKeyboardDelay(0));
    XkbGetAutoRepeatRate(d(), XkbUseCoreKbd, &delay, &interval);
    EXPECT_EQ(delay, 250u);
    EXPECT_EQ(interval, 33u);
    XkbSetAutoRepeatRate(d(), XkbUseCoreKbd, oldDelay, oldInterval);
    XSync(d(), False);
}

TEST_F(SystemServicesTest, ScreenSaverTimeoutOnOffAndStart) {
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(d(), &timeout, &interval, &blanking, &exposures);
    auto currentTimeout = [&] {
        int t = 0, i = 0, b = 0, e = 0;
        XGetScreenSaver(d(), &t, &i, &b, &e);
        return t;
    };
    settings_->setScreenSaverActive(true);
    EXPECT_TRUE(settings_->screenSaverActive());
    EXPECT_TRUE(settings_->setScreenSaverTimeout(300));
    EXPECT_EQ(currentTimeout(), 300);
    settings_->setScreenSaverActive(false);
    EXPECT_FALSE(settings_->screenSaverActive());
    EXPECT_EQ(currentTimeout(), 0);
    // A time-out set while the saver is off waits for it to be switched on.
    EXPECT_TRUE(settings_->setScreenSaverTimeout(120));
    EXPECT_EQ(currentTimeout(), 0);
    settings_->setScreenSaverActive(true);
    EXPECT_EQ(currentTimeout(), 120);

    int eventBase = 0, errorBase = 0;
    if (XScreenSaverQueryExtension(d(), &eventBase, &errorBase)) {
        XScreenSaverInfo* info = XScreenSaverAllocInfo();
        settings_->startScreenSaver();
        XScreenSaverQueryInfo(d(), root(), info);
        EXPECT_EQ(info->state, ScreenSaverOn);
        XForceScreenSaver(d(), ScreenSaverReset);
        XScreenSaverQueryInfo(d(), root(), info);
        EXPECT_EQ(info->state, ScreenSaverOff);
        XFree(info);
    }
    XSetScreenSaver(d(), timeout, interval, blanking, exposures);
    XSync(d(), False);
}

TEST_F(SystemServicesTest, DisplayModesComeFromRandrAndCanBeSwitchedAndRestored) {
    std::vector<DisplayMode> modes;
    DisplayMode mode;
    for (int i = 0; settings_->displayMode(i, mode); ++i) modes.push_back(mode);
    ASSERT_FALSE(modes.empty());
    const int width = DisplayWidth(d(), DefaultScreen(d())), height = DisplayHeight(d(), DefaultScreen(d()));
    std::optional<DisplayMode> current;
    for (const DisplayMode& m : modes) {
        EXPECT_EQ(m.bitsPerPixel, 32);
        if (m.width == width && m.height == height) current = m;
    }
    ASSERT_TRUE(current) << "the screen's own size is one of the modes";
    EXPECT_FALSE(settings_->displayMode(static_cast<int>(modes.size()), mode));
    EXPECT_EQ(settings_->testDisplayMode(*current), display_result::kSuccessful);
    EXPECT_EQ(settings_->testDisplayMode({width + 1, height, 32, current->refreshHz}), display_result::kBadMode);
    EXPECT_EQ(settings_->testDisplayMode({width, height, 8, current->refreshHz}), display_result::kBadMode);

    // A smaller mode to switch to: the server's own, or one added to the output for the test.
    // The guard puts the screen and the output's modes back however the test ends.
    struct Restore {
        Display* d;
        X11DesktopSettings& settings;
        DisplayMode back;
        RROutput output = 0;
        RRMode added = 0;
        ~Restore() {
            settings.applyDisplayMode(back);
            if (added != 0) {
                XRRDeleteOutputMode(d, output, added);
                XRRDestroyMode(d, added);
            }
            XSync(d, False);
        }
    } restore{d(), *settings_, *current};
    DisplayMode other{};
    for (const DisplayMode& m : modes)
        if (m.width < width && m.height < height) other = m;
    if (other.width == 0) {
        XRRScreenResources* res = XRRGetScreenResourcesCurrent(d(), root());
        ASSERT_NE(res, nullptr);
        restore.output = XRRGetOutputPrimary(d(), root());
        if (restore.output == 0 && res->noutput > 0) restore.output = res->outputs[0];
        XRRFreeScreenResources(res);
        char name[] = "orvanta-test-800x600";
        XRRModeInfo info{};
        info.width = 800;
        info.height = 600;
        info.hTotal = 1000;
        info.vTotal = 700;
        info.dotClock = 1000ul * 700ul * 50ul;  // 50 Hz
        info.name = name;
        info.nameLength = sizeof name - 1;
        ErrorTrap trap(d());
        restore.added = XRRCreateMode(d(), root(), &info);
        XRRAddOutputMode(d(), restore.output, restore.added);
        if (trap.sync() != 0) GTEST_SKIP() << "the server takes no new modes";
        modes.clear();
        for (int i = 0; settings_->displayMode(i, mode); ++i) modes.push_back(mode);
        other = {800, 600, 32, 50};
        EXPECT_NE(std::find(modes.begin(), modes.end(), other), modes.end());
    }
    EXPECT_EQ(settings_->testDisplayMode(other), display_result::kSuccessful);
    EXPECT_EQ(settings_->applyDisplayMode(other), display_result::kSuccessful);
    auto screenSize = [] {
        DisplayPtr fresh = openDisplay();
        return std::pair(DisplayWidth(fresh.get(), 0), DisplayHeight(fresh.get(), 0));
    };
    EXPECT_EQ(screenSize(), std::pair(other.width, other.height));
    // Back to the first mode, which needs the screen to grow again.
    EXPECT_EQ(settings_->applyDisplayMode(*current), display_result::kSuccessful);
    EXPECT_EQ(screenSize(), std::pair(width, height));
}

// The pixel at (x, y) of a pixmap as 0xRRGGBB.
unsigned long pixmapPixel(Display* d, Pixmap pixmap, int x, int y) {
    XImage* image = XGetImage(d, pixmap, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

TEST_F(SystemServicesTest, WallpaperBecomesTheRootBackgroundTiledStretchedOrRemoved) {
    const std::string file = std::string(std::getenv("ORVANTA_HOME")) + "/paper.png";
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(0x336699);
    picture.setPixel(0, 0, 0xff0000);
    ASSERT_TRUE(picture.save(QString::fromStdString(file)));
    const Atom rootPixmap = atom(d(), "_XROOTPMAP_ID");
    auto pixmapGeometry = [&](Pixmap& pixmap) {
        const auto p = readProperty(d(), root(), rootPixmap);
        if (!p || p->items.size() != 1) return std::pair(0u, 0u);
        pixmap = static_cast<Pixmap>(p->items[0]);
        Window r = 0;
        int x = 0, y = 0;
        unsigned int w = 0, h = 0, border = 0, depth = 0;
        if (!XGetGeometry(d(), pixmap, &r, &x, &y, &w, &h, &border, &depth)) return std::pair(0u, 0u);
        return std::pair(w, h);
    };

    Pixmap pixmap = 0;
    settings_->setWallpaper({file, "1", "0", "0", "0"});
    EXPECT_EQ(pixmapGeometry(pixmap), std::pair(4u, 2u)) << "tiled: the picture itself, repeated by the server";
    EXPECT_EQ(pixmapPixel(d(), pixmap, 0, 0), 0xff0000ul);
    EXPECT_EQ(pixmapPixel(d(), pixmap, 3, 1), 0x336699ul);

    const unsigned int width = static_cast<unsigned>(DisplayWidth(d(), 0));
    const unsigned int height = static_cast<unsigned>(DisplayHeight(d(), 0));
    const Pixmap tiled = pixmap;
    settings_->setWallpaper({file, "0", "2", "0", "0"});
    EXPECT_EQ(pixmapGeometry(pixmap), std::pair(width, height)) << "stretched over the screen";
    EXPECT_NE(pixmap, tiled);
    EXPECT_EQ(pixmapPixel(d(), pixmap, static_cast<int>(width) - 1, static_cast<int>(height) - 1), 0x336699ul);
    {
        // The earlier wallpaper's pixmap was freed with the connection that kept it.
        ErrorTrap trap(d());
        Window r = 0;
        int x = 0, y = 0;
        unsigned int w = 0, h = 0, border = 0, depth = 0;
        EXPECT_FALSE(XGetGeometry(d(), tiled, &r, &x, &y, &w, &h, &border, &depth));
    }

    settings_->setWallpaper({file, "0", "0", "100", "50"});
    EXPECT_EQ(pixmapGeometry(pixmap), std::pair(width, height));
    EXPECT_EQ(pixmapPixel(d(), pixmap, 100, 50), 0xff0000ul) << "placed at its origin";
    EXPECT_EQ(pixmapPixel(d(), pixmap, 99, 50), 0x000000ul);

    // A file that cannot be read leaves the background alone; no file removes the wallpaper.
    const Pixmap placed = pixmap;
    settings_->setWallpaper({file + ".missing", "1", "0", "0", "0"});
    pixmapGeometry(pixmap);
    EXPECT_EQ(pixmap, placed);
    settings_->setWallpaper({"", "0", "0", "0", "0"});
    EXPECT_FALSE(readProperty(d(), root(), rootPixmap).has_value());
}

class ShellTest : public SystemServicesTest {
protected:
    void SetUp() override {
        SystemServicesTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        windows_ = X11WindowSystem::create();
        ASSERT_TRUE(windows_);
        shell_ = X11DesktopShell::create(*windows_);
        ASSERT_TRUE(shell_);
    }
    std::unique_ptr<X11WindowSystem> windows_;
    std::unique_ptr<X11DesktopShell> shell_;
};

TEST_F(ShellTest, MinimiseAllAndUndoSwitchTheShowingDesktopMode) {
    const Atom showing = atom(d(), "_NET_SHOWING_DESKTOP");
    ASSERT_TRUE(shell_->shellAutomationAvailable());
    shell_->shellFunction(ShellFunction::MinimizeAll);
    EXPECT_TRUE(waitUntil(root(), [&] { return readCardinal(d(), root(), showing).value_or(0) == 1; }));
    shell_->shellFunction(ShellFunction::UndoMinimizeAll);
    EXPECT_TRUE(waitUntil(root(), [&] { return readCardinal(d(), root(), showing).value_or(1) == 0; }));
}

TEST_F(ShellTest, TaskBarHideWithdrawsTheDockAndShowMapsItAgain) {
    // A dock of our own stands in for the desktop's panel.
    const Window dock = XCreateSimpleWindow(d(), root(), 0, 0, 400, 24, 0, 0, 0);
    const Atom dockType = atom(d(), "_NET_WM_WINDOW_TYPE_DOCK");
    XChangeProperty(d(), dock, atom(d(), "_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dockType), 1);
    XMapWindow(d(), dock);
    XSync(d(), False);
    auto managed = [&] {
        const auto clients = readWindows(d(), root(), atom(d(), "_NET_CLIENT_LIST"));
        return std::find(clients.begin(), clients.end(), dock) != clients.end();
    };
    auto viewable = [&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d(), dock, &a) && a.map_state == IsViewable;
    };
    ASSERT_TRUE(waitUntil(dock, [&] { return managed() && viewable(); }));
    shell_->hideTaskBar();
    EXPECT_TRUE(waitUntil(dock, [&] { return !managed() && !viewable(); }));
    shell_->showTaskBar({0, 0, 100, 1024});
    EXPECT_TRUE(waitUntil(dock, [&] { return managed() && viewable(); }));
    XDestroyWindow(d(), dock);
    XSync(d(), False);
}

TEST_F(ShellTest, TileAndCascadeArrangeTheNormalWindows) {
    TargetApp app({"Tile Target One", "Tile Target Two"});
    const WindowId first = static_cast<WindowId>(app.window(0));
    const WindowId second = static_cast<WindowId>(app.window(1));
    ASSERT_TRUE(first != 0 && second != 0);
    WindowRect a, b;
    auto rects = [&] { return windows_->windowRect(first, a) && windows_->windowRect(second, b); };
    auto apart = [&] { return a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top; };

    shell_->tileWindows(false);
    EXPECT_TRUE(waitUntil(first, [&] { return rects() && apart() && a.top == b.top && a.height() == b.height(); }))
        << a.left << "," << a.top << " " << a.width() << "x" << a.height() << " / " << b.left << "," << b.top << " "
        << b.width() << "x" << b.height();
    shell_->tileWindows(true);
    EXPECT_TRUE(waitUntil(first, [&] { return rects() && apart() && a.left == b.left && a.width() == b.width(); }))
        << a.left << "," << a.top << " " << a.width() << "x" << a.height() << " / " << b.left << "," << b.top << " "
        << b.width() << "x" << b.height();
    shell_->cascadeWindows();
    EXPECT_TRUE(waitUntil(first,
                          [&] {
                              return rects() && a.width() == b.width() && a.height() == b.height() &&
                                     a.left != b.left && a.left - b.left == a.top - b.top;
                          }))
        << a.left << "," << a.top << " / " << b.left << "," << b.top;
}

TEST_F(ShellTest, SessionEndWithoutLogindDoesNothingAndReportsFailure) {
    // Point the system bus nowhere, so that no test can ever end a real session.
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/orvanta-test-bus", 1);
    EXPECT_FALSE(shell_->setShutdownPrivilege(true));
    for (int flags : {exit_flags::kLogOff, exit_flags::kShutdown, exit_flags::kReboot, exit_flags::kPowerOff})
        EXPECT_FALSE(shell_->exitSession(flags)) << flags;
}

TEST_F(SystemServicesTest, BeepRingsTheServerBell) {
    DisplayPtr listener = openDisplay();
    ASSERT_TRUE(listener);
    int opcode = 0, xkbEvent = 0, xkbError = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    ASSERT_TRUE(XkbQueryExtension(listener.get(), &opcode, &xkbEvent, &xkbError, &major, &minor));
    XkbSelectEvents(listener.get(), XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(listener.get(), False);
    QtMediaPlayer player(nullptr);
    player.beep();
    bool rang = false;
    const auto end = Clock::now() + kDeadline;
    while (!rang && Clock::now() < end) {
        if (XPending(listener.get()) == 0) {
            pollfd p{ConnectionNumber(listener.get()), POLLIN, 0};
            ::poll(&p, 1,
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count()));
            continue;
        }
        XEvent event;
        XNextEvent(listener.get(), &event);
        rang = event.type == xkbEvent && reinterpret_cast<XkbEvent&>(event).any.xkb_type == XkbBellNotify;
    }
    EXPECT_TRUE(rang);
}

TEST(SystemFacilities, MissingSoundCardCdDriveAndSoundFile) {
    ModuleMixer noCard("hw:99");
    EXPECT_FALSE(noCard.open());
    MixerRange range;
    ChannelValues values;
    EXPECT_FALSE(noCard.controlRange(MixerControl::WaveVolume, range));
    EXPECT_FALSE(noCard.value(MixerControl::Bass, values));

    char drive = 0;
    LinuxCdAudio noList("/nonexistent/cdrom-info");
    EXPECT_FALSE(noList.open(drive));
    const std::string list = std::string(std::getenv("ORVANTA_HOME")) + "/cdrom-info";
    FILE* f = std::fopen(list.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("drive name:\t\tsr97\n", f);
    std::fclose(f);
    LinuxCdAudio noDevice(list);
    EXPECT_FALSE(noDevice.open(drive)) << "the listed drive has no device node";
    EXPECT_EQ(noDevice.trackCount(), 0);

    std::vector<std::string> played;
    QtMediaPlayer player([&](const std::string& file, bool) { played.push_back(file); });
    EXPECT_FALSE(player.playSound("/nonexistent/ding.wav", true));
    EXPECT_FALSE(player.playSound("", false));
    EXPECT_TRUE(played.empty()) << "no default sound instead";
    EXPECT_TRUE(player.playSound(list, false));
    EXPECT_EQ(played, std::vector<std::string>{list});
}

TEST(RunProgram, OutputExitCodeMissingProgramAndDeadline) {
    const ProgramOutcome echo = runProgram({"sh", "-c", "echo out; echo err >&2; exit 3"});
    EXPECT_TRUE(echo.started && echo.finished);
    EXPECT_EQ(echo.exitCode, 3);
    EXPECT_EQ(echo.output, "out\n");
    // Arguments are passed as they are, never read by a shell.
    EXPECT_EQ(runProgram({"echo", "a b", "$HOME;", "*"}).output, "a b $HOME; *\n");
    EXPECT_FALSE(runProgram({"orvanta-no-such-program"}).started);
    const ProgramOutcome slow = runProgram({"sleep", "30"}, std::chrono::milliseconds(100));
    EXPECT_TRUE(slow.started);
    EXPECT_FALSE(slow.finished);
    EXPECT_TRUE(findProgram("orvanta-no-such-program").empty());
    EXPECT_EQ(findProgram("sh").back(), 'h');
}

TEST(RunProgram, StartedProgramRunsDetached) {
    const std::string fifo = std::string(std::getenv("ORVANTA_HOME")) + "/started";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(startProgram({"sh", "-c", "echo $$ $(ps -o sid= -p $$) > \"$0\"", fifo}));
    std::string text;
    const auto end = Clock::now() + kDeadline;
    while (text.find('\n') == std::string::npos && Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1,
               static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count()));
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
        if (n == 0 && (p.revents & POLLHUP) != 0) break;  // the writer came and went
    }
    ::close(fd);
    // The program leads a session of its own: its pid is its session id.
    std::istringstream fields(text);
    long pid = 0, sid = -1;
    fields >> pid >> sid;
    EXPECT_GT(pid, 0) << text;
    EXPECT_EQ(pid, sid) << text;
    EXPECT_FALSE(startProgram({"orvanta-no-such-program"}));
}

// A stand-in nmcli on PATH that logs its arguments and answers like NetworkManager's client.
class DialUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::string(std::getenv("ORVANTA_HOME")) + "/nmcli-bin";
        std::filesystem::create_directories(dir_);
        log_ = dir_ + "/log";
        const std::string script = dir_ + "/nmcli";
        std::ofstream(script) << "#!/bin/sh\n"
                                 "echo \"$*\" >> '"
                              << log_
                              << "'\n"
                                 "for a; do [ \"$p\" = passwd-file ] && { [ -f \"$a\" ] && echo \"on disk: $a\"; "
                                 "cat \"$a\"; } >> '"
                              << log_
                              << "'; p=$a; done\n"
                                 "case \"$*\" in\n"
                                 "  *--active*) printf 'u-eth:802-3-ethernet\\nu-gsm:gsm\\nu-vpn:vpn\\n' ;;\n"
                                 "  *connection.uuid*) echo u-gsm ;;\n"
                                 "  *'up id Bad'*) exit 4 ;;\n"
                                 "esac\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        oldPath_ = std::getenv("PATH");
        ::setenv("PATH", (dir_ + ":/usr/bin:/bin").c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", oldPath_.c_str(), 1); }
    std::string logText() {
        std::ifstream in(log_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string dir_, log_, oldPath_;
};

TEST_F(DialUpTest, DialListAndHangUpOnlyDialUpConnections) {
    NmcliDialUp dialup;
    ASSERT_TRUE(dialup.available());
    DialConnection connection = 0;
    EXPECT_EQ(dialup.dial("Good Line", "user", "s3cret", connection), 0);
    EXPECT_NE(connection, 0u);
    DialConnection failed = 7;
    EXPECT_EQ(dialup.dial("Bad", "", "", failed), 4) << "nmcli's failure code is the error code";
    EXPECT_EQ(failed, 0u);

    std::vector<DialConnection> active;
    ASSERT_TRUE(dialup.activeConnections(active));
    ASSERT_EQ(active.size(), 2u) << "the wired connection is no dial-up connection";
    EXPECT_EQ(active.front(), connection) << "the same connection keeps its handle";
    EXPECT_EQ(dialup.hangUp(active.back()), 0);
    EXPECT_NE(dialup.hangUp(99), 0);

    const std::string log = logText();
    EXPECT_NE(log.find("--wait 90 connection up id Good Line passwd-file /"), std::string::npos) << log;
    EXPECT_NE(log.find("ppp.password:s3cret\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("s3cret "), std::string::npos) << "the password never appears among the arguments";
    EXPECT_NE(log.find("connection down uuid u-vpn"), std::string::npos) << log;
    EXPECT_EQ(log.find("u-eth\n"), std::string::npos);
    // The password reaches nmcli through a pipe: no file holds it, not even while it dials.
    EXPECT_EQ(log.find("on disk: "), std::string::npos) << log;
}

TEST_F(DialUpTest, WithoutNmcliThereIsNoDialUp) {
    ::setenv("PATH", "/nonexistent", 1);
    EXPECT_FALSE(NmcliDialUp().available());
}

}  // namespace
}  // namespace orv::x11
