// The resident program on a real X display: activations play their macros into a real window.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <thread>
#include <utility>

#include "activation/scheduler.h"
#include "platform/x11/remap_keys_file.h"
#include "platform/x11/x11_window_system.h"
#include "store/macro_file.h"
#include "store/settings.h"
#include "support/macro_file_writer.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "x11_test_support.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

// After the store's headers: it brings in Xlib, whose macros (Status) clash with theirs.
#include "platform/x11/keymap_remap.h"
#include "platform/x11/xlib_util.h"

namespace orv {
namespace {

using namespace x11::test;
using namespace std::chrono_literals;

constexpr int kCtrlAlt = 144;  // Ctrl+Alt+A; the letters follow in order
constexpr int kCtrlAltN = kCtrlAlt + 13;

// Text as the user sees it: a backspace removes the character before it.
std::string visible(const std::string& received) {
    std::string out;
    for (const char c : received) {
        if (c == '\b') {
            if (!out.empty()) out.pop_back();
        } else {
            out += c;
        }
    }
    return out;
}

constexpr const char* kNotFirstUse = "[Misc]\nFirst Use=No\n";

class ResidentE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        home_ = std::make_unique<test::TempDir>();
        runtime_ = home_->file("runtime");
        std::filesystem::create_directories(runtime_);
        std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
        file_ = home_->file("e2e.ORV");
        if (editSettings_) {
            TAppSettings settings;
            settings.FirstUse = false;
            editSettings_(settings);
            ProgramPaths paths;
            paths.programDir = paths.configDir = home_->path().string();
            ASSERT_TRUE(SaveSettings(settings, paths));
        } else {
            // Not a first start: the first-time set-up would take the focus.
            test::writeFile(home_->file("ORVANTA.INI"), kNotFirstUse);
        }
        writeMacros();
        if (!remapTables_.empty()) test::writeFile(home_->file("e2e.ORS"), remapTables_);
        if (!appendToFile_.empty()) {
            std::ofstream out(file_, std::ios::binary | std::ios::app);
            out << appendToFile_;
        }
        app_ = std::make_unique<TargetApp>(std::vector<std::string>{"Target One", "Target Two"});
        ASSERT_NE(app_->window(0), 0u);
        ASSERT_NE(app_->window(1), 0u);
        windows_ = x11::X11WindowSystem::create();
        ASSERT_TRUE(windows_);
        startResident();
    }

    // Every test ends the program as a logout would, and it must end cleanly (under the
    // sanitizers that includes no leak and no error at exit).
    void TearDown() override {
        if (pid_ <= 0) return;
        const int status = stopResident();
        EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "orvanta ended with wait status " << status;
    }

    // Sends SIGTERM and waits (bounded) for the program to end; its wait status, or -1 when it
    // had to be killed.
    int stopResident() {
        if (pid_ <= 0) return -1;
        return orv::test::stopChild(std::exchange(pid_, -1), kDeadline);
    }

    void writeMacros() {
        orv::test::MacroFileWriter file(file_);
        std::vector<TMacroRecord> records;
        auto add = [&](const std::string& nick, int code, int scope, const std::string& title, const std::string& text,
                       const std::string& shortKey = "") {
            TMacroRecord r = macro(nick, code, title, text);
            r.Scope = static_cast<std::int16_t>(scope);
            r.TopMostOnly = 1;
            r.ShortKeyText = shortKey;
            records.push_back(r);
        };
        add("Global hello", kCtrlAltN, kScopeGlobal, "", "hello");
        add("Only in two", kCtrlAltN, kScopeWindow, "Target Two", "two");
        add("Abbreviation", kCodeShortKey, kScopeGlobal, "", "replaced", "qq");
        add("Named Macro", kCodeNone, kScopeGlobal, "", "named");
        add("Pauses", 144 + 15 /* Ctrl+Alt+P */, kScopeGlobal, "", "<PAUSE>p");
        // A menu of extra_ lists the macros of this file by their place in `records` (1: the
        // first common macro); the file's own system macros come before them.
        for (TMacroRecord& r : extra_) {
            for (std::int16_t& item : r.MenuItems) item = static_cast<std::int16_t>(item + file.count());
        }
        records.insert(records.end(), extra_.begin(), extra_.end());
        for (const TMacroRecord& r : records) EXPECT_TRUE(file.append(r));
    }

    // A macro of the test file: active, global, plain text.
    static TMacroRecord macro(const std::string& nick, int code, const std::string& title, const std::string& text) {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(kScopeGlobal);
        r.WindowTitle = title;
        r.Active = 1;
        r.MacroText = text;
        r.IconName = "MAIN";
        return r;
    }

    std::string socketPath() const { return runtime_ + "/orvanta-" + std::to_string(::getuid()) + ".socket"; }

