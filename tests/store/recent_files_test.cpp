#include "store/recent_files.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(RecentFiles, OpeningAFileTakesItOutAndPutsThePreviousOnTop) {
    struct Case {
        RecentFiles before;
        const char* previous;
        const char* chosen;
        RecentFiles after;
    };
    const Case cases[] = {
        {{"a", "b", "c", "d", "e"}, "cur", "x", {"cur", "a", "b", "c", "d"}},
        {{"a", "b", "c", "d", "e"}, "cur", "a", {"cur", "b", "c", "d", "e"}},  // first in the list
        {{"a", "b", "c", "", ""}, "cur", "c", {"cur", "a", "b", "", ""}},
        {{"a", "b", "", "", ""}, "cur", "cur", {"cur", "a", "b", "", ""}},  // the current file again
        {{"A", "b", "", "", ""}, "cur", "a", {"cur", "A", "b", "", ""}},    // case-sensitive
    };
    for (const Case& c : cases) {
        RecentFiles r = c.before;
        DoLastFiles(r, c.previous, c.chosen);
        EXPECT_EQ(r, c.after) << c.chosen;
    }
}

TEST(RecentFiles, MenuShowsNonEmptyEntriesWithTheirDigit) {
    EXPECT_FALSE(SetMenuLastFiles({}).separatorVisible);
    EXPECT_TRUE(SetMenuLastFiles({}).items.empty());
    const RecentFilesMenu menu = SetMenuLastFiles({"/a.ORV", "", "/c.ORV", "", ""});
    EXPECT_TRUE(menu.separatorVisible);
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(menu.items[0].caption, "&1   /a.ORV");
    EXPECT_EQ(menu.items[1].entry, 3);
    EXPECT_EQ(menu.items[1].caption, "&3   /c.ORV");
}

}  // namespace
}  // namespace orv
