#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/engine_rig.h"

namespace orv::test {
namespace {

namespace fs = std::filesystem;

// Only the lines that are not key events.
Lines windowsOnly(const Lines& lines) {
    Lines out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                 [](const std::string& l) { return l.rfind("key ", 0) != 0; });
    return out;
}

struct TypedCase {
    const char* name;
    std::string text;
    std::string typedText;
};

class TypesText : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypesText, AsIfTyped) {
    EngineRig rig;
    EXPECT_EQ(rig.play(GetParam().text), typed(GetParam().typedText));
}

const TypedCase kRepeatCases[] = {
    {"RepeatWithCounter", "<REPEAT:0003><I>,<ENDREP>", "1,2,3,"},
    {"RepWithStartAndStep", "<REP:0003:000010:000005><III> <ENDREP>", "010 015 020 "},
    {"NestedRepeatsMatchInnerFirst", "<REPEAT:0002>a<REPEAT:0002>b<ENDREP>c<ENDREP>d", "abbcabbcd"},
    {"CountZeroSkipsTheBlock", "x<REPEAT:0000>y<ENDREP>z", "xz"},
    {"CountersAtTopLevelAreOne", "<IIII>-<III>-<II>-<I>", "0001-001-01-1"},
    {"CounterWiderThanItsField", "<REP:0002:000099:000001><II>,<ENDREP>", "99,100,"},
    {"NonNumericCountIsZero", "<REPEAT:00x1>y<ENDREP>z", "z"},
    {"StrayEndRepIsSkipped", "a<ENDREP>b", "ab"},
    {"RemarkIsSkipped", "a<REM:anything <TAB> here>b", "a here>b"},
    {"RemarkToTheEnd", "a<REM:never closed", "a"},
    {"RepeatWithoutCloseTypedLiterally", "<REPEAT:0002a", "<REPEAT:0002a"},
};

INSTANTIATE_TEST_SUITE_P(Control, TypesText, ::testing::ValuesIn(kRepeatCases),
                         [](const ::testing::TestParamInfo<TypedCase>& p) { return std::string(p.param.name); });

TEST(Repeat, PromptedCountRunsTheBlock) {
    EngineRig rig;
    rig.windows.queueRepeatCount(2);
    const Lines lines = rig.play("<PROMPTREP>z<ENDREP>!");
    EXPECT_EQ(windowsOnly(lines),
              (Lines{"hide main window", "repeat prompt -> 2", "show main window", "set foreground 0"}));
    EXPECT_EQ(Lines(lines.begin() + 4, lines.end()), typed("zz!"));
}

TEST(Repeat, MissingEndRepAbortsTheWholeMacroWithTwoMessages) {
    EngineRig rig;
    const Lines lines = rig.play("<REPEAT:0002>a<REPEAT:0003>b<ENDREP>", true);
    const Lines shown = windowsOnly(lines);
    // Caps Lock is turned off at the start; after an abort it is not turned back on.
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2), (Lines{"key down 20", "key up 20"}));
    EXPECT_EQ(std::count(shown.begin(), shown.end(),
                         "message window \"Repeat Error\" \"No \\\"End Repeat\\\" that matches the initial repeat "
                         "specified in the macro. Macro will abort.\""),
              1);
    EXPECT_EQ(
        std::count(shown.begin(), shown.end(), "message window \"Macro Abort\" \"Orvanta 99 macro has been aborted.\""),
        1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 65"), 0);
    EXPECT_EQ(lines.back(), "set foreground 0");
}

TEST(Abort, StopsEveryLevelWithOneMessageAndNoEndProcessing) {
    EngineRig rig;
    // The third message processing delivers the abort: after "a", "b" and the first "c".
    rig.pump.at(3, "abort", [&] { rig.engine.requestAbort(); });
    const Lines lines = rig.play("ab<REPEAT:0005>c<ENDREP>d", true);
    EXPECT_EQ(lines, join({{"key down 20", "key up 20"},
                           typed("abc"),
                           {"messages abort"},
                           {"hide main window", "message window \"Macro Abort\" \"Orvanta 99 macro has been aborted.\"",
                            "show main window", "set foreground 0"}}));
    EXPECT_FALSE(rig.engine.state().playing);
    // The next top-level playback clears the flag.
    EXPECT_EQ(rig.play("x"), typed("x"));
}

TEST(EndProcessing, TurnsCapsLockBackOn) {
    EngineRig rig;
    EXPECT_EQ(rig.play("a", true), join({{"key down 20", "key up 20"}, typed("a"), {"key down 20", "key up 20"}}));
}

TEST(Delays, DelayAndMsdUseTheSpeedFactor) {
    EngineRig rig;
    EXPECT_EQ(rig.play("<DELAY:01.50><MSD:0250><SPEED:02.00><DELAY:00.01>"),
              (Lines{"wait 1500 ms", "wait 250 ms", "wait 20 ms"}));
    // Malformed ones are typed.
    EXPECT_EQ(rig.play("<DELAY:1.5>"), typed("<DELAY:1.5>"));
}