    void startResident(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {ORV_RESIDENT, "/F", file_};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto started = std::chrono::steady_clock::now();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setenv("ORVANTA_HOME", home_->path().c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        if (!waitUntilReady_) return;
        // The program listens for hand-overs once its hotkeys are grabbed, then shows its main
        // window, which the window manager activates: only then may a test focus the target.
        const unsigned long root = DefaultRootWindow(keyboard_.display());
        ASSERT_TRUE(waitUntil(root, [&] {
            return std::filesystem::exists(socketPath()) &&
                   windows_->windowProcess(windows_->foregroundWindow()) == pid_;
        })) << "orvanta did not get ready";
        startupMs_ =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    }

    void focus(int index) {
        ASSERT_TRUE(x11::test::activate(*windows_, static_cast<WindowId>(app_->window(index))));
        ASSERT_TRUE(windows_->waitUntilActive(static_cast<WindowId>(app_->window(index)), kDeadline));
    }

    void pressCtrlAlt(unsigned long keysym) {
        keyboard_.key(XK_Control_L, true);
        keyboard_.key(XK_Alt_L, true);
        keyboard_.tap(keysym);
        keyboard_.key(XK_Alt_L, false);
        keyboard_.key(XK_Control_L, false);
        XFlush(keyboard_.display());
    }

    // Waits until window `index` shows `expected` (or the deadline); what it shows then.
    std::string waitForVisible(int index, const std::string& expected) {
        app_->waitForLine([&](const std::string&) { return visible(app_->text(index)) == expected; });
        return visible(app_->text(index));
    }

    std::vector<TMacroRecord> extra_;                  // written after the common macros
    std::string appendToFile_;                         // bytes after the last record
    std::string remapTables_;                          // the remap file beside the macro file, when not empty
    std::function<void(TAppSettings&)> editSettings_;  // the configuration file, when set
    bool waitUntilReady_ = true;
    std::unique_ptr<test::TempDir> home_;
    std::string runtime_;
    std::string file_;
    std::unique_ptr<TargetApp> app_;
    std::unique_ptr<x11::X11WindowSystem> windows_;
    PhysicalKeyboard keyboard_;
    pid_t pid_ = -1;
    long long startupMs_ = 0;
};

TEST_F(ResidentE2E, HotkeysPlayByScopeIntoTheFocusedWindow) {
    ASSERT_TRUE(keyboard_.valid());
    focus(0);
    EXPECT_EQ((pressCtrlAlt(XK_n), waitForVisible(0, "hello")), "hello");
    EXPECT_FALSE(keyDown(keyboard_.display(), XK_Control_L));
    EXPECT_FALSE(keyDown(keyboard_.display(), XK_Alt_L));
    focus(1);
    EXPECT_EQ((pressCtrlAlt(XK_n), waitForVisible(1, "two")), "two") << "window 0 has: " << visible(app_->text(0));
    std::cerr << "start-up to ready: " << startupMs_ << " ms\n";
}

TEST_F(ResidentE2E, ATypedShortKeyIsErasedAndReplacedWhoeverTypesIt) {
    ASSERT_TRUE(keyboard_.valid());
    focus(0);
    keyboard_.tap(XK_q);
    keyboard_.tap(XK_q);
    XFlush(keyboard_.display());
    EXPECT_EQ(waitForVisible(0, "replaced"), "replaced");
    // Typed by another program (an on-screen keyboard, a remote desktop) through XTest.
    const test::CommandResult typed = test::runCommand("xdotool type --delay 20 ' qq'");
    EXPECT_EQ(typed.status, 0) << typed.out;
    EXPECT_EQ(waitForVisible(0, "replaced replaced"), "replaced replaced");
}

TEST_F(ResidentE2E, ASecondStartHandsItsMacroToTheRunningProgram) {
    focus(0);
    const test::CommandResult second =
        test::runCommand("env ORVANTA_HOME='" + home_->path().string() + "' XDG_RUNTIME_DIR='" + runtime_ +
                         "' QT_QPA_PLATFORM=xcb '" + ORV_RESIDENT + "' /A Named Macro");
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(waitForVisible(0, "named"), "named");
}

TEST_F(ResidentE2E, ATerminationSignalEndsTheProgramAsTerminateDoes) {
    const int status = stopResident();
    ASSERT_NE(status, -1) << "orvanta did not end";
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(test::readFile(home_->file("ORVANTA.INI")), kNotFirstUse) << "settings saved";
}

TEST_F(ResidentE2E, StartsWithoutTheLibrariesOnlySomeCommandsNeed) {
    // Sound, video, the mixer and printers (and all they pull in) wait for their first use.
    std::ifstream maps("/proc/" + std::to_string(pid_) + "/maps");
    ASSERT_TRUE(maps.is_open());
    std::string loaded;
    for (std::string line; std::getline(maps, line);) {
        for (const char* library :
             {"libQt6Multimedia", "libQt6Network", "libasound", "libcups", "orvanta-media", "orvanta-mixer"}) {
            if (line.find(library) != std::string::npos && loaded.find(library) == std::string::npos)
                loaded += std::string(library) + " ";
        }
    }
    EXPECT_EQ(loaded, "");
}

TEST_F(ResidentE2E, AHotkeyDuringAPauseIsRefusedWithAWarning) {
    ASSERT_TRUE(keyboard_.valid());
    focus(0);
    pressCtrlAlt(XK_p);
    const unsigned long root = DefaultRootWindow(keyboard_.display());
    ASSERT_TRUE(waitUntil(root, [&] { return windows_->findWindowByTitle("Pause (Ctrl+Alt+P)") != 0; }));
    // The pause window takes the focus; a hotkey is refused wherever the focus is.
    pressCtrlAlt(XK_n);
    WindowId warning = 0;
    EXPECT_TRUE(waitUntil(root, [&] {
        for (WindowId w : windows_->topLevelWindows())
            if (windows_->windowTitle(w) == "Warning") warning = w;
        return warning != 0;
    }));
}

// The key presses the server sees from XTest devices, and the releases from other devices,
// in the server's order (XInput2 raw events on a connection of its own).
class RawKeyWatch {
public:
    RawKeyWatch() : display_(XOpenDisplay(nullptr)) {
        if (display_ == nullptr) return;
        xtest_ = x11::xtestDeviceIds(display_);
        int event = 0, error = 0;
        XQueryExtension(display_, "XInputExtension", &opcode_, &event, &error);
        unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(mask, XI_RawKeyPress);
        XISetMask(mask, XI_RawKeyRelease);
        // On the master keyboard: each event once, with the device it came from.
        XIEventMask em{XIAllMasterDevices, sizeof(mask), mask};
        XISelectEvents(display_, DefaultRootWindow(display_), &em, 1);
        XSync(display_, False);
    }
    ~RawKeyWatch() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    RawKeyWatch(const RawKeyWatch&) = delete;
    RawKeyWatch& operator=(const RawKeyWatch&) = delete;

