#include "capture/capture_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/hotkey_codes.h"
#include "support/temp_dir.h"

namespace orv::capture {
namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CaptureSession::Settings settingsIn(const test::TempDir& dir, int speed, bool timing) {
    CaptureSession::Settings s;
    s.folder = dir.path().string();
    s.options.timing = timing;
    s.speed = speed;
    s.macroIndex = 7;
    return s;
}

TEST(CaptureSessionTest, QuickCaptureRefusalsInOrder) {
    EXPECT_STREQ(quickCaptureRefusal(true, true, 500), kBrowseModeRefusal);
    EXPECT_STREQ(quickCaptureRefusal(false, true, 500), kCaptureRunningRefusal);
    EXPECT_STREQ(quickCaptureRefusal(false, false, 500), kMacroLimitRefusal);
    EXPECT_EQ(quickCaptureRefusal(false, false, 499), nullptr);

    const TMacroRecord placeholder = capturePlaceholder();
    EXPECT_EQ(placeholder.NickName, "Capture");
    EXPECT_EQ(placeholder.ShortKeyText, "capture");
    EXPECT_EQ(placeholder.HotKeyCode, 20000);
    EXPECT_EQ(placeholder.Scope, 1);
    EXPECT_EQ(placeholder.TopMostOnly, 1);
    EXPECT_TRUE(isUnfinishedPlaceholder(placeholder));
    TMacroRecord finished = placeholder;
    finished.MacroText = "abc";
    EXPECT_FALSE(isUnfinishedPlaceholder(finished));
}

TEST(CaptureSessionTest, SpeedTagFirstTextRecordedAndASecondEndIgnored) {
    const test::TempDir dir;
    CaptureSession session;
    EXPECT_FALSE(session.end(7));  // never started
    EXPECT_FALSE(session.record("lost"));

    ASSERT_FALSE(session.start(settingsIn(dir, 3, true)));
    EXPECT_EQ(readAll(dir.file("TempCap.Txt")), "<SPEED:00.50>");
    EXPECT_FALSE(session.record("ab"));
    EXPECT_EQ(readAll(dir.file("TempCap.Txt")), "<SPEED:00.50>ab");

    const auto ended = session.end(7);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->macroIndex, 7);
    EXPECT_EQ(std::get<std::string>(ended->text), "<SPEED:00.50>ab");
    EXPECT_FALSE(std::filesystem::exists(dir.file("TempCap.Txt")));
    EXPECT_FALSE(session.end(7));  // the guard
    EXPECT_FALSE(session.record("late"));
    EXPECT_EQ(session.state(), CaptureSession::State::Ended);

    session.reset();
    ASSERT_FALSE(session.start(settingsIn(dir, 1, false)));  // untimed: no speed tag
    EXPECT_EQ(readAll(dir.file("TempCap.Txt")), "");
}

TEST(CaptureSessionTest, AFullDiskEndsTheCaptureOnceAndKeepsTheFile) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const test::TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.file("TempCap.Txt"));
    CaptureSession session;
    ASSERT_FALSE(session.start(settingsIn(dir, 1, false)));
    const auto error = session.record("abc");
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->diskFull);
    EXPECT_FALSE(session.record("def"));  // reported once
    const auto ended = session.end(7);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(std::holds_alternative<CaptureFileError>(ended->text));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("TempCap.Txt")));  // kept for the next start
}

DecodedHotKey ctrlAKey() {
    DecodedHotKey key;
    key.virtualKey = 'A';
    key.ctrl = true;
    return key;
}

TEST(CaptureSessionTest, OptionsStopKeyAndOwnKeyInTheTable) {
    TActivationTable table;
    CaptureOptions options;
    options.origin = MouseOrigin::Window;
    options.clicksOnly = false;
    table.setU8(TActivationTable::oCaptureState2, 9);
    const int ctrlA = hotKeyCodeOf(ctrlAKey());
    ASSERT_GE(ctrlA, 0);
    writeCaptureOptions(table, options, true, 12, ctrlA, std::nullopt);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureRelativeTo), 2);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureClicksOnly), 0);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureWindowSize), 1);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureWindowSizeCopy), 1);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureState2), 0);
    EXPECT_EQ(table.i16(TActivationTable::oCaptureMacro), 12);
    EXPECT_EQ(table.i16(TActivationTable::oStopKeyVK), 'A');
    EXPECT_EQ(table.u8(TActivationTable::oStopKeyCtrl), 1);
    EXPECT_EQ(table.u8(TActivationTable::oOwnKeyValid), 0);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureStarting), 1);

    // Window size only counts with the mouse measured from the window; the own key ends it too.
    options.origin = MouseOrigin::Screen;
    writeCaptureOptions(table, options, true, 12, ctrlA, ctrlA);
    EXPECT_EQ(table.u8(TActivationTable::oCaptureWindowSize), 0);
    EXPECT_EQ(table.u8(TActivationTable::oOwnKeyValid), 1);
    EXPECT_EQ(table.i16(TActivationTable::oOwnKeyVK), 'A');
}

Completion choose(MacroType type, int code = -1, bool global = true) {
    Completion c;
    c.type = type;
    c.hotKeyCode = code;
    c.global = global;
    return c;
}
Completion named(Completion c, std::string nickname, std::string shortKey = {}) {
    c.nickname = std::move(nickname);
    c.shortKeyName = std::move(shortKey);
    return c;
}
Completion confirmed(Completion c) {
    c.reservedConfirmed = true;
    return c;
}