TEST(Pause, CentredWithoutMessageAndClampedWithOne) {
    EngineRig rig;
    rig.windows.setScreenSize(1024, 768);
    rig.play("<PAUSE>");
    EXPECT_EQ(rig.windows.lastPause().top, (768 - 94) / 2);
    EXPECT_EQ(rig.windows.lastPause().left, (1024 - 224) / 2);
    EXPECT_EQ(rig.windows.lastPause().height, 94);
    EXPECT_EQ(rig.windows.lastPause().caption, "Pause");
    // 31 characters: one full line of 30 and a part: 2 x 19 pixels.
    const std::string message(31, 'm');
    rig.play("<PAUSE:999:999" + message + ">");
    EXPECT_EQ(rig.windows.lastPause().top, 768 - 94 - 38);
    EXPECT_EQ(rig.windows.lastPause().left, 1024 - 224);
    EXPECT_EQ(rig.windows.lastPause().height, 94 + 38);
    EXPECT_EQ(rig.windows.lastPause().message, message);
    rig.play("<PAUSE:010:020hi>");
    EXPECT_EQ(rig.windows.lastPause().top, 10);
    EXPECT_EQ(rig.windows.lastPause().left, 20);
}

TEST(Pause, ResumeGoesOnAndAbortStopsOnlyThatInterpretation) {
    EngineRig rig;
    rig.windows.setMinimised(true);
    Lines lines = rig.play("a<PAUSE>b");
    EXPECT_EQ(lines,
              join({typed("a"),
                    {"restore application", "hide main window",
                     "pause window \"Pause\" \"Test\" \"\" at 337,400 size 224x94 -> resume", "focus back 7 -> 7"},
                    typed("b"),
                    // End processing brings the main window back and minimises again.
                    {"show main window", "minimise application", "focus back 7 -> 7"}}));

    rig.windows.queuePause(PauseChoice::Abort);
    rig.windows.setMinimised(false);
    lines = rig.play("<REPEAT:0002>x<PAUSE>y<ENDREP>z", true);
    // The abort ends the repeat (all its runs); the enclosing text goes on.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 88"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 89"), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 90"), 1);
    // Caps Lock: off at the start, on again at the abort, and once more by the end processing.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 20"), 3);
}

TEST(Pause, TrayModeShowsAndHidesTheApplicationOnly) {
    EngineRig rig;
    rig.settings->UseTray = true;
    rig.windows.queuePause(PauseChoice::Abort);
    EXPECT_EQ(rig.play("<PAUSE>x"),
              (Lines{"show application", "pause window \"Pause\" \"Test\" \"\" at 337,400 size 224x94 -> abort",
                     "hide application"}));
}

TEST(TextBox, ShowsTitleAndLongBody) {
    EngineRig rig;
    const std::string body(300, 'b');
    EXPECT_EQ(
        windowsOnly(rig.play("<TBOX:<HEAD:Note>" + body + ">x")),
        (Lines{"hide main window", "text box \"Note\" \"" + body + "\"", "show main window", "set foreground 0"}));
}

TEST(OtherMacros, MacRunMatchesTheNicknameExactly) {
    EngineRig rig;
    rig.useMacros({macro("Inner", "in"), macro("Outer", "<MACRUN:inner><MACRUN:Inner>!")});
    EXPECT_EQ(rig.play("<MACRUN:Outer>"), typed("in!"));
    EXPECT_EQ(rig.play("<MACRUN:Nobody>x"), typed("x"));
}

TEST(OtherMacros, SelfRunningMacroStopsAtTheNestingLimit) {
    EngineRig rig;
    rig.useMacros({macro("Loop", "a<MACRUN:Loop>b")});
    const Lines lines = rig.play("<MACRUN:Loop>");
    const Lines shown = windowsOnly(lines);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 65"), kDefaultMaxNesting - 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 66"), 0);
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[1].rfind("message window \"Macro Error\" \"Macros and repeats are nested more than 32", 0), 0u);
    EXPECT_EQ(shown[5], "message window \"Macro Abort\" \"Orvanta 99 macro has been aborted.\"");
}

TEST(OtherMacros, DeepNestedRepeatsStopAtTheLimit) {
    EngineRig rig;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "<REPEAT:0001>";
    text += "x";
    for (int i = 0; i < 40; ++i) text += "<ENDREP>";
    const Lines lines = rig.play(text);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "key down 88"), 0);
    EXPECT_TRUE(rig.engine.state().abortRequested);
}

