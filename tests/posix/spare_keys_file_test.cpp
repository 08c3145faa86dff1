// The spare-keys recovery file: only this user's own file is believed, and writing it never
// follows a link.
#include "platform/x11/spare_keys_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/other_user.h"
#include "support/temp_dir.h"

namespace orv::x11 {
namespace {

TEST(SpareKeysFile, NamesTheKeycodesUntilReplaced) {
    test::TempDir dir;
    const std::string path = spareKeysPath(dir.path().string(), ":1.0");
    EXPECT_EQ(path, dir.file("orvanta-spare-keys-" + std::to_string(::geteuid()) + "-_1.0"));
    EXPECT_TRUE(readSpareKeys(path).empty());
    ASSERT_TRUE(writeSpareKeys(path, {8, 93, 255}));
    EXPECT_EQ(readSpareKeys(path), (std::vector<int>{8, 93, 255}));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SpareKeysFile, WritingReplacesALinkAndLeavesItsTargetAlone) {
    test::TempDir dir;
    const std::string victim = dir.file("victim");
    test::writeFile(victim, "precious");
    const std::string path = spareKeysPath(dir.path().string(), ":0");
    ASSERT_EQ(::symlink(victim.c_str(), path.c_str()), 0);
    EXPECT_TRUE(readSpareKeys(path).empty()) << "read through a link";
    ASSERT_TRUE(writeSpareKeys(path, {200}));
    EXPECT_EQ(test::readFile(victim), "precious");
    EXPECT_EQ(readSpareKeys(path), std::vector<int>{200});
}

// A file that names the Return key (36), made by someone else or writable by others, would
// empty that key at the next start.
TEST(SpareKeysFile, AFileOthersCouldHaveWrittenIsNotBelieved) {
    test::TempDir dir;
    const std::string path = spareKeysPath(dir.path().string(), ":0");
    test::writeFile(path, "36\n");
    ::chmod(path.c_str(), 0622);
    EXPECT_TRUE(readSpareKeys(path).empty());
    if (!test::canActAsOtherUser()) GTEST_SKIP() << test::kNeedsRoot;
    ::chmod(path.c_str(), 0600);
    ASSERT_EQ(::chown(path.c_str(), test::kOtherUid, test::kOtherGid), 0);
    EXPECT_TRUE(readSpareKeys(path).empty());
}

}  // namespace
}  // namespace orv::x11
