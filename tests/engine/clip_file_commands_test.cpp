#include <gtest/gtest.h>

#include <filesystem>

#include "engine/date_time_formats.h"
#include "engine/date_time_text.h"
#include "engine/engine_rig.h"
#include "platform/fake/fake_file_system.h"

namespace orv::test {
namespace {

namespace fs = std::filesystem;

TEST(Clipboard, FileTextGoesOnTheClipboardWithoutItsEndMark) {
    EngineRig rig;
    writeFile(rig.dir.file("note.txt"), std::string("two\r\nlines\x1A"));
    writeFile(rig.dir.file("empty.txt"), "");
    EXPECT_EQ(rig.play("<CLIPF:note.txt>"), (Lines{"clipboard set text \"two\\x0D\\x0Alines\"", "wait 50 ms"}));
    EXPECT_EQ(rig.play("<CLIPF:empty.txt>"), (Lines{"clipboard set text \"\"", "wait 50 ms"}));
    // A file that cannot be read is skipped without a message.
    EXPECT_EQ(rig.play("<CLIPF:missing.txt>"), Lines{});
}

TEST(Clipboard, BitmapMustExist) {
    EngineRig rig;
    writeFile(rig.dir.file("pic.bmp"), "BM");
    EXPECT_EQ(rig.play("<CLIPB:pic.bmp>"), (Lines{"clipboard set bitmap \"pic.bmp\" -> ok"}));
    EXPECT_EQ(rig.play("<CLIPB:nothing.bmp>"),
              (Lines{"hide main window", "message window \"Bitmap Copy Error\" \"Bitmap could not be located.\"",
                     "show main window", "set foreground 0"}));
}

TEST(Clipboard, CopyAndPasteKeysIgnoreDelayAndPendingModifiers) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<SPKEY:0050><SHIFT><CLIPC><CLIPP>"),
              (Lines{"key down 16", "key down 17", "key down 67", "key up 67", "key up 17", "key down 17",
                     "key down 86", "key up 86", "key up 17", "wait 100 ms"}));
}

TEST(Clipboard, BlockBetweenBegclipAndEndclipIsCopiedNotPerformed) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<BEGCLIP>a<TAB>b<ENDCLIP>c"),
              join({{"clipboard set text \"a<TAB>b\"", "wait 50 ms"}, typed("c")}));
    // Without "<ENDCLIP>" the clipboard stays and interpretation goes on at the last character.
    rig.clipboard.preset("kept");
    EXPECT_EQ(rig.play("<BEGCLIP>xyz"), typed("z"));
    EXPECT_EQ(rig.clipboard.content(), "kept");
}

TEST(Clipboard, ClipTypeInterpretsTheClipboardText) {
    EngineRig rig;
    rig.clipboard.preset("Hi<ENTER>");
    EXPECT_EQ(rig.play("<CLIPTYPE>"),
              join({{"clipboard get text -> \"Hi<ENTER>\""}, typed("Hi"), {"key down 13", "key up 13"}}));
    rig.clipboard.preset("one\r\ntwo\n");
    EXPECT_EQ(rig.play("<CLIPTYPEI>"), join({{"clipboard get text -> \"one\\x0D\\x0Atwo\\x0A\""}, typed("onetwo")}));
    // A clipboard text that types the clipboard again stops at the nesting limit.
    rig.clipboard.preset("<CLIPTYPE>");
    rig.play("<CLIPTYPE>");
    EXPECT_TRUE(rig.engine.state().abortRequested);
}

TEST(Files, TfileTypesTheFileAsMacroText) {
    EngineRig rig;
    writeFile(rig.dir.file("t.txt"), std::string("ok<TAB>\x1A"));
    EXPECT_EQ(rig.play("<TFILE:t.txt>"), join({typed("ok"), {"key down 9", "key up 9"}}));
}

TEST(Files, FolderAndFileOperationsRelativeToTheCurrentDirectory) {
    EngineRig rig;
    fs::create_directory(rig.dir.path() / "sub");
    writeFile(rig.dir.file("sub/a.txt"), "A");
    rig.play("<CHDIR:sub><COPYFILE:a.txt;b.txt><RENFILE:b.txt;c.txt><DELFILE:a.txt><CHDIR:no such dir>");
    EXPECT_FALSE(fs::exists(rig.dir.path() / "sub" / "a.txt"));
    EXPECT_FALSE(fs::exists(rig.dir.path() / "sub" / "b.txt"));
    EXPECT_EQ(readFile(rig.dir.file("sub/c.txt")), "A");
    // Copy replaces an existing destination.
    writeFile(rig.dir.file("sub/d.txt"), "D");
    rig.play("<COPYFILE:d.txt;c.txt>");
    EXPECT_EQ(readFile(rig.dir.file("sub/c.txt")), "D");
}

TEST(Files, MkdirCreatesEveryMissingLevel) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<MKDIR:one/two/three>"), Lines{});
    EXPECT_TRUE(fs::is_directory(rig.dir.path() / "one" / "two" / "three"));
    const std::string absolute = rig.dir.file("x/y/");
    rig.play("<MKDIR:" + absolute + ">");
    EXPECT_TRUE(fs::is_directory(rig.dir.path() / "x" / "y"));
    // A file in the way: the first level that cannot be created is reported.
    writeFile(rig.dir.file("blocker"), "");
    EXPECT_EQ(rig.play("<MKDIR:blocker/inner/deep>"),
              (Lines{"hide main window",
                     "message window \"Create Folder Failed\" \"Folder \\\"blocker/\\\" could not be created.\"",
                     "show main window", "set foreground 0"}));
    EXPECT_FALSE(fs::exists(rig.dir.path() / "blocker" / "inner"));
}

