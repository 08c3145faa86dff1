#include "activation/shortkeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "activation/hotkey_dispatch.h"
#include "activation/hotkey_table.h"
#include "activation/shortkey_options.h"
#include "engine/window_control.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/fake/fake_window_system.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

// The resident program around the ShortKeys: busy states, and plays recorded into the shared
// transcript as `play <nickname>`.
class PlayingHost final : public IDispatchHost, public fake::Recorder {
public:
    using Recorder::Recorder;
    bool popupMenuShowing() const override { return popupShowing; }
    bool macroPaused() const override { return paused; }
    int pausedMacro() const override { return 0; }
    void resumePause() override {}
    bool sharedFileChanged() override { return false; }
    void reloadSharedFile() override {}
    void ActivateMe() override {}
    void StartACapture() override {}
    void showTopWindowMenu() override {}
    int showPopupMenu(const TMacroRecord&) override { return -1; }
    void IntoProgram(const TMacroRecord& macro, bool capsWasOn, std::int32_t window) override {
        record("play " + macro.NickName + (capsWasOn ? " caps" : "") + " in " + std::to_string(window));
    }
    void startClearTimer() override { record("clear timer"); }

    bool popupShowing = false;
    bool paused = false;
};

class ShortKeysTest : public ::testing::Test {
protected:
    ShortKeysTest()
        : store(table, settings, hook, prompt, clock, dir.file("Icons")),
          control(windows, processes),
          shortKeys({table, settings, store, hook, prompt, control, keyboard, pump, host}) {
        settings.CurrentFile = dir.file("m.ORV");
        store.LoadMacroFile(settings.CurrentFile);  // the four system macros, 1..4
        windows.addWindow({10, "Letter.txt - Text Editor", 100});
        windows.setForeground(10);
        processes.setProcesses({{100, "gedit"}, {200, "bash"}});
        settings.UseSuffix = false;
        settings.SolitaryUsage = false;
        settings.CaseSensitive = true;
        settings.PrefixKeys = "";
    }

    int add(const std::string& nick, const std::string& text, int scope = kScopeGlobal, const std::string& title = "") {
        TMacroRecord r;
        r.NickName = nick;
        r.ShortKeyText = text;
        r.HotKeyCode = kCodeShortKey;
        r.Scope = static_cast<std::int16_t>(scope);
        r.WindowTitle = title;
        r.Active = 1;
        r.MacroText = "body";
        table.setMacroCount(table.MacroCount() + 1);
        EXPECT_TRUE(store.WriteMacroRecord(-1, r));
        SetHotKeys(table, hook);
        shortKeys.macrosChanged();
        return table.MacroCount();
    }

    void type(std::string_view text, std::int64_t wParam = 0) {
        for (char c : text) shortKeys.handleTyping(wParam, static_cast<unsigned char>(c));
    }

    std::vector<std::string> plays() const {
        std::vector<std::string> out;
        for (const auto& line : transcript.lines())
            if (line.rfind("play ", 0) == 0) out.push_back(line);
        return out;
    }
    long backspaces() const {
        return std::count(transcript.lines().begin(), transcript.lines().end(), std::string("key down 8"));
    }

    test::TempDir dir;
    fake::Transcript transcript;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt{transcript};
    fake::FakeClock clock;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    fake::FakeKeyboardInput keyboard{transcript};
    fake::FakeMessagePump pump{transcript, &clock};
    PlayingHost host{transcript};
    MacroStore store;
    WindowControl control;
    ShortKeys shortKeys;
};

struct MatchCase {
    const char* name;
    bool suffix;
    bool solitary;
    bool caseSensitive;
    const char* prefix;
    const char* typed;
    bool runs;
    int backspaces;
};
void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

const MatchCase kMatchCases[] = {
    {"SuffixBlankEndsTheWord", true, false, true, "", "sig ", true, 4},
    {"SuffixEnterEndsTheWord", true, false, true, "", "sig\r", true, 4},
    {"SuffixCommaIsPartOfTheWord", true, false, true, "", "sig,", false, 0},
    {"SuffixNeedsTheWholeWord", true, false, true, "", "mysig ", false, 0},
    {"SuffixAfterBackspaceCorrection", true, false, true, "", "sik\bg ", true, 4},
    {"PrefixInsideAWord", false, false, true, ";", "x;sig", true, 4},
    {"PrefixSolitaryRefusesAWordAround", false, true, true, ";", "x;sig", false, 0},
    {"PrefixSolitaryAfterABlank", false, true, true, ";", "x ;sig", true, 4},
    {"NoPrefixMatchesInsideAWord", false, false, true, "", "mysig", true, 3},
    {"CaseSensitiveRefusesOtherCase", false, false, true, "", "SIG", false, 0},
    {"CaseInsensitiveMatchesOtherCase", false, false, false, "", "SiG", true, 3},
    {"TwoCharacterPrefix", false, false, true, "#;", "#;sig", true, 5},
    // The prefix itself must be in the buffer as typed, whatever the case option says.
    {"PrefixLetterNeedsItsOwnCase", false, false, false, "q", "Qsig", false, 0},
    {"PrefixLetterCaseInsensitiveText", false, false, false, "q", "qSIG", true, 4},
};