TEST(CaptureSessionTest, CaptureCompleteChoices) {
    using Kind = CompletionCheck::Kind;
    const auto none = [](int) { return false; };
    const auto all = [](int) { return true; };

    const struct {
        const char* name;
        Completion choice;
        bool exclusive;
        Kind kind;
        std::int16_t code;
        std::string shortKey;
        std::string nickname;
    } cases[] = {
        {"none: 30000 and the nickname typed", named(choose(MacroType::None), "  Mine "), false, Kind::Done, 30000,
         "capture", "Mine"},
        {"none without a nickname", choose(MacroType::None), false, Kind::Done, 30000, "capture", ""},
        {"a free hotkey", choose(MacroType::HotKey, 5), false, Kind::Done, 5, "capture", ""},
        {"no hotkey selected", choose(MacroType::HotKey), false, Kind::Error, 20000, "capture", "Capture"},
        {"a global hotkey taken", choose(MacroType::HotKey, 5), true, Kind::Error, 20000, "capture", "Capture"},
        {"taken but Program scope", choose(MacroType::HotKey, 5, false), true, Kind::Done, 5, "capture", ""},
        {"reserved asks", choose(MacroType::HotKey, 89), false, Kind::AskReserved, 20000, "capture", "Capture"},
        {"reserved confirmed", confirmed(choose(MacroType::HotKey, 89)), false, Kind::Done, 89, "capture", ""},
        {"shortkey trimmed and cut to 10", named(choose(MacroType::ShortKey), "", " abcdefghijkl "), false, Kind::Done,
         20000, "abcdefghij", ""},
        {"empty shortkey", named(choose(MacroType::ShortKey), "", "   "), false, Kind::Error, 20000, "capture",
         "Capture"},
    };
    for (const auto& c : cases) {
        TMacroRecord record = capturePlaceholder();
        const CompletionCheck check =
            completeCapture(c.choice, c.exclusive ? std::function<bool(int)>(all) : none, record);
        EXPECT_EQ(check.kind, c.kind) << c.name << ": " << check.message;
        EXPECT_EQ(record.HotKeyCode, c.code) << c.name;
        EXPECT_EQ(record.ShortKeyText, c.shortKey) << c.name;
        EXPECT_EQ(record.NickName, c.nickname) << c.name;
    }

    TMacroRecord record = capturePlaceholder();
    const auto asked = completeCapture(choose(MacroType::HotKey, 89), none, record);
    EXPECT_EQ(asked.message,
              "Alt+F6 may be used internally by Windows 95, 98 or NT.  This may cause the hot key not "
              "to function correctly. Would you still like to use Alt+F6?");
    Completion program = choose(MacroType::None, -1, false);
    program.foregroundProgram = std::string(40, 'p');
    completeCapture(program, none, record);
    EXPECT_EQ(record.Scope, 3);
    EXPECT_EQ(record.WindowTitle, std::string(30, 'p'));
    EXPECT_EQ(record.TopMostOnly, 1);
}

TEST(CaptureSessionTest, HotKeyUseAndMessages) {
    TActivationTable table;
    table.setMacroCount(3);
    table.setHotKeyCode(1, 5);
    table.setScope(1, 3);
    table.setHotKeyCode(2, 5);
    table.setScope(2, 2);
    table.setHotKeyCode(3, 6);
    table.setScope(3, 5);
    const auto counts = hotKeyUseCounts(table);
    EXPECT_EQ(hotKeyUseText(counts[4]), "  (Not in Use)");
    EXPECT_EQ(hotKeyUseText(counts[6]), "  (1 macro in use)");
    EXPECT_EQ(hotKeyUseText(counts[5]), "  (2 macros in use)");
    EXPECT_FALSE(exclusiveHotKey(table, 5));  // Program and Window scope share a hotkey
    EXPECT_TRUE(exclusiveHotKey(table, 6));   // a System macro's does not

    TMacroRecord shortKey;
    shortKey.HotKeyCode = 20000;
    shortKey.ShortKeyText = "sig";
    EXPECT_EQ(completionMessage(shortKey), "Orvanta 99 capture is complete for ShortKey: sig.");
    TMacroRecord hotKey;
    hotKey.HotKeyCode = 89;
    EXPECT_EQ(completionMessage(hotKey), "Orvanta 99 capture is complete for Alt+F6.");
    EXPECT_EQ(startCaptureNotice("Ctrl+F12"),
              "Orvanta 99 macro capture will now start.\n\nUse Ctrl+F12 to stop the capture.");
}

TEST(CaptureSessionTest, ALeftoverCaptureIsFoundWithItsPlaceholder) {
    const test::TempDir dir;
    std::vector<TMacroRecord> macros(3);
    macros[0] = capturePlaceholder();  // an older one that did end
    macros[0].MacroText = "done";
    macros[1] = capturePlaceholder();
    const auto read = [&macros](int j) -> std::optional<TMacroRecord> {
        return macros[static_cast<std::size_t>(j - 1)];
    };
    EXPECT_FALSE(findLeftoverCapture(dir.path().string(), 3, read));  // no capture file

    CaptureSession crashed;
    ASSERT_FALSE(crashed.start(settingsIn(dir, 4, true)));
    ASSERT_FALSE(crashed.record("abc"));
    // The program stops here; at the next start:
    const auto leftover = findLeftoverCapture(dir.path().string(), 3, read);
    ASSERT_TRUE(leftover);
    EXPECT_EQ(leftover->placeholder, 2);
    EXPECT_EQ(std::get<std::string>(leftover->text), "<SPEED:00.25>abc");
    EXPECT_FALSE(std::filesystem::exists(dir.file("TempCap.Txt")));
    EXPECT_FALSE(findLeftoverCapture(dir.path().string(), 3, read));  // handled once
}

}  // namespace
}  // namespace orv::capture
