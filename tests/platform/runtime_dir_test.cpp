#include "platform/runtime_dir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/other_user.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::string ownFallback(const test::TempDir& root) {
    return root.path().string() + "/orvanta-" + std::to_string(::geteuid());
}

TEST(RuntimeDir, MakesAPrivateFallbackFolderOnce) {
    test::TempDir root;
    const RuntimeDir first = privateRuntimeDir(nullptr, root.path().string());
    ASSERT_TRUE(first.ok()) << first.error;
    EXPECT_EQ(first.path, ownFallback(root));
    EXPECT_EQ(modeOf(first.path), 0700u);
    // The next start finds it and takes it as it is.
    EXPECT_EQ(privateRuntimeDir("", root.path().string()).path, first.path);
}

TEST(RuntimeDir, TakesTheDesktopsRuntimeFolderOnlyWhenItIsPrivate) {
    test::TempDir root;
    const std::string xdg = root.file("xdg");
    fs::create_directory(xdg);
    ::chmod(xdg.c_str(), 0700);
    EXPECT_EQ(privateRuntimeDir(xdg.c_str(), root.path().string()).path, xdg);
    ::chmod(xdg.c_str(), 0755);
    EXPECT_EQ(privateRuntimeDir(xdg.c_str(), root.path().string()).path, ownFallback(root));
}

// Whatever stands where the fallback folder goes is refused, and left as it was.
TEST(RuntimeDir, RefusesAFallbackFolderThatIsNotPrivate) {
    struct Case {
        const char* what;
        void (*plant)(const std::string& path, const std::string& elsewhere);
    };
    const Case cases[] = {
        {"open to others",
         [](const std::string& p, const std::string&) {
             ::mkdir(p.c_str(), 0700);
             ::chmod(p.c_str(), 0777);  // past the umask
         }},
        {"a link to a private folder",
         [](const std::string& p, const std::string& elsewhere) {
             ::mkdir(elsewhere.c_str(), 0700);
             ::symlink(elsewhere.c_str(), p.c_str());
         }},
        {"a file", [](const std::string& p, const std::string&) { test::writeFile(p, "x"); }},
    };
    for (const Case& c : cases) {
        test::TempDir root;
        const std::string path = ownFallback(root);
        c.plant(path, root.file("elsewhere"));
        const mode_t before = modeOf(path);
        const RuntimeDir dir = privateRuntimeDir(nullptr, root.path().string());
        EXPECT_FALSE(dir.ok()) << c.what;
        EXPECT_NE(dir.error.find(path), std::string::npos) << dir.error;
        EXPECT_EQ(modeOf(path), before) << c.what;
    }
}

TEST(RuntimeDir, RefusesAFallbackFolderAnotherUserMadeFirst) {
    if (!test::canActAsOtherUser()) GTEST_SKIP() << test::kNeedsRoot;
    test::TempDir root;
    const std::string path = ownFallback(root);
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
    ASSERT_EQ(::chown(path.c_str(), test::kOtherUid, test::kOtherGid), 0);
    const RuntimeDir dir = privateRuntimeDir(nullptr, root.path().string());
    EXPECT_FALSE(dir.ok());
    EXPECT_NE(dir.error.find("belongs to another user (uid 65534)"), std::string::npos) << dir.error;
}

TEST(RuntimeDir, OpensOnlyRegularFilesOfThisUserAndNeverThroughALink) {
    test::TempDir root;
    const std::string victim = root.file("victim");
    test::writeFile(victim, "precious");
    const std::string link = root.file("link");
    ::symlink(victim.c_str(), link.c_str());
    const std::string shared = root.file("shared");
    test::writeFile(shared, "x");
    ::chmod(shared.c_str(), 0666);
    const std::string fifo = root.file("fifo");
    ::mkfifo(fifo.c_str(), 0600);
    for (const std::string& path : {link, shared, fifo}) {
        std::string error;
        EXPECT_FALSE(openPrivateFile(path, O_RDWR | O_CREAT | O_TRUNC, &error)) << path;
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
    }
    EXPECT_EQ(test::readFile(victim), "precious");
    EXPECT_EQ(test::readFile(shared), "x");

    const std::string fresh = root.file("fresh");
    UniqueFd created = openPrivateFile(fresh, O_WRONLY | O_CREAT | O_TRUNC);
    ASSERT_TRUE(created);
    EXPECT_EQ(modeOf(fresh), 0600u);
    EXPECT_EQ(::fcntl(created.get(), F_GETFL) & O_NONBLOCK, 0);
}

TEST(RuntimeDir, NeverOpensOrEmptiesAFileOfAnotherUser) {
    if (!test::canActAsOtherUser()) GTEST_SKIP() << test::kNeedsRoot;
    test::TempDir root;
    const std::string planted = root.file("planted");
    test::writeFile(planted, "36\n");
    ::chmod(planted.c_str(), 0600);
    ASSERT_EQ(::chown(planted.c_str(), test::kOtherUid, test::kOtherGid), 0);
    std::string error;
    EXPECT_FALSE(openPrivateFile(planted, O_RDWR | O_TRUNC, &error));
    EXPECT_NE(error.find("belongs to another user"), std::string::npos) << error;
    EXPECT_EQ(test::readFile(planted), "36\n");
}

}  // namespace
}  // namespace orv