    // How often an XTest device pressed `keycode` before a keyboard device released it.
    int xtestPressesWhileHeld(unsigned keycode) {
        XSync(display_, False);
        int presses = 0;
        bool released = false;
        while (XPending(display_) > 0) {
            XEvent e;
            XNextEvent(display_, &e);
            if (e.type != GenericEvent || e.xcookie.extension != opcode_ || !XGetEventData(display_, &e.xcookie))
                continue;
            const auto* raw = static_cast<const XIRawEvent*>(e.xcookie.data);
            const bool xtest = std::find(xtest_.begin(), xtest_.end(), raw->sourceid) != xtest_.end();
            if (raw->detail == static_cast<int>(keycode) && !released) {
                if (raw->evtype == XI_RawKeyPress && xtest) ++presses;
                if (raw->evtype == XI_RawKeyRelease && !xtest) released = true;
            }
            XFreeEventData(display_, &e.xcookie);
        }
        return presses;
    }

private:
    Display* display_;
    std::vector<int> xtest_;
    int opcode_ = 0;
};

// Hotkeys pressed on the server's own keyboard as people press them: tapped or held, the
// modifiers let go before or after the letter. The macros begin with the hotkey's own letter,
// type more than a key repeat would, or need characters the layout lacks.
class HeldHotkeyE2E : public ResidentE2E {
protected:
    HeldHotkeyE2E() {
        extra_.push_back(macro("Own key", kCtrlAlt + 'H' - 'A', "", "Hello"));
        extra_.push_back(macro("Own letter", kCtrlAlt + 'S' - 'A', "", "ss Sis says SOS ss"));
        extra_.push_back(macro("Alphabet", kCtrlAlt + 'M' - 'A', "", "abcdefghijklmnopqrstuvwxyz"));
        extra_.push_back(macro("Outside", kCtrlAlt + 'E' - 'A', "", "echo \xE9\x80\xF1"));
        extra_.push_back(macro("Click", kCtrlAlt + 'K' - 'A', "", "<LCLK>"));
    }

