#include <gtest/gtest.h>

#include "engine/command_table.h"
#include "engine/engine_rig.h"

namespace orv::test {
namespace {

Lines keys(std::initializer_list<int> events) {
    // Positive: key down; negative: key up.
    Lines out;
    for (int e : events) out.push_back(e > 0 ? "key down " + std::to_string(e) : "key up " + std::to_string(-e));
    return out;
}

struct KeyCase {
    const char* name;
    std::string text;
    Lines expected;
};

class KeyText : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyText, SendsTheseKeyEvents) {
    EngineRig rig;
    EXPECT_EQ(rig.play(GetParam().text), GetParam().expected);
}

const KeyCase kKeyCases[] = {
    {"UpperCaseNeedsShift", "A", keys({16, 65, -65, -16})},
    {"CrLfIsOneEnter", "a\r\nb", keys({65, -65, 13, -13, 66, -66})},
    {"LineFeedAloneIsCtrlEnter", "\n", keys({17, 13, -13, -17})},
    {"ShiftAppliesToNextKeyOnly", "<SHIFT>ab", keys({16, 65, -65, -16, 66, -66})},
    {"ShiftThenTab", "<SHIFT><TAB>", keys({16, 9, -9, -16})},
    {"CtrlThenFunctionKey", "<CTRL><F12>", keys({17, 123, -123, -17})},
    {"AltTwiceTogglesBack", "<ALT><ALT>a", keys({18, -18, 65, -65})},
    {"HeldShiftStaysDown", "<SHFD>abc<SHFU>", keys({16, 65, -65, 66, -66, 67, -67, -16})},
    {"HeldFormsNeverMark", "<CTLD><ALTD><WIND><WINU><ALTU><CTLU>", keys({17, 18, 91, -91, -18, -17})},
    {"AltCodeOfHighCharacter", "\xE9", keys({18, 96, -96, 98, -98, 99, -99, 99, -99, -18})},
    {"AltFourDigits", "<ALT4:0169>", keys({18, 96, -96, 97, -97, 102, -102, 105, -105, -18})},
    {"AltThreeDigits", "<ALT:065>", keys({18, 96, -96, 102, -102, 101, -101, -18})},
    {"MouseButtonsAsKeys", "<RIGHT MOUSE><MIDDLE MOUSE>", keys({2, -2, 4, -4})},
    {"TestDoesNothing", "<TEST>", {}},
    {"KeypadAndLocks", "<KEYP5><KEYP*><NUMLOCK><PA1>", keys({101, -101, 106, -106, 144, -144, 253, -253})},
    {"NavigationKeys", "<PAGE DOWN><LEFT ARROW><DELETE>", keys({34, -34, 37, -37, 46, -46})},
    {"LastFunctionKey", "<F24>", keys({135, -135})},
};

INSTANTIATE_TEST_SUITE_P(Keys, KeyText, ::testing::ValuesIn(kKeyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& p) { return std::string(p.param.name); });

// Malformed tags are typed from their "<" on, as literal characters.
TEST(KeyText, MalformedTagsAreTypedLiterally) {
    for (const std::string text : {"<ALT:0169>", "<ALT4:016>", "<SPKEY:50>", "<SPEED:1.0>", "<NOSUCH>", "<", "<F25>",
                                   "<MM/DD/YY{X}>", "<hh:mm{Y}"}) {
        EngineRig rig;
        EXPECT_EQ(rig.play(text), typed(text)) << text;
    }
}

TEST(KeyText, KeyDelayWaitsBeforeEachKeyScaledBySpeed) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<SPKEY:0050>ab<TAB>"),
              join({{"wait 50 ms"}, typed("a"), {"wait 50 ms"}, typed("b"), {"wait 50 ms"}, keys({9, -9})}));
    EXPECT_EQ(rig.play("<SPEED:02.00><SPKEY:0050>a"), join({{"wait 100 ms"}, typed("a")}));
    EXPECT_EQ(rig.play("<SPEED:00.50><MSD:0100>"), Lines{"wait 50 ms"});
    // An invalid factor leaves the factor as it was.
    EXPECT_EQ(rig.play("<SPEED:00.50><SPEED:ab.cd><MSD:0100>"), Lines{"wait 50 ms"});
    // Modifier commands and the mouse-button keys never wait.
    EXPECT_EQ(rig.play("<SPKEY:0050><SHIFT><RIGHT MOUSE>"), keys({16, 2, -2, -16}));
    // A key delay of 0 turns it off.
    EXPECT_EQ(rig.play("<SPKEY:0050><SPKEY:0000>a"), typed("a"));
}

TEST(KeyText, SpeedFactorZeroSkipsEveryTimedWait) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<SPEED:00.00><SPKEY:0050>a<MSD:0100><DELAY:01.00>"), typed("a"));
}

TEST(KeyText, TopLevelPlaybackResetsDelayAndSpeed) {
    EngineRig rig;
    rig.play("<SPKEY:0050><SPEED:03.00>");
    EXPECT_EQ(rig.play("a<MSD:0010>"), join({typed("a"), {"wait 10 ms"}}));
}

TEST(KeyText, ScanCodeComesFromTheLayout) {
    EngineRig rig;
    rig.engine.PostVKey(65, 0);
    EXPECT_EQ(rig.keyboard.lastScanCode(), 0x1E);
}

