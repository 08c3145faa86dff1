#include "platform/activation_table.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(ActivationTable, FieldsLieAtTheirByteOffsets) {
    TActivationTable t;
    ASSERT_EQ(t.bytes().size(), 19788u);
    t.setMainWindow(0x01020304);
    t.setHotKeyInUse(720, true);
    t.setCaptureOn(true);
    t.setPicker(0x0A0B0C0D, true);
    t.setMacroInUse(true);
    t.setCaptureWindowSize(true);
    t.setScope(500, 5);
    t.setWindowTitle(2, "A title longer than twenty characters");
    t.setActive(500, true);
    t.setHotKeyCode(1, 0x1234);
    t.setTopMostOnly(3, true);
    t.setMacroCount(499);
    t.setHaveShortKeys(true);
    t.setTopProgram("GEDIT");
    const std::string progs[] = {"BASH", "A-PROGRAM-NAME-LONGER-THAN-25"};
    t.setRunningPrograms(progs, 2);
    t.setIdleWatch(true);
    t.setIdleSeconds(-2);

    const auto& b = t.bytes();
    EXPECT_EQ(b[0], 0x04);
    EXPECT_EQ(b[3], 0x01);
    EXPECT_EQ(b[17 + 720], 1);
    EXPECT_EQ(b[738], 1);
    EXPECT_EQ(b[753], 0x0D);
    EXPECT_EQ(b[757], 1);
    EXPECT_EQ(b[782], 1);
    EXPECT_EQ(b[783], 1);
    EXPECT_EQ(b[799], 1);
    EXPECT_EQ(b[816 + 2 * 499], 5);
    EXPECT_EQ(b[1816 + 21], 20);  // macro 2's title: only 20 characters are kept
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1816 + 22]), 20), "A title longer than ");
    EXPECT_EQ(b[12316 + 499], 1);
    EXPECT_EQ(b[12816], 0x34);
    EXPECT_EQ(b[12817], 0x12);
    EXPECT_EQ(b[13816 + 2], 1);
    EXPECT_EQ(b[14316], 499 & 0xFF);
    EXPECT_EQ(b[14317], 499 >> 8);
    EXPECT_EQ(b[14322], 1);
    EXPECT_EQ(b[14323], 5);
    EXPECT_EQ(b[14324], 'G');
    EXPECT_EQ(b[14574], 2);
    EXPECT_EQ(b[14579], 1);
    EXPECT_EQ(b[14584], 0xFE);
    EXPECT_EQ(b[14587], 0xFF);
    EXPECT_EQ(b[14588], 4);
    EXPECT_EQ(b[14588 + 26], 25);
    EXPECT_EQ(t.RunningProgram(2), "A-PROGRAM-NAME-LONGER-THA");
    EXPECT_EQ(t.WindowTitle(2), "A title longer than ");
}

TEST(ActivationTable, UpdateGroupsCopyOnlyTheirFields) {
    TActivationTable program;
    program.setMacroCount(3);
    program.setScope(2, 3);
    program.setWindowTitle(2, "EDITOR");
    program.setHotKeyCode(3, 10);
    program.setMacroInUse(true);
    program.setHotKeyInUse(10, true);

    TActivationTable library;
    library.copyGroup(program, TableGroup::Item, 2);
    EXPECT_EQ(library.Scope(2), 3);
    EXPECT_EQ(library.WindowTitle(2), "EDITOR");
    EXPECT_EQ(library.HotKeyCode(3), 0);  // another macro's element
    EXPECT_EQ(library.MacroCount(), 0);
    EXPECT_FALSE(library.MacroInUse());
    EXPECT_FALSE(library.HotKeyInUse(10));

    library.copyGroup(program, TableGroup::InUse);
    library.copyGroup(program, TableGroup::NumKeys);
    library.copyGroup(program, TableGroup::Keys);
    EXPECT_TRUE(library.MacroInUse());
    EXPECT_EQ(library.MacroCount(), 3);
    EXPECT_TRUE(library.HotKeyInUse(10));

    library.copyGroup(program, TableGroup::Item, 501);  // out of range: ignored
}

}  // namespace
}  // namespace orv
