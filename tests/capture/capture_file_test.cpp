#include "capture/capture_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "capture/capture_session.h"
#include "support/temp_dir.h"

namespace orv::capture {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string captureOf(const test::TempDir& dir, std::size_t bytes, std::uintmax_t limit = kMaxInlineCapture) {
    auto created = CaptureFile::create(dir.path().string());
    auto& file = std::get<CaptureFile>(created);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(file.append(std::string(bytes, 'x'))));
    file.close();
    auto finished = finishCaptureFile(dir.path().string(), limit);
    EXPECT_TRUE(std::holds_alternative<std::string>(finished));
    return std::get<std::string>(finished);
}

TEST(CaptureFileTest, UpTo5000BytesInlineLongerToTheFirstFreeOverflowFile) {
    const test::TempDir dir;
    const std::string capture = dir.file("TempCap.Txt");

    EXPECT_EQ(captureOf(dir, 5000), std::string(5000, 'x'));
    EXPECT_FALSE(std::filesystem::exists(capture));

    EXPECT_EQ(captureOf(dir, 5001), "<TFILE:" + dir.file("OR0.TXT") + ">");
    EXPECT_EQ(readAll(dir.file("OR0.TXT")), std::string(5001, 'x'));
    EXPECT_FALSE(std::filesystem::exists(capture));

    // OR0.TXT exists (and OR2.TXT too, a gap is filled): the next goes to OR1.TXT, nothing replaced.
    writeFile(dir.file("OR2.TXT"), "keep");
    EXPECT_EQ(captureOf(dir, 6000), "<TFILE:" + dir.file("OR1.TXT") + ">");
    EXPECT_EQ(readAll(dir.file("OR0.TXT")).size(), 5001u);
    EXPECT_EQ(readAll(dir.file("OR2.TXT")), "keep");
    EXPECT_EQ(captureOf(dir, 5001), "<TFILE:" + dir.file("OR3.TXT") + ">");
    // A caller's own limit (the sweepstakes recording keeps room for its tags).
    EXPECT_EQ(captureOf(dir, 4980, 4980), std::string(4980, 'x'));
    EXPECT_EQ(captureOf(dir, 4981, 4980), "<TFILE:" + dir.file("OR4.TXT") + ">");
}

TEST(CaptureFileTest, CreateEmptiesALeftoverAndEachAppendReachesTheFileAtOnce) {
    const test::TempDir dir;
    writeFile(dir.file("TempCap.Txt"), "old capture");
    auto created = CaptureFile::create(dir.path().string());
    auto& file = std::get<CaptureFile>(created);
    EXPECT_EQ(readAll(file.path()), "");
    ASSERT_TRUE(std::holds_alternative<std::monostate>(file.append("ab")));
    EXPECT_EQ(readAll(file.path()), "ab");  // no buffer in between: a crash loses nothing
    EXPECT_EQ(file.size(), 2u);
}

TEST(CaptureFileTest, FailuresAreReportedAndKeepTheCapture) {
    const test::TempDir dir;
    // No folder to create the file in.
    auto missing = CaptureFile::create(dir.file("no/such"));
    ASSERT_TRUE(std::holds_alternative<CaptureFileError>(missing));
    EXPECT_NE(std::get<CaptureFileError>(missing).message.find("TempCap.Txt"), std::string::npos);
    // Nothing to finish.
    EXPECT_TRUE(std::holds_alternative<CaptureFileError>(finishCaptureFile(dir.path().string())));

    // A full disk: what fitted stays, and the error says so.
    if (std::filesystem::exists("/dev/full")) {
        std::filesystem::create_symlink("/dev/full", dir.file("TempCap.Txt"));
        auto created = CaptureFile::create(dir.path().string());
        auto& file = std::get<CaptureFile>(created);
        auto written = file.append("abc");
        ASSERT_TRUE(std::holds_alternative<CaptureFileError>(written));
        EXPECT_TRUE(std::get<CaptureFileError>(written).diskFull);
    }
}

}  // namespace
}  // namespace orv::capture
