#include <gtest/gtest.h>

#include "engine/desktop_rig.h"

namespace orv::test {
namespace {

using Event = fake::FakeMouseInput::Event;

TEST(MouseCommands, ButtonsSendTheirEventsInOrder) {
    const struct {
        const char* text;
        std::vector<std::uint32_t> flags;
    } cases[] = {
        {"<LDN>", {2}},  {"<LUP>", {4}},  {"<LCLK>", {2, 4}},   {"<LDCLK>", {2, 4, 2, 4}},
        {"<RDN>", {8}},  {"<RUP>", {16}}, {"<RCLK>", {8, 16}},  {"<RDCLK>", {8, 16, 8, 16}},
        {"<MDN>", {32}}, {"<MUP>", {64}}, {"<MCLK>", {32, 64}}, {"<MDCLK>", {32, 64, 32, 64}},
    };
    for (const auto& c : cases) {
        DesktopRig rig;
        const Lines lines = rig.play(std::string(c.text) + "x");
        std::vector<Event> expected;
        for (const std::uint32_t f : c.flags) expected.push_back({f, 0, 0, 0});
        EXPECT_EQ(rig.desktop.mouse.events(), expected) << c.text;
        EXPECT_TRUE(hasLine(lines, "key down 88")) << c.text;
    }
}

TEST(MouseCommands, WheelAndMovesComputeTheirValues) {
    const struct {
        const char* text;
        Event event;
    } cases[] = {
        {"<WFW:005>", {2048, 0, 0, 600}},
        {"<WBW:003>", {2048, 0, 0, -360}},
        {"<WBW:0x3>", {2048, 0, 0, 0}},                   // not a number: 0
        {"<MMS:00512:00384>", {32769, 32767, 32767, 0}},  // 1024 x 768 screen
        {"<MMS:01024:00768>", {32769, 65535, 65535, 0}},
        {"<MMS:0012.5:0000>", {32769, 767, 0, 0}},  // y field ":0000" is not a number: 0
        {"<MMS:012.5:-0001>", {32769, 799, -85, 0}},
        {"<MMP:-0010:00000>", {32769, 5759, 4266, 0}},    // pointer at 100, 50: (90, 50)
        {"<MMW:00010:00020>", {32769, 14079, 18773, 0}},  // foreground window at 210, 200: (220, 220)
        {"<MMS:abcde:!!!!!>", {32769, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        DesktopRig rig;
        rig.desktop.mouse.setCursor({100, 50});
        fake::FakeWindowSystem::Window w;
        w.id = 5;
        w.title = "Front";
        w.rect = {210, 200, 500, 400};
        rig.desktop.windows.addWindow(w);
        rig.desktop.windows.setForeground(5);
        rig.play(std::string(c.text) + "x");
        EXPECT_EQ(rig.desktop.mouse.events(), std::vector<Event>{c.event}) << c.text;
    }
}

TEST(MouseCommands, MissingCloserIsTypedAsText) {
    for (const char* text : {"<WFW:005x", "<MMS:00512:00384x", "<SPMSE:0100x"}) {
        DesktopRig rig;
        const Lines lines = rig.play(text);
        EXPECT_TRUE(rig.desktop.mouse.events().empty()) << text;
        EXPECT_EQ(lines, typed(text)) << text;
    }
}

TEST(MouseCommands, MouseDelayIsScaledByTheSpeedFactorBeforeEveryCommand) {
    DesktopRig rig;
    rig.desktop.mouse.setCaret({300, 400});
    const Lines lines = rig.play("<SPMSE:0100><SPEED:00.50><LCLK><WFW:001><MMS:00001:00001><MMC><SPMSE:0000><LDN>");
    const Lines waits = linesStarting(lines, "wait");
    EXPECT_EQ(waits, Lines(4, "wait 50 ms"));
    const auto click = std::find(lines.begin(), lines.end(), "mouse event 2 0 0 0");
    ASSERT_NE(click, lines.begin());
    EXPECT_EQ(*(click - 1), "wait 50 ms");
    EXPECT_TRUE(hasLine(lines, "cursor set 300 400"));
}

TEST(MouseCommands, MoveToCaretWithoutCaretShowsTheErrorAndGoesOn) {
    DesktopRig rig;
    const Lines lines = rig.play("<MMC>x");
    EXPECT_EQ(messages(lines),
              (Lines{"text box \"Error\" \"Could not move the mouse to the location of the caret.\""}));
    EXPECT_TRUE(hasLine(lines, "key down 88"));
}

TEST(MouseCommands, AbsoluteValuesStayInRange) {
    EXPECT_EQ(absoluteMouseValue(512, 1024), 32767);
    EXPECT_EQ(absoluteMouseValue(99999, 0), 0);
    EXPECT_EQ(absoluteMouseValue(1e12, 1), INT32_MAX);
    EXPECT_EQ(absoluteMouseValue(-1e12, 1), INT32_MIN);
}

}  // namespace
}  // namespace orv::test