    // Presses Ctrl+Alt+`key`, holds it `holdMs`, lets go of the letter first or last.
    void pressHeld(unsigned long key, int holdMs, bool letterFirst) {
        keyboard_.key(XK_Control_L, true);
        keyboard_.key(XK_Alt_L, true);
        keyboard_.key(key, true);
        // How long the user holds the keys is the case itself, not a wait for an event.
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        if (letterFirst) keyboard_.key(key, false);
        keyboard_.key(XK_Alt_L, false);
        keyboard_.key(XK_Control_L, false);
        if (!letterFirst) keyboard_.key(key, false);
    }
};

TEST_F(HeldHotkeyE2E, TheTextArrivesOnceAndExactlyHoweverTheHotkeyIsHeld) {
    ASSERT_TRUE(keyboard_.valid());
    struct Case {
        unsigned long key;
        int holdMs;
        bool letterFirst;
        const char* text;  // as the window shows it (UTF-8)
    };
    const Case cases[] = {
        {XK_m, 50, true, "abcdefghijklmnopqrstuvwxyz"},
        {XK_m, 2000, false, "abcdefghijklmnopqrstuvwxyz"},
        {XK_h, 0, true, "Hello"},
        {XK_h, 0, false, "Hello"},
        {XK_h, 50, false, "Hello"},
        {XK_h, 250, true, "Hello"},
        {XK_h, 2000, true, "Hello"},
        {XK_e, 50, true, "echo \xC3\xA9\xE2\x82\xAC\xC3\xB1"},
        {XK_e, 250, false, "echo \xC3\xA9\xE2\x82\xAC\xC3\xB1"},
        {XK_e, 2000, false, "echo \xC3\xA9\xE2\x82\xAC\xC3\xB1"},
        {XK_n, 250, true, "hello"},
        {XK_s, 0, true, "ss Sis says SOS ss"},
        {XK_s, 50, false, "ss Sis says SOS ss"},
        {XK_s, 250, true, "ss Sis says SOS ss"},
        {XK_s, 2000, false, "ss Sis says SOS ss"},
    };
    focus(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Ctrl+Alt+") + XKeysymToString(c.key) + " held " + std::to_string(c.holdMs) + " ms, " +
                     (c.letterFirst ? "letter" : "modifiers") + " let go first");
        const std::string before = visible(app_->text(0));
        RawKeyWatch raw;
        const unsigned keycode = XKeysymToKeycode(keyboard_.display(), c.key);
        pressHeld(c.key, c.holdMs, c.letterFirst);
        EXPECT_EQ(waitForVisible(0, before + c.text), before + c.text);
        // The held key stays grabbed until the user lets go: a press of it by the macro would
        // stop the keyboard until the grab passed it on, so its letters go on other keys.
        EXPECT_EQ(raw.xtestPressesWhileHeld(keycode), 0);
        // The user types on: whatever arrives before this key is all the hotkey gave.
        keyboard_.tap(XK_period);
        EXPECT_EQ(waitForVisible(0, before + c.text + "."), before + c.text + ".");
        for (unsigned long key : {static_cast<unsigned long>(XK_Control_L), static_cast<unsigned long>(XK_Alt_L),
                                  static_cast<unsigned long>(XK_Shift_L), c.key})
            EXPECT_FALSE(keyDown(keyboard_.display(), key)) << XKeysymToString(key) << " left down";
        XkbStateRec state{};
        XkbGetState(keyboard_.display(), XkbUseCoreKbd, &state);
        EXPECT_EQ(state.mods, 0) << "modifiers left on";
        EXPECT_EQ(state.group, 0) << "keyboard group left locked";
    }
}

TEST_F(HeldHotkeyE2E, AClickPlaysIntoTheWindowWhileTheHotkeyIsHeld) {
    ASSERT_TRUE(keyboard_.valid());
    focus(0);
    // The pointer over the window's middle, where the macro clicks.
    Display* d = keyboard_.display();
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(d, static_cast<Window>(app_->window(0)), &attributes));
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, static_cast<Window>(app_->window(0)), DefaultRootWindow(d), attributes.width / 2,
                          attributes.height / 2, &x, &y, &child);
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XSync(d, False);
    // Without the held Ctrl and Alt lifted, the window manager would take Alt+click for itself.
    pressHeld(XK_k, 250, true);
    const std::string click = "click " + std::to_string(x) + " " + std::to_string(y) + " 1";
    EXPECT_EQ(app_->waitForLine([&](const std::string& line) { return line == click; }), click);
}

// A damaged macro file shows its message box while the program starts; a termination signal
// then still ends it as Terminate does, settings saved.
class DamagedFileE2E : public ResidentE2E {
protected:
    DamagedFileE2E() {
        appendToFile_ = "part of a record";
        waitUntilReady_ = false;
    }
};

TEST_F(DamagedFileE2E, ATerminationSignalEndsTheProgramWhileAStartUpMessageIsOpen) {
    const unsigned long root = DefaultRootWindow(keyboard_.display());
    ASSERT_TRUE(waitUntil(root, [&] {
        const WindowId w = windows_->findWindowByTitle("Error");
        return w != 0 && windows_->windowProcess(w) == pid_;
    })) << "no start-up message";
    const int status = stopResident();
    ASSERT_NE(status, -1) << "orvanta did not end";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_NE(test::readFile(home_->file("ORVANTA.INI")), kNotFirstUse) << "settings saved";
}

// A macro that runs when a window whose title contains its text is activated.
class WindowTitleE2E : public ResidentE2E {
protected:
    WindowTitleE2E() { extra_.push_back(macro("On two", kCodeWindowTitle, "Target Two", "title")); }
};

TEST_F(WindowTitleE2E, ActivatingAMatchingWindowPlaysItsMacroIntoIt) {
    focus(0);
    focus(1);
    EXPECT_EQ(waitForVisible(1, "title"), "title");
    EXPECT_EQ(visible(app_->text(0)), "");
}

