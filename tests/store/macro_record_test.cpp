#include "store/macro_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orv {
namespace {

// The fixture writes every field at its literal offset, independently of the codec's constants.
RecordBytes handMadeRecord() {
    RecordBytes b{};
    auto str = [&](std::size_t at, const char* s) {
        b[at] = static_cast<std::uint8_t>(std::strlen(s));
        std::memcpy(b.data() + at + 1, s, std::strlen(s));
    };
    auto u16 = [&](std::size_t at, unsigned v) {
        b[at] = static_cast<std::uint8_t>(v & 0xFF);
        b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    str(0, "Greeting");
    str(51, "Notepad");
    str(82, "grt");
    u16(93, 20000);
    u16(95, 2);
    b[97] = 1;
    std::memcpy(b.data() + 100, "Hello<TAB>World\xE9", 16);
    str(5101, "smile.ico");
    u16(5114, 4);
    for (int d = 0; d < 7; ++d) b[5116 + static_cast<std::size_t>(d)] = d % 2 == 0 ? 1 : 0;
    b[5123] = 11;
    b[5124] = 45;
    b[5125] = 2;
    b[5126] = 29;
    b[5127] = 15;
    u16(5128, 720);
    b[5130] = 7;
    u16(5131, 2024);
    b[5133] = 1;
    b[5134] = 1;
    const double modified = 45351.5;  // 2024-02-29 12:00
    std::memcpy(b.data() + 5135, &modified, 8);
    return b;
}

TEST(MacroRecord, DecodesEveryFieldAtItsOffsetAndEncodesTheSameBytes) {
    const RecordBytes bytes = handMadeRecord();
    const TMacroRecord r = decodeRecord(bytes);
    EXPECT_EQ(r.NickName, "Greeting");
    EXPECT_EQ(r.WindowTitle, "Notepad");
    EXPECT_EQ(r.ShortKeyText, "grt");
    EXPECT_EQ(r.HotKeyCode, 20000);
    EXPECT_EQ(r.Scope, 2);
    EXPECT_EQ(r.Active, 1);
    EXPECT_EQ(r.MacroText, "Hello<TAB>World\xE9");
    EXPECT_EQ(r.IconName, "smile.ico");
    EXPECT_EQ(r.ScheduleKind, 4);
    EXPECT_EQ(r.ScheduleDays, (std::array<std::uint8_t, 7>{1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(r.ScheduleHour, 11);
    EXPECT_EQ(r.ScheduleMinute, 45);
    EXPECT_EQ(r.ScheduleMonth, 2);
    EXPECT_EQ(r.ScheduleDay, 29);
    EXPECT_EQ(r.HourlyMinute, 15);
    EXPECT_EQ(r.IntervalMinutes, 720);
    EXPECT_EQ(r.ScheduleWeekday, 7);
    EXPECT_EQ(r.ScheduleYear, 2024);
    EXPECT_EQ(r.SchedulePM, 1);
    EXPECT_EQ(r.TopMostOnly, 1);
    EXPECT_DOUBLE_EQ(r.LastModified, 45351.5);
    EXPECT_EQ(encodeRecord(r), bytes);
}

TEST(MacroRecord, PopupMenuOverlayHoldsCountAndMacroNumbers) {
    TMacroRecord menu;
    menu.NickName = "Menu";
    menu.Scope = 4;
    menu.ShortKeyText = "Y23";
    menu.MenuItems = {7, 3, 500};
    menu.MacroText = "ignored for a menu";
    const RecordBytes b = encodeRecord(menu);
    const std::uint8_t expected[] = {3, 0, 7, 0, 3, 0, 0xF4, 0x01, 0};
    EXPECT_EQ(std::memcmp(b.data() + 100, expected, sizeof expected), 0);
    const TMacroRecord back = decodeRecord(b);
    EXPECT_EQ(back.MenuItems, menu.MenuItems);
    EXPECT_EQ(back.ShortKeyText, "Y23");
}

TEST(MacroRecord, OverlongFieldsAreCutAndUnusedBytesAreZero) {
    TMacroRecord r;
    r.NickName = std::string(80, 'n');
    r.WindowTitle = std::string(31, 't');
    r.MacroText = std::string(6000, 'x');
    r.IconName = "a-very-long-icon-name.ico";
    const RecordBytes b = encodeRecord(r);
    EXPECT_EQ(b[0], 50);
    EXPECT_EQ(b[51], 30);
    EXPECT_EQ(b[100 + 4999], 'x');
    EXPECT_EQ(b[100 + 5000], 0);  // the text's terminating NUL
    EXPECT_EQ(b[5101], 12);
    EXPECT_EQ(b[98], 0);
    EXPECT_EQ(b[99], 0);
    for (std::size_t i = 5143; i < 5165; ++i) EXPECT_EQ(b[i], 0) << i;
    TMacroRecord shortName;
    shortName.NickName = "ab";
    const RecordBytes s = encodeRecord(shortName);
    for (std::size_t i = 3; i < 51; ++i) EXPECT_EQ(s[i], 0) << i;
}

TEST(MacroRecord, DamagedFieldsAreReadWithinTheRecordAndReported) {
    struct Case {
        const char* what;
        void (*damage)(RecordBytes&);
        const char* problem;
        std::size_t menuItems = 0;
    };
    const Case cases[] = {
        {"nickname length", [](RecordBytes& b) { b[0] = 255; },
         "nickname length 255 is larger than its 50-character field"},
        {"icon length", [](RecordBytes& b) { b[5101] = 200; },
         "icon name length 200 is larger than its 12-character field"},
        {"text without end", [](RecordBytes& b) { std::memset(b.data() + 100, 'q', 5001); },
         "macro text has no end; cut to 5000 characters"},
        {"menu count too big",
         [](RecordBytes& b) {
             b[95] = 4;
             b[100] = 37;
             b[101] = 0;
         },
         "popup menu count 37 is more than 36; the first 36 entries are kept", 36},
        {"menu count negative",
         [](RecordBytes& b) {
             b[95] = 4;
             b[100] = 0xFF;
             b[101] = 0xFF;
         },
         "popup menu count -1 is negative"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordBytes b = handMadeRecord();
        c.damage(b);
        std::vector<std::string> problems;
        const TMacroRecord r = decodeRecord(b, &problems);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0], c.problem);
        EXPECT_LE(r.NickName.size(), 50u);
        EXPECT_LE(r.IconName.size(), 12u);
        EXPECT_LE(r.MacroText.size(), 5000u);
        EXPECT_EQ(r.MenuItems.size(), c.menuItems);
    }
}

}  // namespace
}  // namespace orv