class ShortKeyMatchTest : public ShortKeysTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(ShortKeyMatchTest, RunsAndErasesAsTheOptionsSay) {
    const MatchCase& c = GetParam();
    settings.UseSuffix = c.suffix;
    settings.SolitaryUsage = c.solitary;
    settings.CaseSensitive = c.caseSensitive;
    settings.PrefixKeys = c.prefix;
    add("Signature", "sig");
    type(c.typed);
    EXPECT_EQ(plays(), c.runs ? std::vector<std::string>{"play Signature in 10"} : std::vector<std::string>{});
    EXPECT_EQ(backspaces(), c.backspaces);
    if (c.runs) {
        EXPECT_EQ(shortKeys.buffer(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Options, ShortKeyMatchTest, ::testing::ValuesIn(kMatchCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ShortKeysTest, RunningErasesThenPlaysThenPostsTheMarker) {
    settings.PrefixKeys = ";";
    add("Signature", "sig");
    type(";si");
    type("g", 2);  // Caps Lock was on for the last character
    EXPECT_EQ(transcript.text(),
              "key down 8\nkey up 8\nkey down 8\nkey up 8\nkey down 8\nkey up 8\nkey down 8\nkey up 8\n"
              "wait 100 ms\nplay Signature caps in 10\nkey down 43\nkey up 43\nclear timer\n");
    EXPECT_TRUE(table.MacroInUse());
    EXPECT_TRUE(hook.libraryTable().MacroInUse());
    EXPECT_EQ(shortKeys.CurrentMacro(), 5);
}

TEST_F(ShortKeysTest, ConfirmedBackspacesLetTheMacroPlayWithoutTheFixedWait) {
    keyboard.setConfirmsDelivery(true);
    settings.PrefixKeys = ";";
    add("Signature", "sig");
    type(";sig");
    EXPECT_EQ(transcript.text(),
              "key down 8\nkey up 8\nkey down 8\nkey up 8\nkey down 8\nkey up 8\nkey down 8\nkey up 8\n"
              "keys handled\nplay Signature in 10\nkey down 43\nkey up 43\nclear timer\n");
}

TEST_F(ShortKeysTest, BufferKeepsThePrefixLengthPlusTenLatestCharacters) {
    settings.PrefixKeys = "#;";
    add("Signature", "sig");
    type("abcdefghijklmno");
    EXPECT_EQ(shortKeys.buffer(), "defghijklmno");
    type("\b\b");
    EXPECT_EQ(shortKeys.buffer(), "defghijklm");
    type(" ");
    EXPECT_EQ(shortKeys.buffer(), "");
    shortKeys.handleTyping(0, 'x');
    shortKeys.handleTyping(1, 0);  // the library's reset
    EXPECT_EQ(shortKeys.buffer(), "");
}

TEST_F(ShortKeysTest, ScopeChoiceFallsBackFromWindowToProgramToGlobal) {
    settings.UseSuffix = true;
    add("Menu", "sig", kScopePopupMenu);
    const int global = add("Global", "sig");
    const int program = add("Shell", "sig", kScopeProgram, "bash");
    const int window = add("Letters", "sig", kScopeWindow, "letter");
    (void)global;
    (void)program;
    (void)window;

    type("sig ");
    EXPECT_EQ(plays().back(), "play Letters in 10");

    windows.addWindow({20, "Terminal", 200}, true);
    windows.setForeground(20);
    type("sig ");
    EXPECT_EQ(plays().back(), "play Shell in 20");

    windows.addWindow({30, "Calculator", 300}, true);
    windows.setForeground(30);
    type("sig ");
    EXPECT_EQ(plays().back(), "play Global in 30");
    EXPECT_EQ(plays().size(), 3u);
}

TEST_F(ShortKeysTest, OnlyGlobalWindowAndProgramScopesRunAndTheFirstInFileOrderWins) {
    settings.UseSuffix = true;
    add("Popup", "sig", kScopePopupMenu);
    type("sig ");
    EXPECT_TRUE(plays().empty());
    add("First", "sig");
    add("Second", "sig");
    type("sig ");
    EXPECT_EQ(plays(), std::vector<std::string>{"play First in 10"});
}

TEST_F(ShortKeysTest, InactiveEmptyOrStaleShortKeysNeverRun) {
    settings.UseSuffix = true;
    const int j = add("Signature", "sig");
    add("Empty", "");
    EXPECT_TRUE(store.SetMacroActive(j, false));
    SetHotKeys(table, hook);
    // Not re-indexed yet: the live table still keeps the inactive macro from running.
    type("sig ");
    type(" ");  // an empty word must not run the macro without text
    EXPECT_TRUE(plays().empty());
    EXPECT_TRUE(table.HaveShortKeys());
    EXPECT_TRUE(ThereAreShortKeys(table));

    EXPECT_TRUE(store.SetMacroActive(j, true));
    shortKeys.macrosChanged();
    type("sig ");
    EXPECT_EQ(plays().size(), 1u);
}

TEST_F(ShortKeysTest, BusyProgramWarnsAndPlaysNothing) {
    struct Busy {
        std::function<void()> set;
        const char* text;
    };
    const Busy cases[] = {
        {[this] { host.popupShowing = true; }, kPopupBusyText},
        {[this] { table.setCaptureOn(true); }, kCaptureBusyText},
        {[this] { host.paused = true; }, kPauseBusyText},
    };
    settings.UseSuffix = true;
    add("Signature", "sig");
    for (const auto& busy : cases) {
        host.popupShowing = false;
        host.paused = false;
        table.setCaptureOn(false);
        prompt.clearShown();
        busy.set();
        type("sig ");
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].title, "Warning");
        EXPECT_EQ(prompt.shown()[0].text, busy.text);
        EXPECT_EQ(shortKeys.buffer(), "");
    }
    EXPECT_TRUE(plays().empty());
    EXPECT_EQ(backspaces(), 0);
}

TEST_F(ShortKeysTest, SettingsChangesTakeEffectAtTheNextCharacter) {
    add("Signature", "sig");
    type("xsi");
    settings.UseSuffix = true;
    type("g ");
    EXPECT_TRUE(plays().empty());  // "xsig" is not the whole word
    type("sig ");
    EXPECT_EQ(plays().size(), 1u);
}

TEST_F(ShortKeysTest, NothingIsTrackedWithoutShortKeyMacros) {
    type("abc");
    EXPECT_EQ(shortKeys.buffer(), "");
}

TEST(ShortKeyOptionsTest, PrefixIsCheckedTrimmedAndStored) {
    struct Case {
        const char* typed;
        bool valid;
        const char* stored;
    };
    const Case cases[] = {
        {";", true, ";"}, {" #; ", true, "#;"}, {"@_", true, "@_"},  {"", true, ""},   {"  ", true, ""},
        {"'", false, ""}, {"a b", false, ""},   {"\xE9", false, ""}, {"(", false, ""},
    };
    for (const auto& c : cases) {
        TAppSettings settings;
        settings.PrefixKeys = "zz";
        ShortKeyOptionsModel model = ShortKeyOptionsModel::fromSettings(settings);
        model.prefixKeys = c.typed;
        model.solitaryUsage = true;
        model.caseSensitive = false;
        model.usePrefixKeys = false;
        EXPECT_EQ(model.checkPrefix().empty(), c.valid) << c.typed;
        const Outcome outcome = model.apply(settings);
        EXPECT_EQ(outcome.accepted, c.valid) << c.typed;
        if (c.valid) {
            EXPECT_EQ(settings.PrefixKeys, c.stored);
            EXPECT_TRUE(settings.SolitaryUsage);
            EXPECT_FALSE(settings.CaseSensitive);
            EXPECT_TRUE(settings.UseSuffix);
        } else {
            EXPECT_EQ(outcome.failure.message, kInvalidPrefixText);
            EXPECT_EQ(settings.PrefixKeys, "zz");
            EXPECT_FALSE(settings.SolitaryUsage);
        }
    }
    TAppSettings suffix;
    suffix.UseSuffix = true;
    EXPECT_FALSE(ShortKeyOptionsModel::fromSettings(suffix).prefixEnabled());
}

}  // namespace
}  // namespace orv