// A timed macro of the kind "At Startup" plays a few seconds after the program started.
class StartupE2E : public ResidentE2E {
protected:
    StartupE2E() {
        TMacroRecord r = macro("At start", kCodeTimed, "", "started");
        r.ScheduleKind = static_cast<std::int16_t>(ScheduleKind::AtStartup);
        extra_.push_back(r);
    }
};

TEST_F(StartupE2E, AnAtStartupMacroPlaysAfterStartUp) {
    focus(0);
    EXPECT_EQ(waitForVisible(0, "started"), "started");
}

// Starts that end at once: they need no display.
class ResidentStart : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = home_.file("runtime");
        std::filesystem::create_directories(runtime_);
        std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
    }
    test::CommandResult run(const std::string& environment, const std::string& arguments) {
        return test::runCommand("env " + environment + " ORVANTA_HOME='" + home_.path().string() +
                                "' XDG_RUNTIME_DIR='" + runtime_ + "' '" + ORV_RESIDENT + "' " + arguments);
    }
    test::TempDir home_;
    std::string runtime_;
};

TEST_F(ResidentStart, WithoutADisplayItSaysSoInOneLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"-u DISPLAY", "orvanta: no X display to work on (DISPLAY is not set)\n"},
        {"DISPLAY=:97", "orvanta: cannot open the X display \":97\"\n"},
    };
    for (const auto& [environment, line] : cases) {
        const test::CommandResult r = run(environment, "/S");
        EXPECT_EQ(r.status, 1) << environment;
        EXPECT_EQ(r.out, line);
    }
}

// --help answers by itself, even while the program runs (a socket listens where it would hand
// over), and hands nothing over.
TEST_F(ResidentStart, HelpListsTheSwitchesAndHandsNothingOver) {
    const std::string socketPath = runtime_ + "/orvanta-" + std::to_string(::geteuid()) + ".socket";
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    const test::CommandResult r = run("-u DISPLAY", "--help");
    EXPECT_EQ(r.status, 0);
    for (const char* sw : {"/S ", "/H ", "/HIDE", "/B ", "/BA", "/C ", "/N ", "/F FILE", "/SM N", "/A NICKNAME"})
        EXPECT_NE(r.out.find(sw), std::string::npos) << sw << " missing from:\n" << r.out;
    EXPECT_LT(::accept(listener, nullptr, nullptr), 0) << "a hand-over was made";
    ::close(listener);
}

// The remap file of the macro file maps "h" to "j": the user's "h" key types "j" everywhere while
// the program runs, its own macros still type "h", and the user's keymap comes back when the
// program ends, and at the next start when it was killed.
class RemapE2E : public ResidentE2E {
protected:
    static constexpr const char* kIdentity =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";
    RemapE2E() {
        remapTables_ = kIdentity;
        remapTables_[26 + 'h' - 'a'] = 'j';
    }
    KeySym level1(unsigned keycode) {
        XkbDescPtr xkb = XkbGetMap(keyboard_.display(), XkbKeySymsMask, XkbUseCoreKbd);
        const KeySym sym = XkbKeySymEntry(xkb, keycode, 0, 0);
        XkbFreeKeyboard(xkb, 0, True);
        return sym;
    }
    // The keycode of the user's "h" key, from the program's list of the keysyms it replaced.
    unsigned remappedKeycode() {
        for (const x11::RemappedSym& s : x11::readRemappedSyms(recoveryFile()))
            if (s.original == XK_h && s.group == 0 && s.level == 0) return static_cast<unsigned>(s.keycode);
        return 0;
    }
    std::string recoveryFile() { return x11::remapKeysPath(runtime_, DisplayString(keyboard_.display())); }
    // A failure after the program was killed leaves its remap on the display: the keys are put
    // back from its file as the next start would, so that the tests after this one type their own.
    void TearDown() override {
        ResidentE2E::TearDown();
        if (std::filesystem::exists(recoveryFile())) x11::KeymapRemap::create(recoveryFile());
    }
};

TEST_F(RemapE2E, TheUsersKeysAreRemappedUntilTheProgramEndsOrIsKilled) {
    const unsigned h = remappedKeycode();
    ASSERT_NE(h, 0u) << "no remap recorded in " << recoveryFile();
    EXPECT_EQ(level1(h), static_cast<KeySym>(XK_j));
    focus(0);
    keyboard_.tapKeycode(h);
    EXPECT_EQ(waitForVisible(0, "j"), "j");
    pressCtrlAlt(XK_n);
    EXPECT_EQ(waitForVisible(0, "jhello"), "jhello") << "the program's own keys are not remapped";

    ASSERT_TRUE(WIFEXITED(stopResident()));
    EXPECT_EQ(level1(h), static_cast<KeySym>(XK_h)) << "an ended program gives the keys back";
    EXPECT_FALSE(std::filesystem::exists(recoveryFile()));

    startResident();
    ASSERT_EQ(level1(h), static_cast<KeySym>(XK_j));
    const pid_t killed = std::exchange(pid_, -1);
    ::kill(killed, SIGKILL);
    ::waitpid(killed, nullptr, 0);
    EXPECT_EQ(level1(h), static_cast<KeySym>(XK_j)) << "a killed program cannot give the keys back";

    // The user turned the remap off meanwhile: the next start puts their own keymap back.
    test::writeFile(home_->file("e2e.ORS"), kIdentity);
    startResident();
    EXPECT_EQ(level1(h), static_cast<KeySym>(XK_h));
    EXPECT_FALSE(std::filesystem::exists(recoveryFile()));
}

