#include "transfer/import_source.h"

#include <gtest/gtest.h>

#include "foreign_fixtures.h"
#include "platform/activation_table.h"
#include "support/temp_dir.h"
#include "transfer/import_conversion.h"

namespace orv {
namespace {

constexpr double kNow = 45000.5;

class ImportSourceTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name);
        test::writeFile(path, bytes);
        return path;
    }
    test::TempDir dir;
};

TEST_F(ImportSourceTest, Bv2RecordBecomesAMacroFieldByField) {
    test::Bv2Fixture f;
    f.nick = "Letter head";
    f.title = "Untitled - Editor of 30 chars!";
    f.code = 5;
    f.scope = kScopeWindow;
    f.active = 0;
    const ImportSource source = readImportSource(write("a.BV2", f.bytes()), kNow);
    ASSERT_EQ(source.status, ImportSource::Status::Listed);
    ASSERT_EQ(source.entries.size(), 1u);
    EXPECT_TRUE(source.notOffered.empty());
    const ImportEntry& e = source.entries[0];
    EXPECT_EQ(e.position, 1);
    const TMacroRecord& r = e.record;
    EXPECT_EQ(r.NickName, "Letter head");
    EXPECT_EQ(r.WindowTitle, "Untitled - Editor of 30 chars!");
    EXPECT_EQ(r.HotKeyCode, 5);
    EXPECT_EQ(r.Scope, kScopeWindow);
    EXPECT_EQ(r.Active, 0);
    EXPECT_EQ(r.ShortKeyText, "");
    EXPECT_EQ(r.MacroText, "hello");
    EXPECT_EQ(r.IconName, "MAIN");
    EXPECT_EQ(r.ScheduleKind, 4);
    EXPECT_EQ(r.ScheduleDays, (std::array<std::uint8_t, 7>{1, 0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(r.ScheduleHour, 9);
    EXPECT_EQ(r.ScheduleMinute, 5);
    EXPECT_EQ(r.ScheduleMonth, 11);
    EXPECT_EQ(r.ScheduleDay, 30);
    EXPECT_EQ(r.HourlyMinute, 20);
    EXPECT_EQ(r.IntervalMinutes, 45);
    EXPECT_EQ(r.ScheduleWeekday, 3);
    EXPECT_EQ(r.ScheduleYear, 1999);
    EXPECT_EQ(r.SchedulePM, 1);
    EXPECT_EQ(r.TopMostOnly, 1);
    EXPECT_EQ(r.LastModified, kNow);
}

TEST_F(ImportSourceTest, ShkRecordBecomesAGlobalShortKeyMacroWithAFixedSchedule) {
    test::ShkFixture f;
    f.shortKey = "teh";
    f.active = 0;
    f.text = "the";
    const ImportSource source = readImportSource(write("a.shk", f.bytes()), kNow);
    ASSERT_EQ(source.entries.size(), 1u);
    TMacroRecord expected;
    expected.ShortKeyText = "teh";
    expected.HotKeyCode = kCodeShortKey;
    expected.Scope = kScopeGlobal;
    expected.MacroText = "the";
    expected.IconName = "MAIN";
    expected.ScheduleKind = 1;
    expected.ScheduleMonth = 1;
    expected.ScheduleDay = 1;
    expected.HourlyMinute = 15;
    expected.IntervalMinutes = 15;
    expected.ScheduleWeekday = 1;
    expected.ScheduleYear = 1998;
    expected.SchedulePM = 1;
    expected.TopMostOnly = 1;
    expected.LastModified = kNow;
    EXPECT_EQ(source.entries[0].record, expected);
}

TEST(ImportConversion, TextsOfTheForeignFormats) {
    struct Case {
        std::string text;
        bool paste;
        std::string bv2;
    } cases[] = {
        {"<LAUNCH> NOTEPAD.EXE", false, "<LAUNCH:NOTEPAD.EXE>"},
        {"<LAUNCH> APP.EXE<PARAM>C:\\WORK", false, "<CHDIR:C:\\WORK><LAUNCH:APP.EXE>"},
        {"<LAUNCH> NOTEPAD.EXE", true, "<LAUNCH:NOTEPAD.EXE>"},  // a launch is never pasted
        {"<LAUNCH> " + std::string(300, 'P'), false, "<LAUNCH:" + std::string(246, 'P') + ">"},
        {"<LAUNCH>", false, "<LAUNCH:>"},
        {"<LAUNCH> <PARAM>/tmp", false, "<CHDIR:/tmp><LAUNCH:>"},
        {"Dear Sir", true, "<BEGCLIP>Dear Sir<ENDCLIP><CLIPP>"},
        {"Dear Sir", false, "Dear Sir"},
        {"", true, "<BEGCLIP><ENDCLIP><CLIPP>"},
    };
    for (const Case& c : cases) EXPECT_EQ(convertBv2Text(c.text, c.paste), c.bv2) << c.text;

    test::ShkFixture shk;
    shk.paste = 1;
    std::vector<std::string> problems;
    const std::string bytes = shk.bytes();
    EXPECT_EQ(fromShk(decodeShk(reinterpret_cast<const std::uint8_t*>(bytes.data()), problems), 0).MacroText,
              "<BEGCLIP>typed<ENDCLIP><CLIPP>");
    EXPECT_TRUE(problems.empty());
}

TEST_F(ImportSourceTest, DamagedRecordsAreNamedAndTheValidOnesOffered) {
    test::Bv2Fixture good;
    test::Bv2Fixture noEnd;
    noEnd.terminated = false;
    test::Bv2Fixture system;
    system.scope = kScopeSystem;
    test::Bv2Fixture badCode;
    badCode.code = 999;
    test::Bv2Fixture tooLong;
    tooLong.text = std::string(4990, 'x');
    tooLong.paste = 1;
    std::string longTitle = good.bytes();
    longTitle[51] = 40;

    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> offered;
        std::vector<std::string> notOffered;
    } cases[] = {
        {"partial.BV2",
         good.bytes() + good.bytes() + std::string(100, 'z'),
         {1, 2},
         {"the file ends in a partial record of 100 bytes"}},
        {"noend.BV2", good.bytes() + noEnd.bytes() + good.bytes(), {1, 3}, {"record 2: macro text has no end"}},
        {"kinds.BV2",
         system.bytes() + badCode.bytes() + tooLong.bytes() + longTitle,
         {},
         {"record 1: scope 5 cannot be imported", "record 2: activation code 999 is unknown",
          "record 3: its text would be longer than 5,000 characters",
          "record 4: window title length 40 is larger than its 30-character field"}},
        {"short.BV2", std::string(5140, 'q'), {}, {"the file ends in a partial record of 5140 bytes"}},
        {"empty.SHK", "", {}, {}},
    };
    for (const Case& c : cases) {
        const std::string path = write(c.name, c.bytes);
        const ImportSource source = readImportSource(path, kNow);
        EXPECT_EQ(source.status, ImportSource::Status::Listed) << c.name;
        std::vector<int> offered;
        for (const ImportEntry& e : source.entries) offered.push_back(e.position);
        EXPECT_EQ(offered, c.offered) << c.name;
        EXPECT_EQ(source.notOffered, c.notOffered) << c.name;
        EXPECT_EQ(test::readFile(path), c.bytes) << c.name;
    }
}

TEST_F(ImportSourceTest, AFileOfMoreThan500RecordsOffersTheFirst500) {
    test::ShkFixture f;
    std::string bytes;
    for (int i = 0; i < 503; ++i) bytes += f.bytes();
    const ImportSource source = readImportSource(write("many.SHK", bytes + "xy"), kNow);
    EXPECT_EQ(source.entries.size(), 500u);
    EXPECT_EQ(source.entries.back().position, 500);
    EXPECT_EQ(source.notOffered, std::vector<std::string>{"records 501 to 503: a macro file holds at most 500 macros"});
    EXPECT_EQ(notOfferedMessage(source, "many.SHK"),
              "Some records of \"many.SHK\" cannot be imported and are not listed:\nrecords 501 to 503: a macro file "
              "holds at most 500 macros");
}

TEST_F(ImportSourceTest, MacroFilesOfferEverythingButTheSystemMacros) {
    std::string bytes;
    const auto add = [&](const std::string& nick, int scope) {
        TMacroRecord r;
        r.NickName = nick;
        r.Scope = static_cast<std::int16_t>(scope);
        r.HotKeyCode = kCodeNone;
        r.WindowTitle = scope == kScopeSystem ? "1" : "";
        r.IconName = "MAIN";
        r.LastModified = 123;
        const RecordBytes b = encodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    };
    add("Activate Orvanta", kScopeSystem);
    add("one", kScopeGlobal);
    add("menu", kScopePopupMenu);
    const ImportSource source = readImportSource(write("m.orv", bytes), kNow);
    ASSERT_EQ(source.entries.size(), 2u);
    EXPECT_EQ(source.entries[0].position, 2);
    EXPECT_EQ(source.entries[0].record.NickName, "one");
    EXPECT_EQ(source.entries[0].record.LastModified, 123);  // copied unchanged
    EXPECT_EQ(source.entries[1].position, 3);
}

TEST_F(ImportSourceTest, TypeComesFromTheNameAndUnreadableFilesAreSaidSo) {
    EXPECT_EQ(importFormatOf("/x/a.bv2"), ImportFormat::Bv2);
    EXPECT_EQ(importFormatOf("A.Shk"), ImportFormat::Shk);
    EXPECT_EQ(importFormatOf(".ORV"), ImportFormat::Orv);
    EXPECT_EQ(importFormatOf("notes.txt"), std::nullopt);
    EXPECT_EQ(importFormatOf("ORV"), std::nullopt);
    EXPECT_EQ(readImportSource(write("a.TXT", "x"), kNow).status, ImportSource::Status::WrongType);
    EXPECT_EQ(readImportSource(dir.file("missing.BV2"), kNow).status, ImportSource::Status::Unopenable);
    std::filesystem::create_directory(dir.file("folder.SHK"));
    EXPECT_EQ(readImportSource(dir.file("folder.SHK"), kNow).status, ImportSource::Status::Unopenable);
}

}  // namespace
}  // namespace orv