TEST(Web, AddressesGoToTheShell) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<HTTP:http://example.com/a b><FTP:ftp.example.com>"),
              (Lines{"shell open \"\" \"http://example.com/a b\" \"\" \"\" -> 42",
                     "shell open \"\" \"ftp.example.com\" \"\" \"\" -> 42"}));
}

struct DateCase {
    const char* format;
    bool zeros;
    int dayOffset;
    const char* expected;
};

TEST(DateTime, DateFormatsOnFifthOfMarch2024) {
    const LocalTime now{2024, 3, 5, 14, 5, 9, 0, 2};
    const DateCase cases[] = {
        {"MM/DD/YY", false, 0, "3/5/24"},
        {"MM/DD/YY", true, -5, "02/29/24"},
        {"DD Mmmmm YYYY", true, 0, "05 March 2024"},
        {"YYYY-MM-DD", true, 0, "2024-03-05"},
        {"DD.MM.YY", false, 300, "30.12.24"},
        {"MMM YYYY", true, 0, "MAR 2024"},
        {"Mmm DD, YYYY", false, 0, "Mar 5, 2024"},
        {"Mmmmm DD YY", true, 30, "April 04 24"},
        {"YYMMDD", true, 0, "240305"},
        {"MMDDYYYY", false, 0, "352024"},
        {"YY", true, -365 * 20, "04"},
        {"Day of Week 1", true, 0, "Tue"},
        {"Day of Week 2", true, 1, "WED"},
        {"Day of Week 3", true, -2, "Sunday"},
        {"Day of Week 4", true, 4, "SATURDAY"},
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(formatDate(c.format, addDays(now, c.dayOffset), c.zeros), c.expected)
            << c.format << " " << c.dayOffset;
}

TEST(DateTime, TimeFormats) {
    const LocalTime afternoon{2024, 3, 5, 14, 5, 9, 0, 2};
    const LocalTime midnight{2024, 3, 5, 0, 30, 0, 0, 2};
    const LocalTime morning{2024, 3, 5, 9, 7, 3, 0, 2};
    EXPECT_EQ(formatTime("hh:mm am", afternoon, false), "2:05 pm");
    EXPECT_EQ(formatTime("hh:mm:ss", afternoon, true), "14:05:09");
    EXPECT_EQ(formatTime("hh:mma", midnight, true), "12:30a");
    EXPECT_EQ(formatTime("hh,mm,ss AM", afternoon, true), "02,05,09 PM");
    EXPECT_EQ(formatTime("hhmmss", morning, true), "090703");
    EXPECT_EQ(formatTime("hh", morning, false), "9");
    EXPECT_EQ(formatTime("mm", morning, false), "07");
    EXPECT_EQ(formatTime("hh.mm AM", morning, false), "9.07 AM");
}

TEST(DateTime, EveryFormatIsACommandThatTypesItsText) {
    EngineRig rig;
    const LocalTime now = rig.clock.now();
    for (std::string_view f : kDateFormats) {
        const std::string format(f);
        EXPECT_EQ(rig.play("<" + format + "{Y}>"), typed(formatDate(format, now, true))) << format;
        EXPECT_EQ(rig.play("<" + format + "{NF010}>"), typed(formatDate(format, addDays(now, 10), false))) << format;
    }
    for (std::string_view f : kTimeFormats) {
        const std::string format(f);
        EXPECT_EQ(rig.play("<" + format + "{N}>"), typed(formatTime(format, now, false))) << format;
    }
    // The key delay applies to each typed character.
    EXPECT_EQ(rig.play("<SPKEY:0010><hh{Y}>"), join({{"wait 10 ms"}, typed("1"), {"wait 10 ms"}, typed("4")}));
}

}  // namespace
}  // namespace orv::test

namespace orv::test {
namespace {

// The dry run's file system reads the disk but never changes it.
TEST(DryRunFiles, ChangesAreRecordedNotMade) {
    TempDir dir;
    writeFile(dir.file("keep.txt"), "K");
    fake::Transcript trace;
    fake::FakeFileSystem files(trace, dir.path().string());
    fake::FakeKeyboardInput keyboard{trace};
    fake::FakeMessagePump pump{trace};
    fake::FakePlaybackWindows windows{trace};
    fake::FakeClock clock;
    PlaybackEngine engine(
        PlaybackServices{.keyboard = keyboard, .pump = pump, .windows = windows, .clock = clock, .files = &files});
    engine.play("<MKDIR:a/b/c><CHDIR:a/b><DELFILE:../../keep.txt><COPYFILE:../../keep.txt;x><RENFILE:none;y>", false,
                0);
    EXPECT_EQ(trace.lines(),
              (Lines{"mkdir \"a\" -> ok", "mkdir \"a/b\" -> ok", "mkdir \"a/b/c\" -> ok", "chdir \"a/b\" -> ok",
                     "file delete \"../../keep.txt\" -> ok", "file copy \"../../keep.txt\" \"x\" -> ok",
                     "file rename \"none\" \"y\" -> failed"}));
    EXPECT_FALSE(fs::exists(dir.path() / "a"));
    EXPECT_EQ(readFile(dir.file("keep.txt")), "K");
}

}  // namespace
}  // namespace orv::test
