#include <gtest/gtest.h>

#include "engine/desktop_rig.h"
#include "engine/password_substitution.h"

namespace orv::test {
namespace {

// The lines of a transcript that do not come from the keyboard or the program's own windows.
Lines desktopLines(const Lines& lines) {
    Lines out;
    for (const std::string& l : lines) {
        if (l.rfind("key ", 0) == 0 || l.rfind("hide main", 0) == 0 || l.rfind("show main", 0) == 0 ||
            l.rfind("set foreground", 0) == 0)
            continue;
        out.push_back(l);
    }
    return out;
}

struct Case {
    std::string text;
    Lines expected;  // desktop and message lines
};

void expectCases(const std::vector<Case>& cases, const std::function<void(DesktopRig&)>& setup = {}) {
    for (const Case& c : cases) {
        DesktopRig rig;
        if (setup) setup(rig);
        EXPECT_EQ(desktopLines(rig.play(c.text)), c.expected) << c.text;
    }
}

TEST(SystemCommands, SettingsTakeTheirFields) {
    expectCases({
        {"<KEYDEL:2>", {"keyboard delay 2"}},
        {"<KEYDEL:x>", {"keyboard delay 0"}},
        {"<KEYSPD:31>", {"keyboard speed 31"}},
        {"<SSTIME:05>", {"screensaver timeout 300"}},
        {"<WBSIZE:03>", {"border width 3"}},
        {"<KEYDEL:2x", {}},  // no ">" at its place: typed as text
        {"<SSTIME:5>", {}},
        {"<SSON>", {"screensaver active -> yes", "screensaver start"}},
        {"<SSOFF>", {"screensaver set-active no"}},
    });
    expectCases({{"<SSON>", {"screensaver active -> no"}}},
                [](DesktopRig& r) { r.desktop.settings.setSaverActive(false); });
}

TEST(SystemCommands, SettingsTheSessionCannotChangeAreRefusedAloud) {
    const std::string refused =
        messageLine("Macro Execution Error",
                    "Keyboard repeat, screen saver and display mode settings are not available in this session.");
    const struct {
        const char* text;
        Lines expected;
    } cases[] = {
        {"<KEYDEL:2>", {refused}},
        {"<KEYSPD:31>", {refused}},
        {"<SSTIME:05>", {refused}},
        {"<SSON>", {refused}},
        {"<SSOFF>", {refused}},
        {"<SCREEN:001>", {refused}},
        {"<WBSIZE:03>", {"border width 3"}},  // ignored everywhere: no message
    };
    for (const auto& c : cases) {
        DesktopRig rig(Capabilities{}.set(Capability::DesktopSettings, Reach::Nowhere));
        EXPECT_EQ(desktopLines(rig.play(c.text)), c.expected) << c.text;
    }
    // Reaching only X11 windows is still reaching: the setting is made.
    DesktopRig partial(Capabilities{}.set(Capability::DesktopSettings, Reach::X11WindowsOnly));
    EXPECT_EQ(desktopLines(partial.play("<KEYDEL:2>")), Lines{"keyboard delay 2"});
}

TEST(SystemCommands, DisplayModeIsTestedThenStored) {
    const std::string notThere =
        messageLine("Macro Execution Error", "The specified Screen Display Settings does not exist on this computer.");
    const std::string failed =
        messageLine("Macro Execution Error", "The attempt to switch to the specified Screen Display Settings failed.");
    const struct {
        const char* text;
        int test, apply;
        Lines expected;
    } cases[] = {
        {"<SCREEN:001>",
         0,
         0,
         {"display mode 0 -> 640x480x8@60", "display mode 1 -> 800x600x16@60", "display test 800x600x16@60 -> 0",
          "display apply 800x600x16@60 -> 0"}},
        {"<SCREEN:002>",
         0,
         0,
         {"display mode 0 -> 640x480x8@60", "display mode 1 -> 800x600x16@60", "display mode 2 -> none", notThere}},
        {"<SCREEN:000>", -1, 0, {"display mode 0 -> 640x480x8@60", "display test 640x480x8@60 -> -1", failed}},
        {"<SCREEN:000>", -2, 0, {"display mode 0 -> 640x480x8@60", "display test 640x480x8@60 -> -2", failed}},
        {"<SCREEN:000>", -4, 0, {"display mode 0 -> 640x480x8@60", "display test 640x480x8@60 -> -4", failed}},
        {"<SCREEN:000>",
         -3,
         1,
         {"display mode 0 -> 640x480x8@60", "display test 640x480x8@60 -> -3", "display apply 640x480x8@60 -> 1",
          messageLine("Warning", "System must be rebooted before new display settings take effect.")}},
        {"<SCREEN:000>",
         0,
         -5,
         {"display mode 0 -> 640x480x8@60", "display test 640x480x8@60 -> 0", "display apply 640x480x8@60 -> -5",
          failed}},
    };
    for (const auto& c : cases) {
        DesktopRig rig;
        rig.desktop.settings.setDisplayModes({{640, 480, 8, 60}, {800, 600, 16, 60}});
        rig.desktop.settings.setDisplayResults(c.test, c.apply);
        EXPECT_EQ(desktopLines(rig.play(c.text)), c.expected) << c.text << " " << c.test;
    }
}

TEST(SystemCommands, WallpaperFormsWriteTheirValues) {
    expectCases({
        {"<WALLT:C:\\a.bmp>", {"wallpaper \"C:\\\\a.bmp\" tile=1 style=0 x=0 y=0"}},
        {"<WALLC:/pics/b.png>", {"wallpaper \"/pics/b.png\" tile=0 style=0 x=0 y=0"}},
        {"<WALLS:/pics/b.png>", {"wallpaper \"/pics/b.png\" tile=0 style=2 x=0 y=0"}},
        {"<WALLP:0100,0200/pics/c.png>", {"wallpaper \"/pics/c.png\" tile=0 style=0 x=100 y=200"}},
        {"<WALLP:01x0,02>", {"wallpaper \"\" tile=0 style=0 x=0 y=2"}},  // X not a number: 0
    });
}

TEST(SystemCommands, DefaultPrinterNeedsAnExactName) {
    auto printers = [](DesktopRig& r) {
        r.desktop.settings.setPrinters({{"Laser", "PCL", "lpt1"}, {"Ink", "", ""}});
        r.desktop.settings.setDevicesEntry("Ink", "InkDrv,usb1");
    };
    const std::string missing =
        messageLine("Macro Execution Error", "The specified Default Printer does not exist on this computer.");
    expectCases(
        {
            {"<DEFPRT:Laser>", {"printer list -> 2", "printer default \"Laser,PCL,lpt1\""}},
            {"<DEFPRT:Ink>",
             {"printer list -> 2", "printer devices \"Ink\" -> \"InkDrv,usb1\"",
              "printer default \"Ink,InkDrv,usb1\""}},
            {"<DEFPRT:laser>", {"printer list -> 2", missing}},
            {"<DEFPRT:>", {"printer list -> 2", missing}},
        },
        printers);
}

TEST(SystemCommands, DesktopAndTaskBar) {
    expectCases({
        {"<CASCDESK>", {"desktop cascade"}},
        {"<TILHDESK>", {"desktop tile horizontal"}},
        {"<TILVDESK>", {"desktop tile vertical"}},
        {"<HIDETASK>", {"taskbar hide"}},
        {"<SHOWTASK>", {"screen size -> 1024 768", "taskbar show 0 0 100 768"}},
        {"<EMPTYBIN>", {}},
        {"<EXPLORE:/home/me/Documents>", {"shell open \"explore\" \"/home/me/Documents\" \"\" \"\" -> 42"}},
    });
}

TEST(SystemCommands, ShellFunctionsNeedTheShellAutomation) {
    const struct {
        const char* tag;
        const char* call;
        const char* name;
    } cases[] = {
        {"<MINIDESK>", "shell minimize-all", "Minimize All"},
        {"<RESTDESK>", "shell undo-minimize-all", "Undo Minimize All"},
        {"<SUSPEND>", "shell suspend", "Suspend"},
        {"<UNDOCK>", "shell eject-pc", "Eject PC"},
        {"<RUNDT>", "shell set-time", "Run Set Time"},
        {"<RUNFC>", "shell find-computer", "Run Find Computer"},
        {"<RUNFF>", "shell find-files", "Run Find Files"},
        {"<RUNRP>", "shell file-run", "Run File Run"},
        {"<EXPCP>", "shell explore-folder 3", "Open Explorer"},
        {"<EXPDT>", "shell explore-folder 0", "Open Explorer"},
        {"<EXPDP>", "shell explore-folder 16", "Open Explorer"},
        {"<EXPFV>", "shell explore-folder 6", "Open Explorer"},
        {"<EXPFT>", "shell explore-folder 20", "Open Explorer"},
        {"<EXPMC>", "shell explore-folder 17", "Open Explorer"},
        {"<EXPNW>", "shell explore-folder 18", "Open Explorer"},
        {"<EXPPR>", "shell explore-folder 4", "Open Explorer"},
        {"<EXPPF>", "shell explore-folder 2", "Open Explorer"},
        {"<EXPRD>", "shell explore-folder 8", "Open Explorer"},
        {"<EXPRB>", "shell explore-folder 10", "Open Explorer"},
        {"<EXPSM>", "shell explore-folder 11", "Open Explorer"},
        {"<EXPSU>", "shell explore-folder 7", "Open Explorer"},
        {"<EXPUD>", "shell explore-folder 5", "Open Explorer"},
    };
    const std::string text =
        "This function requires Windows 98 or NT.  Ruvi requires Windows 95 that has Internet Explore 4.0 or greater "
        "installed. It appears that your system does not meet these requirements.";
    for (const auto& c : cases) {
        expectCases({{c.tag, {"shell available -> yes", c.call}}});
        expectCases({{c.tag, {"shell available -> no", messageLine(std::string(c.name) + " Error", text)}}},
                    [](DesktopRig& r) { r.desktop.shell.setAutomationAvailable(false); });
    }
}

TEST(SystemCommands, SessionEndTakesThePrivilegeOnNT) {
    auto nt = [](DesktopRig& r) { r.table->setU8(TActivationTable::oIsNT, 1); };
    expectCases({{"<LOGOFF>", {"session exit 0 -> ok"}},
                 {"<REBOOT>", {"session privilege on -> ok", "session exit 2 -> ok", "session privilege off -> ok"}},
                 {"<SHUTDOWN>", {"session privilege on -> ok", "session exit 1 -> ok", "session privilege off -> ok"}},
                 {"<POWEROFF>", {"session privilege on -> ok", "session exit 8 -> ok", "session privilege off -> ok"}}},
                nt);
    expectCases({{"<REBOOT>", {"session privilege on -> failed"}}}, [&](DesktopRig& r) {
        nt(r);
        r.desktop.shell.setPrivilegeGranted(false);
    });
    expectCases({{"<SHUTDOWN>", {"session exit 1 -> ok"}}});  // not NT: no privilege needed
}

TEST(SystemCommands, NetworkConnectShowsEveryResult) {
    const struct {
        int result;
        const char* text;
    } cases[] = {
        {0, "Drive mapped succesfully."},
        {5, "Map Failed.  Access to the nework device was denied."},
        {66, "Map Failed.  Nework device specified is not compatible with a drive."},
        {67, "Map Failed.  The specified networkd device was invalid."},
        {85, "Map Failed.  Drive was already assigned to a nework device."},
        {86, "Map Failed.  The specified password was invalid."},
        {170, "Map Failed.  The network router was busy--possibly initializing.  Try again."},
        {1200, "Map Failed.  The specified drive was invalid."},
        {1222, "Map Failed.  No network exists."},
        {53, "Map Failed.  Unknown Error #53"},
    };
    const std::string stored = substitutePassword("s3cret");
    for (const auto& c : cases) {
        DesktopRig rig;
        rig.desktop.network.setConnectResult("X:", c.result);
        const Lines lines = rig.play("<NWCPS:<NAME:ann><PASS:" + stored + ">X:\\\\srv\\share>z");
        EXPECT_EQ(
            desktopLines(lines),
            (Lines{"net connect \"X:\" \"\\\\\\\\srv\\\\share\" user=\"ann\" password=\"s3cret\" persistent=yes -> " +
                       std::to_string(c.result),
                   messageLine("Map X: to \\\\srv\\share", c.text)}))
            << c.result;
        EXPECT_TRUE(hasLine(lines, "key down 90"));
    }
    // Without S nothing is shown; empty user and password are passed as empty.
    expectCases({{"<NWC:<NAME:><PASS:>Y:/srv/x>",
                  {"net connect \"Y:\" \"/srv/x\" user=\"\" password=\"\" persistent=no -> 0"}}});
}

TEST(SystemCommands, NetworkDisconnectAndToggle) {
    const struct {
        const char* text;
        int result;
        const char* message;
        const char* call;
    } cases[] = {
        {"<NWDFS:X:>", 0, "Drive succesfully unmapped.", "net disconnect \"X:\" profile=no force=yes -> 0"},
        {"<NWDPS:X:>", 2404, "Unmap Failed.  Nework device is in use by an active process.",
         "net disconnect \"X:\" profile=yes force=no -> 2404"},
        {"<NWDS:X:>", 2250, "Unmap Failed.  Drive is not currently connected to a nework device.",
         "net disconnect \"X:\" profile=no force=no -> 2250"},
        {"<NWDPFS:X:>", 2401,
         "Unmap Failed.  There are open files on the network device and the \"Force\" option was not used.",
         "net disconnect \"X:\" profile=yes force=yes -> 2401"},
        {"<NWDS:X:>", 7, "Unmap Failed.  Unknown Error #7", "net disconnect \"X:\" profile=no force=no -> 7"},
    };
    for (const auto& c : cases) {
        expectCases({{c.text, {c.call, messageLine("Unmap Network Drive X:", c.message)}}},
                    [&](DesktopRig& r) { r.desktop.network.setDisconnectResult("X:", c.result); });
    }
    // Toggle: a connected drive letter is disconnected (profile by P, never forced) ...
    expectCases({{"<NWTPS:<NAME:><PASS:>x:/srv/a>",
                  {"net list -> X:", "net disconnect \"x:\" profile=yes force=no -> 0",
                   messageLine("Unmap Network Drive x:", "Drive succesfully unmapped.")}}},
                [](DesktopRig& r) {
                    r.desktop.network.addConnected("X:", "/srv/a");
                    r.desktop.network.setDisconnectResult("x:", 0);
                });
    // ... and a free one is connected.
    expectCases({{"<NWT:<NAME:u><PASS:>Y:/srv/b>",
                  {"net list ->", "net connect \"Y:\" \"/srv/b\" user=\"u\" password=\"\" persistent=no -> 0"}}});
}

TEST(SystemCommands, MalformedNetworkAndDialCommandsAreTypedAsText) {
    for (const char* text : {"<NWCX:<NAME:a><PASS:b>X:y>", "<NWC:<NAME:a>", "<NWC:<NAME:a><PAS:b>X:y>", "<NWDSP:X:>",
                             "<DIAL:<NAME:a><PASS:b", "<NWT:"}) {
        DesktopRig rig;
        EXPECT_EQ(rig.play(text), typed(text)) << text;
    }
}

TEST(SystemCommands, DialUpReportsFailures) {
    const std::string missing =
        "text box \"Warning\" \"Dial-Up Connections cannot be performed on this computer. The necessary Windows files "
        "have not been installed.  Missing RASAPI32.DLL\"";
    auto noLibrary = [](DesktopRig& r) { r.desktop.dialup.setAvailable(false); };
    expectCases({{"<DIAL:<NAME:a><PASS:b>Office>", {"dialup available -> no", missing}},
                 {"<HANG>", {"dialup available -> no", missing}}},
                noLibrary);

    const std::string stored = substitutePassword("pw");
    expectCases(
        {{"<DIAL:<NAME:ann><PASS:" + stored + ">Office>",
          {"dialup available -> yes", "dialup dial \"Office\" user=\"ann\" password=\"pw\" -> 0 connection=1"}}});
    expectCases({{"<DIAL:<NAME:ann><PASS:>Office>",
                  {"dialup available -> yes", "dialup dial \"Office\" user=\"ann\" password=\"\" -> 678 connection=1",
                   "dialup hangup 1 -> 0",
                   messageLine("Dial-Up Error", "Dial-Up Network Connection to Office failed.  Error code: 678")}}},
                [](DesktopRig& r) { r.desktop.dialup.setDialResult(678, true); });

    const std::string hangFailed = messageLine("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
    expectCases({{"<HANG>",
                  {"dialup available -> yes", "dialup list ->",
                   messageLine("Dial-Up Error", "There are no Dial-Up Networking connections to hang up.")}}});
    expectCases({{"<HANG>", {"dialup available -> yes", "dialup list -> failed", hangFailed}}},
                [](DesktopRig& r) { r.desktop.dialup.setListFails(true); });
    expectCases({{"<HANG>", {"dialup available -> yes", "dialup list -> 4 5", "dialup hangup 4 -> 0"}}},
                [](DesktopRig& r) {
                    r.desktop.dialup.addConnection(4);
                    r.desktop.dialup.addConnection(5);
                });
    expectCases({{"<HANG>", {"dialup available -> yes", "dialup list -> 4", "dialup hangup 4 -> 1", hangFailed}}},
                [](DesktopRig& r) {
                    r.desktop.dialup.addConnection(4);
                    r.desktop.dialup.setHangUpResult(1);
                });
}

TEST(PasswordSubstitution, IsItsOwnInverseForEveryByte) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(substitutePasswordChar(substitutePasswordChar(c)), c) << b;
    }
    // A few values from the rule: lose 25, gain 25, unchanged.
    EXPECT_EQ(substitutePasswordChar('a'), 'a' - 25);  // 97 is in 76..100
    EXPECT_EQ(substitutePasswordChar('1'), '1' - 25);  // 49 is in 26..50
    EXPECT_EQ(substitutePasswordChar('A'), 'Z');       // 65 gains 25
    EXPECT_EQ(substitutePasswordChar('\0'), '\0');
}

}  // namespace
}  // namespace orv::test