// Waits, woken by the changes of `folder`, until `condition` holds.
bool waitInFolder(const std::string& folder, const std::function<bool()>& condition,
                  std::chrono::milliseconds deadline = kDeadline) {
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd < 0) return false;
    ::inotify_add_watch(fd, folder.c_str(), IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE);
    const auto end = std::chrono::steady_clock::now() + deadline;
    bool met = condition();
    while (!met) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left));
        char events[4096];
        while (::read(fd, events, sizeof events) > 0) {
        }
        met = condition();
    }
    ::close(fd);
    return met;
}

// A capture made as a user makes one: the capture hotkey, typing on the keyboard and a click,
// the hotkey again, a hotkey pressed into "Capture Complete"; that hotkey then plays it back.
class CaptureE2E : public ResidentE2E {
protected:
    CaptureE2E() {
        editSettings_ = [](TAppSettings& s) {
            s.CaptureTime = false;
            s.CapturePrompt = false;
        };
    }
    void pressWith(std::initializer_list<unsigned long> modifiers, unsigned long keysym) {
        for (unsigned long m : modifiers) keyboard_.key(m, true);
        keyboard_.tap(keysym);
        for (unsigned long m : modifiers) keyboard_.key(m, false);
        XFlush(keyboard_.display());
    }
    void pressStartStop() { pressWith({XK_Control_L, XK_Alt_L, XK_Shift_L}, XK_x); }
    std::string captured() const { return test::readFile(home_->file("TempCap.Txt")); }
    bool waitForCaptured(const std::string& part, std::chrono::milliseconds deadline = kDeadline) {
        return waitInFolder(
            home_->path().string(), [&] { return captured().find(part) != std::string::npos; }, deadline);
    }
    // Clicks window `index` at (wx, wy) of its own and waits until the window saw it; the line.
    std::string clickIn(int index, int wx, int wy) {
        Display* d = keyboard_.display();
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(d, app_->window(index), DefaultRootWindow(d), wx, wy, &x, &y, &child);
        XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XFlush(d);
        const std::string line = "click " + std::to_string(x) + " " + std::to_string(y) + " 1";
        return app_->waitForLine([&](const std::string& l) { return l == line; });
    }
    // The window with this title while the window manager shows it, else 0.
    WindowId shown(const char* title) {
        const WindowId w = windows_->findWindowByTitle(title);
        return w != 0 && isManaged(w) ? w : 0;
    }
};

