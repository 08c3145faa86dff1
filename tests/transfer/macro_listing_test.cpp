#include "transfer/macro_listing.h"

#include <gtest/gtest.h>

#include "platform/activation_table.h"
#include "platform/fake/fake_user_prompt.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

TMacroRecord macro(int code, int scope, const std::string& title = "", int topMost = 0) {
    TMacroRecord r;
    r.NickName = "nick";
    r.HotKeyCode = static_cast<std::int16_t>(code);
    r.Scope = static_cast<std::int16_t>(scope);
    r.WindowTitle = title;
    r.TopMostOnly = static_cast<std::uint8_t>(topMost);
    r.ShortKeyText = code == kCodeShortKey ? "sig" : "";
    r.IconName = "MAIN";
    r.MacroText = "line 1\r\nline 2";
    return r;
}

TEST(MacroListing, PrintedAndWrittenTextsOfEachKind) {
    struct Case {
        TMacroRecord record;
        PrintLine printed;
        std::string activationLine;
        std::string scopeLine;
    } cases[] = {
        {macro(kCodeNone, kScopeGlobal), {"None", "nick", "GLOBAL"}, "None", "Scope: GLOBAL"},
        {macro(kCodeWindowTitle, kScopeWindow, "Inbox", 1),
         {"Window Title", "nick", "Window: Inbox (Top Most Only)"},
         "Window Title",
         "Window: Inbox, Top Most Only"},
        {macro(kCodeTimed, kScopeProgram, "MAIL", 0),
         {"Timed Macro", "nick", "Program: MAIL (If Running)"},
         "Timed Macro",
         "Program: MAIL, If Active"},
        {macro(kCodeShortKey, kScopePopupMenu),
         {"ShortKey: sig", "nick", "Popup Menu"},
         "ShortKey: sig",
         "Scope: Popup Menu"},
        {macro(262, kScopeSystem),
         {"Ctrl+Alt+Shift+W", "nick", "SYSTEM"},
         "Hot Key: Ctrl+Alt+Shift+W",
         "Scope: SYSTEM"},
    };
    OutputChoices only;
    only.name = only.text = only.schedule = only.icon = false;
    for (const Case& c : cases) {
        const PrintLine line = printLineOf(c.record);
        EXPECT_EQ(line.activation, c.printed.activation);
        EXPECT_EQ(line.nickName, c.printed.nickName);
        EXPECT_EQ(line.scope, c.printed.scope);
        EXPECT_EQ(macroInformation({c.record}, only), c.activationLine + "\n" + c.scopeLine + "\n\n");
    }
}

TEST(MacroListing, InformationBlocksFollowTheChoices) {
    TMacroRecord timed = macro(kCodeTimed, kScopeGlobal);
    timed.ScheduleKind = 0;  // At Startup
    TMacroRecord menu = macro(kCodeNone, kScopePopupMenu);
    menu.IconName = "MENU";
    TMacroRecord system = macro(262, kScopeSystem);
    TMacroRecord custom = macro(kCodeNone, kScopeGlobal);
    custom.IconName = "star.ico";
    const std::string all = macroInformation({timed, menu, system, custom}, OutputChoices{});
    EXPECT_EQ(all,
              "Icon: (Default Icon)\nTimed Macro\nName: nick\nScope: GLOBAL\nSchedule: At Startup\n"
              "Text: line 1\nline 2\n\n"
              "Icon: (Default Menu Icon)\nNone\nName: nick\nScope: Popup Menu\n\n"
              "Icon: (None)\nHot Key: Ctrl+Alt+Shift+W\nName: nick\nScope: SYSTEM\n\n"
              "Icon: star.ico\nNone\nName: nick\nScope: GLOBAL\nText: line 1\nline 2\n\n");

    OutputChoices choices;
    EXPECT_TRUE(choices.enough());
    choices.hotKey = choices.name = choices.window = choices.text = false;
    EXPECT_FALSE(choices.enough());  // the schedule and the icon are not enough

    test::TempDir dir;
    fake::FakeUserPrompt prompt;
    timed.NickName = "caf\xe9";
    const std::string path = dir.file("INFO.TXT");
    ASSERT_TRUE(writeMacroInformation(path, {timed}, OutputChoices{}, prompt));
    EXPECT_NE(test::readFile(path).find("Name: caf\xc3\xa9\n"), std::string::npos);
    EXPECT_FALSE(writeMacroInformation(dir.file("none/INFO.TXT"), {timed}, OutputChoices{}, prompt));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title + ": " + prompt.shown()[0].text, "Error: Unable to create text file.");
}

TEST(MacroListing, ColumnsAreTheWidestTextsTimesOnePointOne) {
    const std::vector<PrintLine> lines = {{"Ctrl+A", "short", "GLOBAL"}, {"None", "a longer nickname", "SYSTEM"}};
    const PrintColumns c = measurePrintList(
        lines, [](const std::string& s) { return static_cast<int>(s.size()) * 10; },
        [](const std::string& s) { return s == "None" ? 23 : 20; });
    EXPECT_EQ(c.lineHeight, 25);       // 23 * 1.1
    EXPECT_EQ(c.activationWidth, 66);  // 60 * 1.1
    EXPECT_EQ(c.nickNameWidth, 187);   // 170 * 1.1
}

TEST(MacroListing, PagesBreakBelowTheLimitWithoutHeadingAndCopiesStartNewPages) {
    // Page 1700 x 2200: left 100, top 100, full once a line is placed below 2000.
    const PrintColumns columns{100, 300, 400};
    std::vector<PrintLine> lines(25, PrintLine{"act", "nick", "scope"});
    const auto pages = layOutPrintList("Macro File: /m/M.ORV", lines, columns, 1700, 2200, 2);
    // Lines 2..20 (y 300..2100) fill the first page: 19 macros; the other 6 go on at line 0.
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0][0].text, "Macro File: /m/M.ORV");
    EXPECT_EQ(pages[0][0].x, 100);
    EXPECT_EQ(pages[0][0].y, 100);
    EXPECT_EQ(pages[0].size(), 1 + 19 * 3);
    EXPECT_EQ(pages[0][1].y, 300);
    EXPECT_EQ(pages[0][2].x, 400);  // nickname after the activation column
    EXPECT_EQ(pages[0][3].x, 800);  // scope after both
    EXPECT_EQ(pages[0].back().y, 2100);
    EXPECT_EQ(pages[1].size(), 6u * 3);
    EXPECT_EQ(pages[1][0].y, 100);
    EXPECT_EQ(pages[1][0].text, "act");
    EXPECT_EQ(pages[2], pages[0]);  // the second copy starts on a page of its own
    EXPECT_EQ(pages[3], pages[1]);

    // A list that ends exactly where a page is full leaves no empty page behind.
    lines.resize(19);
    EXPECT_EQ(layOutPrintList("h", lines, columns, 1700, 2200, 2).size(), 2u);
    EXPECT_EQ(layOutPrintList("h", {}, columns, 1700, 2200, 1).size(), 1u);
}

}  // namespace
}  // namespace orv