// A family with no implementation registered consumes its commands up to their ">" and does
// nothing; a registered one replaces that.
// A keyboard whose events reach the desktop (the shared transcript) only when they are sent
// unheld or flushed, as those of a buffered display connection do.
class BufferingKeyboard final : public IKeyboardInput {
public:
    explicit BufferingKeyboard(fake::Transcript& desktop) : desktop_(desktop) {}
    void keyEvent(std::uint8_t vk, std::uint8_t scan, bool up) override {
        inner_.keyEvent(vk, scan, up);
        if (!hold_) flush();
    }
    std::int16_t keyForChar(char c) override { return inner_.keyForChar(c); }
    std::uint8_t scanCodeFor(std::uint8_t vk) override { return inner_.scanCodeFor(vk); }
    void altCode(std::string_view digits) override {
        inner_.altCode(digits);
        if (!hold_) flush();
    }
    bool capsLockOn() override { return false; }
    void holdEvents(bool hold) override { hold_ = hold; }
    void flush() override {
        for (const std::string& line : buffer_.lines()) desktop_.add(line);
        if (!buffer_.lines().empty()) ++writes_;
        buffer_.clear();
    }
    bool empty() const { return buffer_.lines().empty(); }
    int writes() const { return writes_; }

private:
    fake::Transcript buffer_;
    fake::FakeKeyboardInput inner_{buffer_};
    fake::Transcript& desktop_;
    bool hold_ = false;
    int writes_ = 0;
};

// Plays `text` on the fakes with `keyboard`, which records into `t`; a message comes with pump
// call `messageAt` (none for 0).
void playOn(IKeyboardInput& keyboard, fake::Transcript& t, const std::string& text, std::uint64_t messageAt) {
    fake::FakeClock clock{LocalTime{2024, 3, 5, 14, 5, 9, 0, 2}};
    fake::FakeMessagePump pump{t, &clock};
    if (messageAt != 0) pump.at(messageAt, "hotkey", [] {});
    fake::FakePlaybackWindows windows{t};
    PlaybackEngine engine(PlaybackServices{.keyboard = keyboard, .pump = pump, .windows = windows, .clock = clock});
    engine.play(text, false, 7, PlayingMacro{"Test", ""});
}

// Typed characters leave in one piece at the end of their run, yet every key reaches the desktop
// before anything the engine waits for and before other handlers run, in the order of a keyboard
// that sends each event at once.
TEST(HeldKeyEvents, ReachTheDesktopBeforeEveryWaitAndAtTheEnd) {
    const struct {
        std::string text;
        std::uint64_t messageAt;  // pump call of a message, 0 for none
        int writes;
    } cases[] = {
        {"Hello", 0, 1},           {"Hello", 3, 2},  {"ab<TAB>cd", 0, 4}, {"ab<WAITWIN:001:calc>cd", 0, 2},
        {"<SPKEY:0010>abc", 0, 3}, {"x\xE9y", 0, 1}, {"a<SHIFT>b", 0, 3},
    };
    for (const auto& c : cases) {
        fake::Transcript expected;
        fake::FakeKeyboardInput plain{expected};
        playOn(plain, expected, c.text, c.messageAt);
        fake::Transcript t;
        BufferingKeyboard keyboard{t};
        playOn(keyboard, t, c.text, c.messageAt);
        EXPECT_EQ(t.lines(), expected.lines()) << c.text;
        EXPECT_TRUE(keyboard.empty()) << c.text;
        EXPECT_EQ(keyboard.writes(), c.writes) << c.text;
    }
}

TEST(CommandTable, FamiliesPlugIn) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<WMAX:Editor>x<BEEP>"), typed("x"));

    struct Beeper final : ICommandFamily {
        std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run,
                                           const CommandEntry& cmd) override {
            if (cmd.id != CommandId::Beep) return std::nullopt;
            engine.pressKey(run, 7);
            return run.pos + cmd.tag.size();
        }
    } beeper;
    rig.engine.registerFamily(CommandFamily::System, beeper);
    // "<WAV1:" belongs to the same family but does not match here: typed from its "<".
    EXPECT_EQ(rig.play("<BEEP><WAV1:a>"), join({{"key down 7", "key up 7"}, typed("<WAV1:a>")}));
}

TEST(CommandTable, EveryTagHasItsFamilyAndIsTriedInOrder) {
    const auto table = commandTable();
    ASSERT_EQ(table.size(), 255u + 51u + 26u);
    EXPECT_EQ(table.front().tag, "<TAB>");
    EXPECT_EQ(table[28].tag, "<MIDDLE MOUSE>");
    EXPECT_EQ(table[29].tag, "<PAUSE:");
    EXPECT_EQ(table[254].tag, "<WRES:");
    EXPECT_EQ(table[255].tag, "<MM/DD/YY{");
    EXPECT_EQ(table.back().tag, "<hh,mma{");
    // Candidates by second character keep the table order.
    for (unsigned second = 0; second < 256; ++second) {
        std::size_t previous = 0;
        bool first = true;
        for (const std::uint16_t index : commandCandidates(static_cast<unsigned char>(second))) {
            EXPECT_EQ(static_cast<unsigned char>(table[index].tag[1]), second);
            if (!first) {
                EXPECT_GT(index, previous);
            }
            previous = index;
            first = false;
        }
    }
}

}  // namespace
}  // namespace orv::test
