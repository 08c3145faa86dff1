#include "remap/swap_keys.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace orv::remap {
namespace {

// Notes each call as "remap a>b c>0" or "restore".
class RecordingRemapper final : public IKeyRemapper {
public:
    bool remapKeys(const std::vector<Remapping>& remappings) override {
        std::string call = "remap";
        for (const Remapping& r : remappings) call += std::string(" ") + r.typed + ">" + std::to_string(r.produced);
        calls.push_back(call);
        return true;
    }
    void restoreKeys() override { calls.push_back("restore"); }
    std::vector<std::string> calls;
};

RemapTables mapping(char typed, std::uint8_t produced) {
    RemapTables tables;
    tables.set(*RemapTables::indexOf(typed), produced);
    return tables;
}

class SwapKeysTest : public ::testing::Test {
protected:
    void writeTables(const std::string& macroFile, const RemapTables& tables) {
        ASSERT_TRUE(SaveSwapKeys(swapFilePath(macroFile), tables));
    }
    test::TempDir dir;
    RecordingRemapper remapper;
};

TEST_F(SwapKeysTest, KeysFollowTheOpenFilesTablesFromStartUpToShutdown) {
    const std::string first = dir.file("FIRST.ORV"), second = dir.file("SECOND.ORV");
    writeTables(first, mapping('a', 'b'));
    SwapKeys swap(&remapper);
    swap.GetSwapFile(first);
    EXPECT_TRUE(remapper.calls.empty()) << "nothing changes before start-up";
    swap.start();
    EXPECT_TRUE(swap.SwapsInUse());
    swap.GetSwapFile(first);  // a reload of the same tables changes nothing
    swap.GetSwapFile(second);
    EXPECT_FALSE(swap.SwapsInUse());
    EXPECT_EQ(test::readFile(swapFilePath(second)).size(), kTableSize);
    swap.GetSwapFile(first);
    swap.stop();
    EXPECT_EQ(remapper.calls, (std::vector<std::string>{"remap a>98", "restore", "remap a>98", "restore"}));
}

TEST_F(SwapKeysTest, TheRemappersChangesAreSavedAndTurnRemappingOnAndOff) {
    const std::string macro = dir.file("M.ORV");
    SwapKeys swap(&remapper);
    swap.GetSwapFile(macro);
    swap.start();
    EXPECT_TRUE(remapper.calls.empty()) << "identity tables remap nothing";

    EXPECT_TRUE(swap.setTables(mapping('q', kDisabled)));
    EXPECT_TRUE(swap.SwapsInUse());
    EXPECT_EQ(test::readFile(swap.path())[26 + 'q' - 'a'], '\0');
    swap.reapply();
    EXPECT_TRUE(swap.setTables(RemapTables()));
    EXPECT_FALSE(swap.SwapsInUse());
    swap.reapply();  // nothing to apply while off
    EXPECT_EQ(remapper.calls, (std::vector<std::string>{"remap q>0", "remap q>0", "restore"}));

    std::filesystem::remove(swap.path());
    std::filesystem::create_directory(swap.path());
    EXPECT_FALSE(swap.setTables(mapping('x', 'y'))) << "an unwritable file is reported";
    EXPECT_TRUE(swap.SwapsInUse()) << "and the tables are in use all the same";
}

}  // namespace
}  // namespace orv::remap