TEST(OtherMacros, MacDelRemovesTheMacroAndRenumbersPopupMenus) {
    EngineRig rig;
    std::vector<TMacroRecord> records;
    for (int i = 1; i <= 8; ++i) records.push_back(macro("M" + std::to_string(i), "t"));
    TMacroRecord menu = macro("Menu", "");
    menu.Scope = 4;
    menu.MacroText.clear();
    menu.MenuItems = {3, 5, 8};
    records.push_back(menu);
    rig.useMacros(records);
    const Lines lines = rig.play("<MACDEL:M5>");
    EXPECT_EQ(lines, (Lines{"host lock shared file -> ok", "host before delete 5",
                            "host macro deleted 5 timed 0 popup 0", "host release shared file"}));
    EXPECT_EQ(rig.settings->nickName(5), "M6");
    TMacroRecord stored;
    ASSERT_TRUE(rig.store.ReadMacroRecord(8, stored));
    EXPECT_EQ(stored.NickName, "Menu");
    EXPECT_EQ(stored.MenuItems, (std::vector<std::int16_t>{3, 7}));
}

TEST(OtherMacros, FailedMacDelLeavesThePopupMenusAlone) {
    EngineRig rig;
    TMacroRecord menu = macro("Menu", "");
    menu.Scope = 4;
    menu.MacroText.clear();
    menu.MenuItems = {1, 2};
    rig.useMacros({macro("M1", "t"), macro("M2", "t"), menu});
    // A file whose name leaves no room for the replacement file beside it can be written in
    // place but not replaced: the deletion fails.
    const std::string longName = rig.dir.file(std::string(250, 'M') + ".ORV");
    fs::rename(rig.settings->CurrentFile, longName);
    rig.settings->CurrentFile = longName;
    ASSERT_TRUE(rig.store.LoadMacroFile(longName));
    rig.play("<MACDEL:M1>");
    TMacroRecord stored;
    ASSERT_TRUE(rig.store.ReadMacroRecord(3, stored));
    EXPECT_EQ(stored.MenuItems, (std::vector<std::int16_t>{1, 2}));
    EXPECT_EQ(rig.settings->nickName(1), "M1");
}

TEST(OtherMacros, SharedFileInUseChangesNothing) {
    EngineRig rig;
    rig.useMacros({macro("A", "a", false)});
    rig.host.setInUse(true);
    EXPECT_EQ(windowsOnly(rig.play("<MACDEL:A><MACACT:A>")),
              (Lines{"host lock shared file -> in use", "hide main window",
                     "message window \"Macro Delete Error\" \"Cannot delete macro \\\"A\\\" because the macro file is "
                     "in use by another user.\"",
                     "show main window", "set foreground 0", "host lock shared file -> in use", "hide main window",
                     "message window \"Macro Activate Error\" \"Cannot activate macro \\\"A\\\" because the macro file "
                     "is in use by another user.\"",
                     "show main window", "set foreground 0"}));
    EXPECT_EQ(rig.settings->nickName(1), "A");
    EXPECT_FALSE(rig.table->Active(1));
}

TEST(OtherMacros, AFailedActiveFlagWriteIsShownAndChangesNothingElse) {
    EngineRig rig;
    rig.useMacros({macro("A", "a", true), macro("B", "b", false)});
    // The file lost its second record after it was loaded.
    fs::resize_file(rig.settings->CurrentFile, TMacroRecord::kSize);
    const Lines lines = rig.play("<MACACT:B>");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "host lock shared file -> ok");
    EXPECT_NE(lines[1].find("The macro could not be activated: \"TEST.ORV\" holds no macro number 2."),
              std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[2], "host release shared file unchanged");
    EXPECT_FALSE(rig.table->Active(2));
}

TEST(OtherMacros, ActivateAndDeactivateTheFirstMacroThatNeedsIt) {
    EngineRig rig;
    rig.useMacros({macro("A", "a", true), macro("A", "a", false), macro("A", "a", false)});
    EXPECT_EQ(rig.play("<MACACT:A>"),
              (Lines{"host lock shared file -> ok", "host active changed 2 timed 0", "host release shared file"}));
    EXPECT_TRUE(rig.table->Active(2));
    EXPECT_FALSE(rig.table->Active(3));
    TMacroRecord stored;
    ASSERT_TRUE(rig.store.ReadMacroRecord(2, stored));
    EXPECT_EQ(stored.Active, 1);
    rig.play("<MACDEACT:A>");
    EXPECT_FALSE(rig.table->Active(1));
    EXPECT_TRUE(rig.table->Active(2));
}

TEST(OtherMacros, SwapLoadsTheNewFileAndKeepsPlayingItsOwnText) {
    EngineRig rig;
    rig.useMacros({macro("A", "a")});
    const std::string other = rig.dir.file("OTHER.ORV");
    const Lines lines = rig.play("<SWAP:" + other + ">x<MACRUN:A>");
    EXPECT_EQ(rig.settings->CurrentFile, other);
    // The new file was created with its system macros; "A" is not in it.
    EXPECT_EQ(rig.table->MacroCount(), 4);
    EXPECT_EQ(lines, join({{"host swap \"" + other + "\" -> ok",
                            "host swapped \"" + rig.dir.file("TEST.ORV") + "\" \"" + other + "\""},
                           typed("x")}));
}

}  // namespace
}  // namespace orv::test