TEST_F(CaptureE2E, ACaptureMadeWithKeysAndAClickIsSavedWithItsHotkeyAndPlaysBack) {
    ASSERT_TRUE(keyboard_.valid());
    // The pointer starts away from where the click goes, so that the capture records the move.
    XTestFakeMotionEvent(keyboard_.display(), -1, 1, 1, CurrentTime);
    XSync(keyboard_.display(), False);
    focus(0);
    pressStartStop();
    // The recording starts as soon as the program has set it up: until then a key is only typed.
    bool recording = false;
    for (int tries = 0; tries < 20 && !recording; ++tries) {
        keyboard_.tap(XK_w);
        XFlush(keyboard_.display());
        recording = waitForCaptured("w", 1000ms);
    }
    ASSERT_TRUE(recording) << "nothing was captured";
    pressWith({XK_Shift_L}, XK_h);
    keyboard_.tap(XK_i);
    const std::string click = clickIn(0, 20, 20);
    ASSERT_FALSE(click.empty()) << "the click did not arrive";
    keyboard_.tap(XK_o);
    keyboard_.tap(XK_k);
    XFlush(keyboard_.display());
    ASSERT_TRUE(waitForCaptured("ok")) << captured();
    app_->waitForLine([&](const std::string&) { return visible(app_->text(0)).ends_with("wHiok"); });
    const std::string typed = visible(app_->text(0));
    ASSERT_TRUE(typed.ends_with("wHiok")) << typed;

    pressStartStop();
    const unsigned long root = DefaultRootWindow(keyboard_.display());
    ASSERT_TRUE(waitUntil(root, [&] { return shown("Capture Complete") != 0; }));
    // The hotkey goes to the dialog's hotkey field, Enter is its Ok; a hotkey pressed before the
    // field took the keys is refused with a message, and the user tries again.
    for (int tries = 0; tries < 5 && shown("Capture Complete") != 0; ++tries) {
        if (const WindowId error = shown("Error")) {
            if (windows_->foregroundWindow() != error) windows_->setForegroundWindow(error);
            keyboard_.tap(XK_Return);
            XFlush(keyboard_.display());
            waitUntil(root, [&] { return shown("Error") == 0; });
        }
        if (const WindowId complete = shown("Capture Complete"); windows_->foregroundWindow() != complete)
            windows_->setForegroundWindow(complete);
        pressWith({XK_Control_L, XK_Alt_L}, XK_m);
        keyboard_.tap(XK_Return);
        XFlush(keyboard_.display());
        waitUntil(root, [&] { return shown("Capture Complete") == 0 || shown("Error") != 0; });
    }
    ASSERT_EQ(shown("Capture Complete"), 0u) << "Capture Complete stayed open";
    // The macro is written once the dialog has closed.
    std::vector<TMacroRecord> records;
    EXPECT_TRUE(waitInFolder(home_->path().string(), [&] {
        records = readMacroFile(file_).records;
        return !records.empty() && records.back().HotKeyCode == kCtrlAlt + 'M' - 'A';
    })) << "the macro did not get its hotkey";
    ASSERT_FALSE(records.empty());
    // The click is recorded where the user made it.
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(click.c_str(), "click %d %d", &x, &y), 2);
    char move[32];
    std::snprintf(move, sizeof move, "<MMS:%05d,%05d><LCLK>", x, y);
    EXPECT_EQ(records.back().MacroText, std::string("wHi") + move + "ok");
    EXPECT_FALSE(std::filesystem::exists(home_->file("TempCap.Txt")));

    // The main window came up with the new macro (its hotkey in place); the user puts it away and
    // plays the macro in the window it was captured in.
    ASSERT_TRUE(waitUntil(root, [&] { return windows_->windowProcess(windows_->foregroundWindow()) == pid_; }));
    const WindowId main = windows_->foregroundWindow();
    windows_->windowAction(main, WindowAction::Minimize);
    ASSERT_TRUE(waitUntil(main, [&] { return windows_->isMinimized(main); }));
    focus(0);
    // The played click lands where the recorded one did, often within the double-click time:
    // the window may take the two for a double click, which it reports as a click too.
    const auto clicks = [&] { return std::ranges::count(app_->lines(), click); };
    const auto clicksBefore = clicks();
    pressWith({XK_Control_L, XK_Alt_L}, XK_m);
    EXPECT_EQ(waitForVisible(0, typed + "wHiok"), typed + "wHiok");
    app_->waitForLine([&](const std::string&) { return clicks() > clicksBefore; });
    ASSERT_EQ(clicks(), clicksBefore + 1) << "the played click did not reach the window under the pointer";
    // The keys after the click arrive after it (a click that focuses a field gets the text there).
    const std::vector<std::string>& lines = app_->lines();
    const auto lastLine = [&](const std::function<bool(const std::string&)>& match) {
        return std::distance(std::ranges::find_if(lines.rbegin(), lines.rend(), match), lines.rend()) - 1;
    };
    EXPECT_LT(lastLine([&](const std::string& l) { return l == click; }),
              lastLine([](const std::string& l) { return l.starts_with("key 0 6f "); }))
        << "the macro's keys overtook its click";
    EXPECT_EQ(shown("Warning"), 0u) << "a warning came up on the way";
}

// Popup menus on a real system tray: a tray host (trayer) runs at the bottom of the screen before
// the program starts.
class PopupMenuE2E : public ResidentE2E {
protected:
    PopupMenuE2E() {
        // Two menus with a tray icon of their own, one without (opened by its hotkey only).
        extra_.push_back(menu("List menu", kCodeNone, "Y30", {1, 4}));
        extra_.push_back(menu("Icon menu", kCodeNone, "Y22", {4}));
        extra_.push_back(menu("Hotkey menu", kCtrlAlt + 'M' - 'A', "N30", {4, 1}));
    }

    static TMacroRecord menu(const std::string& nick, int code, const std::string& options,
                             std::vector<std::int16_t> items) {
        TMacroRecord r = macro(nick, code, "", "");
        r.Scope = static_cast<std::int16_t>(kScopePopupMenu);
        r.ShortKeyText = options;
        r.IconName = "MENU";
        r.MenuItems = std::move(items);
        return r;
    }

