#include <gtest/gtest.h>

#include <functional>

#include "dialogs/dialog_env.h"
#include "engine/password_substitution.h"
#include "platform/hotkey_codes.h"
#include "wizards/wizard_flow.h"

namespace orv::wiz {
namespace {

// Today in the fixture is 10 June 2026, 09:30.
struct Wizard : ::testing::Test {
    test::DialogFixture fx;
    WizardFile file;

    static TMacroRecord macro(std::int16_t code, std::int16_t scope, std::string nick = "m") {
        TMacroRecord r;
        r.HotKeyCode = code;
        r.Scope = scope;
        r.NickName = std::move(nick);
        return r;
    }

    // Walks the wizard with the answers given for each screen; every screen must pass.
    TMacroRecord walk(WizardFlow& flow, const std::map<int, std::map<std::string, std::string>>& answers) {
        for (int guard = 0; guard < 20 && !flow.finished(); ++guard) {
            if (const auto it = answers.find(flow.screen()); it != answers.end())
                for (const auto& [k, v] : it->second) flow.answers().set(k, v);
            const int screen = flow.screen();
            const Outcome o = flow.next();
            EXPECT_TRUE(o.accepted) << "screen " << screen << ": " << o.failure.message;
            if (!o.accepted) break;
        }
        EXPECT_TRUE(flow.finished());
        return flow.finished() && flow.result().record ? *flow.result().record : TMacroRecord{};
    }
};

int hotKey(const char* name) {
    for (int c = 0; c < kHotKeyCount; ++c)
        if (hotKeyName(c) == name) return c;
    return -1;
}

// One walk per wizard: the answers on its content screens (the common tail is a ShortKey
// "go", all programs, nickname "N") and the macro text it must write byte for byte.
struct TextCase {
    int wizard;
    std::map<int, std::map<std::string, std::string>> answers;
    std::string text;
};

TEST_F(Wizard, EachWizardWritesItsMacroText) {
    fx.files.setShortPrefix("~");
    const std::vector<TextCase> cases = {
        {1, {{14, {{"typeText", "Hello<TAB>there"}}}}, "Hello<TAB>there"},
        {2, {{13, {{"pasteKind", "0"}}}, {12, {{"pasteText", "abc"}}}}, "<BEGCLIP>abc<ENDCLIP><CLIPP>"},
        {2, {{13, {{"pasteKind", "2"}}}, {12, {{"pastePath", " /data/pic.bmp "}}}}, "<CLIPB:/data/pic.bmp><CLIPP>"},
        {3, {}, std::string(1, static_cast<char>(128 + 75))},
        {4,
         {{30, {{"launchKind", "0"}}},
          {31, {{"chdir", "1"}, {"chdirFolder", "/data"}}},
          {32, {{"progBy", "0"}, {"progPath", "/usr/bin/editor.EXE"}}}},
         "<CHDIR:/data><LAUNCH:~/usr/bin/editor.EXE>"},
        {4, {{30, {{"launchKind", "1"}}}, {34, {{"document", "/data/notes.txt"}}}}, "<LAUNCH:~/data/notes.txt>"},
        {4, {{30, {{"launchKind", "2"}}}, {33, {{"winTitle", "Editor"}}}}, "<ACTIVATE:Editor>"},
        {4,
         {{30, {{"launchKind", "3"}}}, {32, {{"progListed", "/opt/ed"}}}, {33, {{"winTitle", "Ed"}}}},
         "<LAUNCHYES:01Ed<LAUNCH:/opt/ed>"},
        {4,
         {{30, {{"launchKind", "4"}}}, {32, {{"progListed", "/opt/ed"}}}, {33, {{"winTitle", "Ed"}}}},
         "<LAUNCHNO:01Ed<LAUNCH:/opt/ed>"},
        {5, {{21, {{"webKind", "1"}}}, {22, {{"url", "ftp.example.org/f"}}}}, "<FTP:ftp.example.org/f>"},
        {6, {{18, {{"dateFormat", "0"}}}, {19, {{"timeFormat", "0"}}}}, "<MM/DD/YY{NF000}> <hh:mm{N}>"},
        {6,
         {{17, {{"dateOrTime", "0"}}}, {18, {{"dateFormat", "16"}}}, {20, {{"dayWhen", "3"}, {"dayCount", "12"}}}},
         "<YYYY-MM-DD{NP012}>"},
        {6,
         {{17, {{"dateOrTime", "0"}}}, {18, {{"dateFormat", "0"}}}, {20, {{"dayWhen", "4"}, {"dayCount", "5"}}}},
         "<MM/DD/YY{NF005}>"},
        {6, {{17, {{"dateOrTime", "1"}}}, {19, {{"timeFormat", "25"}}}}, "<hh,mma{N}>"},
        {8,
         {{5, {{"netAction", "0"}}},
          {6, {{"drive", "F:"}, {"netPath", "//srv/share"}}},
          {29, {{"defaultLogon", "0"}, {"logonName", "bob"}, {"logonPassword", "pw"}}}},
         "<NWCS:<NAME:bob><PASS:" + substitutePassword("pw") + ">F://srv/share>"},
        {8,
         {{5, {{"netAction", "1"}}}, {6, {{"drive", "G:"}}}, {29, {{"force", "1"}, {"showStatus", "0"}}}},
         "<NWDPF:G:>"},
        {8, {{6, {{"drive", "H:"}, {"netPath", "//s/x"}}}}, "<NWTS:<NAME:><PASS:>H://s/x>"},
        {9, {{11, {{"reboot", "3"}}}}, "<POWEROFF>"},
        {11,
         {{48, {{"fileAction", "2"}}}, {49, {{"filePath", "/data/notes.txt"}, {"newName", "b.txt"}}}},
         "<COPYFILE:/data/notes.txt;b.txt>"},
        {12,
         {{28, {{"phoneEntry", "Office"}, {"dialUser", "ann"}, {"dialPassword", "Secret"}}}},
         "<DIAL:<NAME:ann><PASS:" + substitutePassword("Secret") + ">Office>"},
        {12, {{27, {{"dialAction", "1"}}}}, "<HANG>"},
        {13, {{16, {{"displayMode", "7"}}}}, "<SCREEN:007>"},
        {14, {{15, {{"printer", "Laser 1"}}}}, "<DEFPRT:Laser 1>"},
        {15, {{42, {{"cd", "5"}, {"track", "3"}}}}, "<CDGOTO:03>"},
        {16, {{24, {{"avi", "/data/clip.avi"}, {"aviMode", "1"}}}}, "<AVIE:/data/clip.avi>"},
        {17, {{46, {{"wav", "/data/ding.wav"}, {"wavWait", "1"}}}}, "<WAV1:~/data/ding.wav>"},
        {17, {{43, {{"soundKind", "1"}}}, {44, {{"audio", "11"}}}}, "<BASSDOWN>"},
        {17, {{43, {{"soundKind", "2"}}}, {45, {{"midi", "7"}}}}, "<MIDICENTER>"},
        {19,
         {{23, {{"bitmap", "/data/pic.bmp"}, {"wallStyle", "3"}, {"wallTop", "20"}, {"wallLeft", "0"}}}},
         "<WALLP:0000,0020/data/pic.bmp>"},
        {20, {{36, {{"first", "20"}, {"second", "10"}}}}, "<WPOS:0010,0020\"CURRENT\">"},
        {20,
         {{35, {{"moveKind", "3"}}}, {33, {{"winTitle", "Calc"}}}, {36, {{"first", "640"}, {"second", "480"}}}},
         "<WSIZE:0640,0480Calc>"},
        {21,
         {{38, {{"winAction", "3"}}}, {39, {{"whichWindow", "1"}}}, {40, {{"chosenTitle", "Calc"}}}},
         "<WCLS:Calc>"},
        {22, {{25, {{"folderKind", "1"}, {"specialFolder", "13"}}}}, "<EXPUD>"},
        {22, {{25, {{"folder", "/data"}}}}, "<EXPLORE:/data>"},
        {23, {{47, {{"desktop", "6"}}}}, "<SUSPEND>"},
        {24, {{41, {{"saver", "2"}, {"saverMinutes", "7"}}}}, "<SSTIME:07>"},
        {26, {{64, {{"combined", "first\nsecond"}}}}, "<MACRUN:first><MACRUN:second>"},
        {27, {{58, {{"commandText", "<BEEP>"}}}}, "<BEEP>"},
    };
    for (const TextCase& tc : cases) {
        SCOPED_TRACE("wizard " + std::to_string(tc.wizard) + " -> " + tc.text);
        WizardFlow flow(tc.wizard, file, fx.env);
        auto answers = tc.answers;
        answers[2] = {{"activation", "1"}};
        answers[3] = {{"shortkey", " go "}};
        answers[10] = {{"nickname", " N "}};
        const TMacroRecord r = walk(flow, answers);
        EXPECT_EQ(r.MacroText, tc.text);
        EXPECT_EQ(r.ShortKeyText, "go");
        EXPECT_EQ(r.HotKeyCode, kCodeShortKey);
        EXPECT_EQ(r.Scope, kScopeGlobal);
        EXPECT_EQ(r.NickName, "N");
    }
}

// Steps to a wizard's screen by passing the screens before it with the answers given.
void advanceTo(WizardFlow& flow, int screen) {
    for (int guard = 0; guard < 20 && flow.screen() != screen; ++guard)
        ASSERT_TRUE(flow.next().accepted) << flow.screen();
    ASSERT_EQ(flow.screen(), screen);
}

TEST_F(Wizard, SkippedScreensAreSkippedBothWaysAndBypassStartsOnTheSecond) {
    fx.settings.BypassWizardScreen = true;
    WizardFlow flow(6, file, fx.env);
    EXPECT_EQ(flow.screen(), 17);
    flow.answers().set("dateOrTime", "1");  // time only: 18 and 20 do not apply
    ASSERT_TRUE(flow.next().accepted);
    EXPECT_EQ(flow.screen(), 19);
    ASSERT_TRUE(flow.back());
    EXPECT_EQ(flow.screen(), 17);
    ASSERT_TRUE(flow.back());
    EXPECT_EQ(flow.screen(), 1);
    EXPECT_FALSE(flow.back());

    // A timed macro never sees the scope screens, and with no popup menu in the file screen 9
    // is skipped, forward and back.
    WizardFlow timed(9, file, fx.env);
    timed.answers().set("activation", "2");
    advanceTo(timed, 2);
    ASSERT_TRUE(timed.next().accepted);
    EXPECT_EQ(timed.screen(), 3);
    ASSERT_TRUE(timed.next().accepted);
    EXPECT_EQ(timed.screen(), 10);
    ASSERT_TRUE(timed.back());
    EXPECT_EQ(timed.screen(), 3);
    timed.answers().set("nickname", "t");
    advanceTo(timed, 10);
    ASSERT_TRUE(timed.next().accepted);
    ASSERT_TRUE(timed.finished());
    EXPECT_EQ(timed.result().record->Scope, kScopeGlobal);
    EXPECT_EQ(timed.result().record->HotKeyCode, kCodeTimed);

    flow.setBypass(false);
    EXPECT_FALSE(fx.settings.BypassWizardScreen);
}

// Refusals: the screen stays, the message names the field to put the focus on.
struct Refusal {
    int wizard;
    int screen;
    std::map<std::string, std::string> answers;
    std::string field;
    std::string message;
};

TEST_F(Wizard, ScreenChecksRefuseWithTheirMessages) {
    const std::vector<Refusal> cases = {
        {1, 14, {}, "typeText", "No text has been entered."},
        {2,
         12,
         {{"pasteKind", "1"}, {"pastePath", "/nope"}},
         "pastePath",
         "Specified file does not exist.  Please correct."},
        {8, 6, {{"netPath", " "}}, "netPath", "A network drive has not been entered."},
        {8,
         29,
         {{"defaultLogon", "0"}, {"logonName", "u"}},
         "logonPassword",
         "No password has been entered. Please correct."},
        {12, 28, {{"phoneEntry", "Home"}}, "dialUser", "No user name has been entered. Please correct."},
        {6, 20, {{"dayWhen", "3"}, {"dayCount", "-1"}}, "dayCount", "Invalid days specified. Please correct."},
        {19,
         23,
         {{"bitmap", "/data/pic.bmp"}, {"wallStyle", "3"}, {"wallTop", "x"}},
         "wallTop",
         "Invalid top position specified. Please correct."},
        {20,
         36,
         {{"moveKind", "2"}, {"first", "10"}, {"second", ""}},
         "second",
         "Invalid height specified. Please correct."},
        {20, 36, {{"first", "1.5"}}, "first", "Invalid top position specified. Please correct."},
        {22, 25, {{"folder", "/missing"}}, "folder", "Specified folder does not exist.  Please correct."},
        {24,
         41,
         {{"saver", "2"}, {"saverMinutes", "61"}},
         "saverMinutes",
         "Invalid minutes specified. Value must be between 1 and 60. Please correct."},
        {10,
         26,
         {{"reminder", "x"}, {"notify", "1"}, {"reminderWave", "/x.wav"}},
         "reminderWave",
         "Specified WAV file does not exist.  Please correct."},
        {11,
         49,
         {{"fileAction", "3"}, {"filePath", "/data/notes.txt"}},
         "newName",
         "No new file name specified.  Please correct."},
        {25, 50, {}, "menuMacros", "No macros have been selected for the menu. Please correct."},
        {7,
         60,
         {{"captureKeys", "0"}, {"captureMouse", "0"}},
         "captureMouse",
         "You must capture either keystrokes, mouse or both."},
        {28,
         66,
         {{"prefix", "a~"}},
         "prefix",
         "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & "
         "_ = "
         "< > ? . ; , * - / +"},
    };
    for (const Refusal& rc : cases) {
        SCOPED_TRACE("wizard " + std::to_string(rc.wizard) + " screen " + std::to_string(rc.screen));
        Outcome o = checkScreen(
            rc.wizard, rc.screen,
            [&] {
                WizardAnswers a;
                for (const auto& [k, v] : rc.answers) a.set(k, v);
                return a;
            }(),
            fx.env);
        EXPECT_FALSE(o.accepted);
        EXPECT_EQ(o.failure.field, rc.field);
        EXPECT_EQ(o.failure.message, rc.message);
        EXPECT_EQ(o.failure.title, "Error");
    }
}

TEST_F(Wizard, ScheduleDetailsAreChecked) {
    const LocalTime today{2026, 6, 10, 9, 30, 0, 0, 3};
    struct Case {
        std::map<std::string, std::string> answers;
        std::string field, message;
    };
    const std::vector<Case> cases = {
        {{{"schedKind", "1"}, {"hour", "13"}}, "hour", "Invalid hour specified."},
        {{{"schedKind", "1"}, {"hour", "1"}, {"minute", "0"}, {"year", "2028"}, {"month", "2"}, {"day", "30"}},
         "day",
         "Invalid day of month specified."},
        {{{"schedKind", "1"}, {"hour", "1"}, {"minute", "0"}, {"year", "2026"}, {"month", "5"}, {"day", "30"}},
         "month",
         "Specified date has already elapsed."},
        {{{"schedKind", "1"}, {"hour", "1"}, {"minute", "0"}, {"year", "2026"}, {"month", "6"}, {"day", "9"}},
         "day",
         "Specified date has already elapsed."},
        {{{"schedKind", "2"}, {"hourlyMinute", "60"}}, "hourlyMinute", "Invalid minutes specified."},
        {{{"schedKind", "5"}, {"hour", "1"}, {"minute", "5"}, {"day", "32"}}, "day", "Invalid day of month specified."},
        {{{"schedKind", "6"}, {"interval", "721"}},
         "interval",
         "Invalid minutes specified.  Must be between 1 and 720."},
        {{{"schedKind", "7"}, {"interval", "0"}}, "interval", "Invalid minutes specified.  Must be between 1 and 90."},
    };
    for (const Case& c : cases) {
        WizardAnswers a;
        for (const auto& [k, v] : c.answers) a.set(k, v);
        const Outcome o = checkSchedule(a, today);
        EXPECT_FALSE(o.accepted) << c.message;
        EXPECT_EQ(o.failure.field, c.field);
        EXPECT_EQ(o.failure.message, c.message);
    }
    WizardAnswers leap;
    for (const auto& [k, v] : std::map<std::string, std::string>{
             {"schedKind", "1"}, {"hour", "1"}, {"minute", "0"}, {"year", "2028"}, {"month", "2"}, {"day", "29"}})
        leap.set(k, v);
    EXPECT_TRUE(checkSchedule(leap, today).accepted);
}

TEST_F(Wizard, ReminderIsATimedMacroNamedAfterItsText) {
    WizardFlow flow(10, file, fx.env);
    const TMacroRecord r = walk(flow, {{26, {{"reminder", "Call the dentist"}, {"deleteAfter", "1"}}},
                                       {3, {{"schedKind", "3"}, {"hour", "9"}, {"minute", "15"}, {"pm", "0"}}}});
    EXPECT_EQ(r.NickName, "Call the d");
    EXPECT_EQ(r.MacroText, "<BEEP><TBOX:<HEAD:Reminder>Call the dentist><MACDEL:Call the d>");
    EXPECT_EQ(r.HotKeyCode, kCodeTimed);
    EXPECT_EQ(r.ScheduleKind, 3);
    EXPECT_EQ(r.ScheduleHour, 9);
    EXPECT_EQ(r.ScheduleMinute, 15);
    EXPECT_EQ(r.SchedulePM, 0);
    EXPECT_EQ(r.Active, 1);
    EXPECT_EQ(r.TopMostOnly, 1);
}

TEST_F(Wizard, GlobalHotKeyConflictAsksAndMovesTheScope) {
    const int ctrlA = hotKey("Ctrl+A"), ctrlB = hotKey("Ctrl+B");
    file.macros = {macro(static_cast<std::int16_t>(ctrlA), kScopeGlobal),
                   macro(static_cast<std::int16_t>(ctrlA), kScopeWindow)};
    WizardFlow flow(9, file, fx.env);
    EXPECT_EQ(flow.hotKeyList()[static_cast<std::size_t>(ctrlA)], "Ctrl+A  (2 macros in use)");
    EXPECT_EQ(flow.hotKeyList()[static_cast<std::size_t>(ctrlB)], "Ctrl+B  (Not in Use)");
    advanceTo(flow, 3);
    Outcome none = flow.next();
    EXPECT_EQ(none.failure.message, "A hot key has not been selected. Please select one.");

    flow.answers().set("hotkey", std::to_string(ctrlA));
    fx.prompt.queueAnswer(PromptAnswer::No);
    Outcome declined = flow.next();
    EXPECT_FALSE(declined.accepted);
    EXPECT_EQ(declined.failure.message, "");
    EXPECT_EQ(flow.screen(), 3);
    ASSERT_EQ(fx.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.prompt.shown()[0].title, "Warning");
    EXPECT_EQ(fx.prompt.shown()[0].text,
              "A Global Macro already exists for this Hot Key combination. You will not be able to make this macro "
              "\"Global\".  Do you wish to continue?");

    fx.prompt.queueAnswer(PromptAnswer::Yes);
    ASSERT_TRUE(flow.next().accepted);
    EXPECT_FALSE(flow.globalAllowed());
    EXPECT_EQ(flow.answers().index("scope"), kOneWindow);
    EXPECT_EQ(flow.screen(), 7);
    ASSERT_TRUE(flow.back());
    flow.answers().set("hotkey", std::to_string(ctrlB));
    ASSERT_TRUE(flow.next().accepted);
    EXPECT_TRUE(flow.globalAllowed());

    // The wizards whose macros must be Global refuse instead of asking.
    WizardFlow menu(25, file, fx.env);
    menu.answers().set("menuMacros", "1");
    advanceTo(menu, 3);
    menu.answers().set("hotkey", std::to_string(ctrlA));
    EXPECT_EQ(
        menu.next().failure.message,
        "A Global Macro already exists for this Hot Key combination. Popup Menus can only be assigned on a global "
        "basis.");
}

TEST_F(Wizard, ReservedHotKeyAsksBeforeFinishing) {
    const int winD = hotKey("Win+D");
    ASSERT_GE(winD, 0);
    EXPECT_TRUE(isReservedHotKey(winD));
    EXPECT_FALSE(isReservedHotKey(hotKey("Ctrl+A")));
    WizardFlow flow(9, file, fx.env);
    flow.answers().set("hotkey", std::to_string(winD));
    flow.answers().set("nickname", "n");
    advanceTo(flow, 10);
    fx.prompt.queueAnswer(PromptAnswer::No);
    EXPECT_FALSE(flow.next().accepted);
    EXPECT_FALSE(flow.finished());
    EXPECT_EQ(flow.screen(), 10);
    EXPECT_EQ(fx.prompt.shown().back().text,
              "Win+D may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to function "
              "correctly. Would you still like to use Win+D?");
    fx.prompt.queueAnswer(PromptAnswer::Yes);
    ASSERT_TRUE(flow.next().accepted);
    EXPECT_EQ(flow.result().record->HotKeyCode, winD);
}

TEST_F(Wizard, ScopeAndWindowActivationFillTheWindowTitle) {
    WizardFlow program(9, file, fx.env);
    TMacroRecord r = walk(program, {{2, {{"activation", "1"}}},
                                    {3, {{"shortkey", "abcdefghijkl"}}},
                                    {7, {{"scope", "1"}}},
                                    {8, {{"programBy", "0"}, {"programName", " gedit "}}},
                                    {10, {{"nickname", "n"}}}});
    EXPECT_EQ(r.Scope, kScopeProgram);
    EXPECT_EQ(r.WindowTitle, "gedit");
    EXPECT_EQ(r.ShortKeyText, "abcdefghij");

    WizardFlow window(9, file, fx.env);
    r = walk(
        window,
        {{2, {{"activation", "4"}}}, {37, {{"activationTitle", " Untitled - Notes "}}}, {10, {{"nickname", "w"}}}});
    EXPECT_EQ(r.HotKeyCode, kCodeWindowTitle);
    EXPECT_EQ(r.Scope, kScopeGlobal);
    EXPECT_EQ(r.WindowTitle, "Untitled - Notes");
}

TEST_F(Wizard, PopupMenuStoresItsItemsAndOptions) {
    file.macros = {macro(1, kScopeGlobal), macro(2, kScopeGlobal), macro(3, kScopeSystem), macro(4, kScopeGlobal),
                   macro(5, kScopeWindow)};
    WizardFlow flow(25, file, fx.env);
    EXPECT_EQ(flow.menuCandidates(), (std::vector<int>{1, 2, 4, 5}));
    const TMacroRecord r = walk(flow, {{1, {{"activation", "3"}}},
                                       {50, {{"menuMacros", "2,5"}}},
                                       {51, {{"menuShows", "1"}, {"iconSize", "2"}}},
                                       {52, {{"menuTray", "0"}}},
                                       {3, {{"hotkey", std::to_string(hotKey("Ctrl+M"))}}},
                                       {10, {{"nickname", "Menu"}}}});
    EXPECT_EQ(r.Scope, kScopePopupMenu);
    EXPECT_EQ(r.ShortKeyText, "N22");
    EXPECT_EQ(r.MenuItems, (std::vector<std::int16_t>{2, 5}));
    EXPECT_EQ(r.HotKeyCode, hotKey("Ctrl+M"));
    EXPECT_FALSE(flow.result().rebuildTrayMenus);
    // The record survives its stored form.
    EXPECT_EQ(decodeRecord(encodeRecord(r)).MenuItems, r.MenuItems);
}

TEST_F(Wizard, JoiningAPopupMenuIsReported) {
    file.macros = {macro(1, kScopePopupMenu, "menu")};
    WizardFlow flow(9, file, fx.env);
    walk(flow, {{2, {{"activation", "3"}}}, {9, {{"addToMenu", "1"}, {"menu", "1"}}}, {10, {{"nickname", "n"}}}});
    EXPECT_EQ(flow.result().joinMenu, 1);
    WizardFlow missing(9, file, fx.env);
    missing.answers().set("activation", "3");
    advanceTo(missing, 9);
    missing.answers().set("addToMenu", "1");
    EXPECT_EQ(missing.next().failure.message, "No popup macro has been selected. Please select one.");
}

TEST_F(Wizard, CaptureWizardHandsOverItsRecordingOptions) {
    fx.settings.CaptureTime = false;
    WizardFlow flow(7, file, fx.env);
    EXPECT_EQ(flow.answers().index("speed"), 0);
    const TMacroRecord r = walk(flow, {{59, {{"doubleAlt", "1"}}},
                                       {60, {{"captureMouse", "1"}, {"relative", "1"}, {"clicksOnly", "0"}}},
                                       {61, {{"speed", "5"}}},
                                       {3, {{"hotkey", std::to_string(hotKey("Ctrl+Q"))}}},
                                       {10, {{"nickname", "cap"}}},
                                       {62, {{"captureWindow", "Editor"}, {"programOnly", "1"}}}});
    EXPECT_EQ(r.HotKeyCode, hotKey("Ctrl+Q"));
    EXPECT_EQ(r.Scope, kScopeGlobal);
    ASSERT_TRUE(flow.result().capture);
    const CaptureSetup& c = *flow.result().capture;
    EXPECT_EQ(c.relativeTo, 2);
    EXPECT_FALSE(c.clicksOnly);
    EXPECT_TRUE(c.timing);
    EXPECT_EQ(c.speed, 2);  // half speed
    EXPECT_TRUE(c.doubleAlt);
    EXPECT_EQ(c.windowTitle, "Editor");
    EXPECT_TRUE(c.programOnly);
}

TEST_F(Wizard, SingleCommandWizardOpensTheChosenDialogAndForgetsAnOlderChoice) {
    WizardFlow flow(27, file, fx.env);
    advanceTo(flow, 53);
    flow.answers().set("category", "2");
    advanceTo(flow, 56);
    flow.answers().set("command2", "2");
    advanceTo(flow, 58);
    ASSERT_NE(flow.chosenCommand(), nullptr);
    EXPECT_EQ(flow.chosenCommand()->dialog, "TDoWebStuff");
    EXPECT_EQ(flow.chosenCommand()->mode, "ftp");
    flow.setCommandText("<FTP:host/file>");
    ASSERT_TRUE(flow.back());
    ASSERT_TRUE(flow.back());
    flow.answers().set("category", "3");
    advanceTo(flow, 57);
    flow.answers().set("command3", "5");
    advanceTo(flow, 58);
    EXPECT_EQ(flow.chosenCommand()->dialog, "TDoSpeed");
    EXPECT_EQ(flow.next().failure.message, "A macro command has not been chosen yet.");
    flow.setCommandText("<SPEED:00002>");
    const TMacroRecord r = walk(flow, {{2, {{"activation", "3"}}}, {10, {{"nickname", "slow"}}}});
    EXPECT_EQ(r.MacroText, "<SPEED:00002>");
}

TEST_F(Wizard, SweepstakesWizardRecordsOnLeavingItsSecondScreenAndWritesTheRecording) {
    WizardFlow flow(18, file, fx.env);
    advanceTo(flow, 72);
    EXPECT_TRUE(flow.recordsKeys());
    // No recording (or an empty one) makes no macro.
    EXPECT_EQ(flow.next().failure.message,
              "Nothing has been recorded. Press \"Next >\" and fill in the entry form again.");
    EXPECT_EQ(flow.screen(), 72);
    flow.setRecording("name<TAB>mail");
    const TMacroRecord r = walk(flow, {{2, {{"activation", "3"}}}, {10, {{"nickname", "s"}}}});
    EXPECT_EQ(r.MacroText, "<SPKEY:0050>name<TAB>mail<SPACE>");
    EXPECT_EQ(flow.screen(), 73);
    EXPECT_FALSE(flow.recordsKeys());
    // A long recording comes as its overflow file's reference.
    EXPECT_EQ(sweepstakesText("<TFILE:/p/OR0.TXT>"), "<SPKEY:0050><TFILE:/p/OR0.TXT><SPACE>");
}

TEST_F(Wizard, FirstTimeSetUpStoresSettingsAndNoMacro) {
    fx.settings.BypassWizardScreen = true;
    fx.settings.UseHide = true;
    WizardFlow flow(28, file, fx.env);
    EXPECT_EQ(flow.screen(), 65);
    walk(flow, {{65, {{"dontShow", "0"}}},
                {66, {{"usePrefix", "1"}, {"prefix", ";;x"}, {"caseSensitive", "0"}, {"solitary", "1"}}},
                {67, {{"relative", "2"}, {"setSpeed", "3"}, {"timing", "1"}}},
                {68, {{"networkMode", "1"}, {"tray", "1"}}},
                {69, {{"sample2", "1"}, {"sample9", "1"}}}});
    EXPECT_FALSE(flow.result().record);
    EXPECT_EQ(flow.result().sampleWizards, (std::vector<int>{6, 15}));
    const TAppSettings& s = fx.settings;
    EXPECT_FALSE(s.UseSuffix);
    EXPECT_EQ(s.PrefixKeys, ";;");
    EXPECT_FALSE(s.CaseSensitive);
    EXPECT_TRUE(s.SolitaryUsage);
    EXPECT_EQ(s.CaptureRelativeTo, 3);
    EXPECT_EQ(s.CaptureSpeed, 4);
    EXPECT_TRUE(s.NetworkMode && s.AutoSync);
    EXPECT_EQ(s.SyncMinutes, 10);
    EXPECT_TRUE(s.UseTray);
    EXPECT_FALSE(s.UseHide);
    EXPECT_TRUE(s.FirstUse);  // shown again at the next start
}

}  // namespace
}  // namespace orv::wiz
