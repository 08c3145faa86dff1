#include "remap/remap_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace orv::remap {
namespace {

// The identity record, byte for byte: upper case, lower case, digits, punctuation.
const std::string kIdentity =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";

TEST(RemapTablesTest, IdentityRecordAndLookups) {
    const RemapTables identity;
    ASSERT_EQ(kIdentity.size(), kTableSize);
    EXPECT_EQ(std::string(identity.bytes().begin(), identity.bytes().end()), kIdentity);
    EXPECT_FALSE(identity.SwapsInUse());
    EXPECT_EQ(RemapTables::indexOf('A'), 0u);
    EXPECT_EQ(RemapTables::indexOf('a'), 26u);
    EXPECT_EQ(RemapTables::indexOf('0'), 52u);
    EXPECT_EQ(RemapTables::indexOf(' '), 62u);
    EXPECT_EQ(RemapTables::indexOf('~'), 92u);
    EXPECT_EQ(RemapTables::indexOf('{'), std::nullopt);
    EXPECT_EQ(RemapTables::indexOf('|'), std::nullopt);
    EXPECT_EQ(RemapTables::indexOf('\0'), std::nullopt);
}

TEST(RemapTablesTest, InUseFollowsEntriesAndRejectsControlCodes) {
    RemapTables tables;
    const std::size_t a = *RemapTables::indexOf('a');
    ASSERT_TRUE(tables.set(a, 'b'));
    EXPECT_TRUE(tables.SwapsInUse());
    EXPECT_EQ(tables.remappings(), (std::vector<Remapping>{{'a', 'b'}}));
    ASSERT_TRUE(tables.set(a, 'a'));
    EXPECT_FALSE(tables.SwapsInUse());
    ASSERT_TRUE(tables.set(a, kDisabled));
    EXPECT_EQ(tables.remappings(), (std::vector<Remapping>{{'a', 0}}));
    for (int code : {1, 9, 31}) EXPECT_FALSE(tables.set(a, static_cast<std::uint8_t>(code))) << code;
    EXPECT_TRUE(tables.set(a, 255));
    EXPECT_FALSE(tables.set(kTableSize, 'x'));
}

TEST(RemapFileTest, PathNeverTheMacroFile) {
    test::TempDir dir;
    const struct {
        std::string macro, swap;
    } cases[] = {
        {"/m/WORK.ORV", "/m/WORK.ORS"},
        {"/m/work.orv", "/m/work.ORS"},
        {"/m/work.Orv", "/m/work.ORS"},
        {"/m/WORK", "/m/WORK.ORS"},
        {"/m/WORK.TXT", "/m/WORK.TXT.ORS"},
        {"/m/WORK.ORS", "/m/WORK.ORS.ORS"},
        {"ORV", "ORV.ORS"},
        {".ORV", ".ORS"},
    };
    for (const auto& c : cases) EXPECT_EQ(swapFilePath(c.macro), c.swap) << c.macro;

    // A remap path that is a link to the macro file itself is not used.
    const std::string macro = dir.file("LINKED.ORV");
    test::writeFile(macro, "macros");
    std::filesystem::create_symlink(macro, dir.file("LINKED.ORS"));
    EXPECT_EQ(swapFilePath(macro), dir.file("LINKED.ORS.ORS"));
}

TEST(RemapFileTest, NewMacroFileGetsTheIdentityRecord) {
    test::TempDir dir;
    RemapTables tables;
    ASSERT_TRUE(tables.set(0, 'Z'));
    std::string swapPath;
    const LoadResult result = GetSwapFile(dir.file("NEW.ORV"), tables, swapPath);
    EXPECT_EQ(result.kind, LoadResult::Kind::Missing);
    EXPECT_EQ(swapPath, dir.file("NEW.ORS"));
    EXPECT_EQ(tables, RemapTables());
    EXPECT_EQ(test::readFile(swapPath), kIdentity);
}

TEST(RemapFileTest, SaveThenLoadKeepsEveryGroup) {
    test::TempDir dir;
    RemapTables tables;
    for (char typed : {'A', 'a', '5', '~'}) ASSERT_TRUE(tables.set(*RemapTables::indexOf(typed), 0xE9));
    ASSERT_TRUE(tables.set(*RemapTables::indexOf('q'), kDisabled));
    const std::string path = dir.file("T.ORS");
    ASSERT_TRUE(SaveSwapKeys(path, tables));

    std::string expected = kIdentity;
    for (std::size_t i : {0u, 26u, 57u, 92u}) expected[i] = '\xE9';
    expected[26 + 'q' - 'a'] = '\0';
    EXPECT_EQ(test::readFile(path), expected);

    RemapTables loaded;
    EXPECT_EQ(LoadSwapKeys(path, loaded).kind, LoadResult::Kind::Loaded);
    EXPECT_EQ(loaded, tables);
}

TEST(RemapFileTest, BadFilesLoadAsIdentityWhereUnreadable) {
    test::TempDir dir;
    std::string swapTailed = kIdentity;
    swapTailed[0] = 'B';
    std::string controls = kIdentity;
    controls[1] = '\x07';
    controls[27] = '\x1f';
    controls[2] = 'Q';
    const struct {
        std::string bytes;
        std::string expectedHead;  // the first three entries loaded
        std::string messagePart;
    } cases[] = {
        {"BA", "BAC", "shorter than 93 bytes"},
        {swapTailed + "extra", "BBC", "longer than 93 bytes"},
        {controls, "ABQ", "2 entries out of range"},
        {"", "ABC", "shorter than 93 bytes"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("BAD.ORS");
        test::writeFile(path, c.bytes);
        RemapTables tables;
        ASSERT_TRUE(tables.set(5, 'x'));
        const LoadResult result = LoadSwapKeys(path, tables);
        EXPECT_EQ(result.kind, LoadResult::Kind::Repaired) << c.messagePart;
        EXPECT_NE(result.message.find(c.messagePart), std::string::npos) << result.message;
        EXPECT_EQ(std::string(tables.bytes().begin(), tables.bytes().begin() + 3), c.expectedHead);
        EXPECT_EQ(tables.at(5), 'F') << "entries the file does not hold are identity";
        EXPECT_EQ(test::readFile(path), c.bytes) << "loading never rewrites the file";
    }
}

TEST(RemapFileTest, UnopenableFileIsLeftAloneAndNotReplaced) {
    test::TempDir dir;
    const std::string macro = dir.file("M.ORV");
    std::filesystem::create_directory(dir.file("M.ORS"));  // cannot be read as a file
    RemapTables tables;
    ASSERT_TRUE(tables.set(0, 'Z'));
    std::string swapPath;
    EXPECT_EQ(GetSwapFile(macro, tables, swapPath).kind, LoadResult::Kind::Unreadable);
    EXPECT_EQ(tables, RemapTables()) << "another file's tables are not carried over";
    EXPECT_TRUE(std::filesystem::is_directory(swapPath));
    EXPECT_FALSE(SaveSwapKeys(swapPath, tables));
}

}  // namespace
}  // namespace orv::remap
