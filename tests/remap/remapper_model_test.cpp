#include "remap/remapper_model.h"

#include <gtest/gtest.h>

namespace orv::remap {
namespace {

TEST(RemapperModelTest, CharacterGridPlacesEveryCodeFrom32To255Once) {
    EXPECT_EQ(CharacterGrid::codeAt(0, 0), 32);
    EXPECT_EQ(CharacterGrid::codeAt(7, 27), 255);
    for (int code = 32; code < 256; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        EXPECT_EQ(CharacterGrid::codeAt(CharacterGrid::row(c), CharacterGrid::column(c)), code);
    }
    EXPECT_EQ(CharacterGrid::row(0), 0) << "a disabled entry starts on the space";
    EXPECT_EQ(CharacterGrid::column(0), 0);
    EXPECT_EQ(entryText(0), "none");
    EXPECT_EQ(entryText(0xE9), "\xE9");
}

TEST(RemapperModelTest, ChangesOnlyWhenEditable) {
    RemapperModel browse(RemapTables(), true);
    EXPECT_FALSE(browse.choose(0, 'Z'));
    EXPECT_FALSE(browse.changed());
    EXPECT_EQ(browse.tables(), RemapTables());

    RemapperModel model(RemapTables(), false);
    EXPECT_FALSE(model.choose(0, 7)) << "control codes cannot be produced";
    EXPECT_FALSE(model.changed());
    EXPECT_TRUE(model.choose(0, 'Z'));
    EXPECT_TRUE(model.changed());
    EXPECT_EQ(model.tables().at(0), 'Z');
}

}  // namespace
}  // namespace orv::remap
