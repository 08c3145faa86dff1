// The file questions answered by the real file system, with Windows-1252 path text.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dialog_files.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

TEST(FileSystemDialogFiles, TellsFilesFromFoldersAndReadsWindows1252Names) {
    test::TempDir dir;
    test::writeFile(dir.file("notes.txt"), "x");
    test::writeFile(dir.file("caf\xC3\xA9.txt"), "x");  // "café.txt" as the file system holds it
    std::filesystem::create_directory(dir.path() / "sub");

    FileSystemDialogFiles files;
    const std::string base = dir.path().string();
    EXPECT_TRUE(files.fileExists(base + "/notes.txt"));
    EXPECT_TRUE(files.fileExists(base + "/caf\xE9.txt"));
    EXPECT_FALSE(files.fileExists(base + "/sub"));
    EXPECT_FALSE(files.fileExists(base + "/missing.txt"));
    EXPECT_FALSE(files.fileExists(""));

    EXPECT_TRUE(files.canEnterFolder(base + "/sub"));
    EXPECT_TRUE(files.canEnterFolder(base + "/sub/"));
    EXPECT_FALSE(files.canEnterFolder(base + "/notes.txt"));
    EXPECT_FALSE(files.canEnterFolder(base + "/none"));
    EXPECT_EQ(files.shortPath(base + "/notes.txt"), base + "/notes.txt");
}

}  // namespace
}  // namespace orv