    void SetUp() override {
        ORV_NEED_DISPLAY();
        Display* d = keyboard_.display();
        trayer_ = ::fork();
        if (trayer_ == 0) {
            ::execlp("trayer", "trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                     "--SetDockType", "true", "--transparent", "false", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        const Atom selection = XInternAtom(d, "_NET_SYSTEM_TRAY_S0", False);
        ASSERT_TRUE(waitOnRoot([&] { return XGetSelectionOwner(d, selection) != None; })) << "trayer did not start";
        ResidentE2E::SetUp();
    }

    void TearDown() override {
        ResidentE2E::TearDown();
        if (trayer_ > 0) {
            ::kill(trayer_, SIGTERM);
            ::waitpid(trayer_, nullptr, 0);
        }
    }

    // The program's windows embedded in the tray host and on screen: its tray icons.
    std::vector<Window> trayIcons() {
        Display* d = keyboard_.display();
        std::vector<Window> icons;
        const auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // windows may go meanwhile
        const std::function<void(Window, bool)> walk = [&](Window w, bool inTray) {
            const pid_t owner = windowPid(d, w);
            inTray = inTray || owner == trayer_;
            XWindowAttributes a{};
            if (inTray && owner == pid_ && XGetWindowAttributes(d, w, &a) != 0 && a.map_state == IsViewable)
                icons.push_back(w);
            Window root = 0, parent = 0, *children = nullptr;
            unsigned n = 0;
            if (XQueryTree(d, w, &root, &parent, &children, &n) == 0) return;
            for (unsigned i = 0; i < n; ++i) walk(children[i], inTray);
            if (children != nullptr) XFree(children);
        };
        walk(DefaultRootWindow(d), false);
        XSync(d, False);
        XSetErrorHandler(previous);
        return icons;
    }

    static pid_t windowPid(Display* d, Window w) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        pid_t pid = 0;
        if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr && count == 1)
            pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(data));
        if (data != nullptr) XFree(data);
        return pid;
    }

    void rightClick(Window w) {
        Display* d = keyboard_.display();
        XWindowAttributes a{};
        XGetWindowAttributes(d, w, &a);
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(d, w, DefaultRootWindow(d), a.width / 2, a.height / 2, &x, &y, &child);
        XTestFakeMotionEvent(d, -1, x, y, 0);
        XTestFakeButtonEvent(d, 3, True, 0);
        XTestFakeButtonEvent(d, 3, False, 0);
        XFlush(d);
    }

    // The program's window titled `title` once it is on screen, or 0.
    WindowId waitForWindow(const std::string& title) {
        WindowId found = 0;
        waitOnRoot([&] {
            found = windows_->findWindowByTitle(title);
            return found != 0 && windows_->windowProcess(found) == pid_;
        });
        return found;
    }

    pid_t trayer_ = -1;
};

constexpr const char* kListMenuTitle = "Double Click or Press Number or Letter";
constexpr const char* kIconMenuTitle = "Choose A Macro";

TEST_F(PopupMenuE2E, MenuIconsSitInTheTrayAndOpenTheirMenusWhichPlayIntoTheWindowInFront) {
    ASSERT_TRUE(keyboard_.valid());
    std::vector<Window> icons;
    ASSERT_TRUE(waitOnRoot([&] { return (icons = trayIcons()).size() == 2; }))
        << trayIcons().size() << " tray icons of the program";
    focus(0);

    // Each icon opens its own menu: the list menu (by the key of its second entry) and the icon
    // menu (cancelled). Either way the focus goes back to the window in front.
    std::set<std::string> opened;
    for (const Window icon : icons) {
        rightClick(icon);
        WindowId menuWindow = 0;
        ASSERT_TRUE(waitOnRoot([&] {
            for (const char* title : {kListMenuTitle, kIconMenuTitle}) {
                const WindowId w = windows_->findWindowByTitle(title);
                if (w != 0 && windows_->windowProcess(w) == pid_) menuWindow = w;
            }
            return menuWindow != 0 && windows_->foregroundWindow() == menuWindow;
        })) << "no menu opened by the tray icon";
        const std::string title = windows_->windowTitle(menuWindow);
        opened.insert(title);
        // Opened from a tray at the bottom, the menu stands in the lower half of the screen.
        WindowRect rect{};
        ASSERT_TRUE(windows_->windowRect(menuWindow, rect));
        EXPECT_GT(rect.top, windows_->screenSize().height / 2) << title;
        keyboard_.tap(title == kListMenuTitle ? XK_1 : XK_Escape);
        ASSERT_TRUE(waitOnRoot([&] { return windows_->findWindowByTitle(title) == 0; }));
        ASSERT_TRUE(windows_->waitUntilActive(static_cast<WindowId>(app_->window(0)), kDeadline));
    }
    EXPECT_EQ(opened, (std::set<std::string>{kListMenuTitle, kIconMenuTitle}));
    EXPECT_EQ(waitForVisible(0, "named"), "named");
}

TEST_F(PopupMenuE2E, AHotkeyOpensAMenuInTheMiddleAndAKeyChoosesItsEntry) {
    ASSERT_TRUE(keyboard_.valid());
    focus(1);
    pressCtrlAlt(XK_m);
    const WindowId menuWindow = waitForWindow(kListMenuTitle);
    ASSERT_NE(menuWindow, 0u);
    ASSERT_TRUE(windows_->waitUntilActive(menuWindow, kDeadline));
    keyboard_.tap(XK_1);  // "Global hello", the second entry
    EXPECT_EQ(waitForVisible(1, "hello"), "hello");
    EXPECT_EQ(visible(app_->text(0)), "");
}

}  // namespace
}  // namespace orv
