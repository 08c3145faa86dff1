// The Scripting Editor's line operations, indentation and saving.
#include "editors/script_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/fake/fake_user_prompt.h"

namespace orv::script {
namespace {

// Command dialogs that answer from a queue and remember what they were asked.
class ScriptedDialogs final : public ILineDialogs {
public:
    struct Call {
        int command;
        std::optional<Payload> current;
    };
    std::optional<LineValues> runCommandDialog(int command, const Payload* current) override {
        calls.push_back({command, current != nullptr ? std::optional<Payload>(*current) : std::nullopt});
        if (answers.empty()) return std::nullopt;
        std::optional<LineValues> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<LineValues>> answers;
    std::vector<Call> calls;
};

LineValues remark(const std::string& text) { return {cmd::Remark, SingleText{text}}; }

class ScriptEditorTest : public ::testing::Test {
protected:
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const ScriptLine& line : model.lines()) out.push_back(line.text);
        return out;
    }
    // A script of five remarks R0..R4.
    void fiveLines() {
        model.BuildTheScript("<REM:R0><REM:R1><REM:R2><REM:R3><REM:R4>");
        model.SetIndents();
    }

    fake::FakeUserPrompt prompt;
    ScriptModel model{prompt};
    ScriptedDialogs dialogs;
};

TEST_F(ScriptEditorTest, AddingWithoutACommandIsRefused) {
    fiveLines();
    EXPECT_FALSE(model.AddALine(AddPosition::Append, std::nullopt, dialogs));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Error");
    EXPECT_EQ(prompt.shown()[0].text, "No command selected.  Please select one.");
    EXPECT_EQ(model.lines().size(), 5u);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ScriptEditorTest, SomeCommandsAddWithoutADialog) {
    for (int command : {cmd::RepeatEnd, cmd::RepeatPromptStart, cmd::ClipboardCopy, cmd::ClipboardPaste,
                        cmd::ClipboardStartCopy, cmd::ClipboardEndCopy, cmd::ClipboardTypeText}) {
        EXPECT_TRUE(model.AddALine(AddPosition::Append, command, dialogs));
        EXPECT_EQ(commandOfLine(model.lines().back().text), command);
    }
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(model.scriptText(), "<ENDREP><PROMPTREP><CLIPC><CLIPP><BEGCLIP><ENDCLIP><CLIPTYPE>");
}

TEST_F(ScriptEditorTest, AddingRepeatStartAsksItsDialogForNewValues) {
    dialogs.answers.push_back(LineValues{cmd::RepeatStart, Repeat{Repeat::Kind::Counted, 10, 1, 1, false}});
    EXPECT_TRUE(model.AddALine(AddPosition::Append, cmd::RepeatStart, dialogs));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].command, cmd::RepeatStart);
    EXPECT_FALSE(dialogs.calls[0].current.has_value());
    // A repeat made by the dialog always shows the long form.
    EXPECT_EQ(texts(), std::vector<std::string>{"Repeat Start: 10 Times, Starting at 1 Stepping by 1"});
}

TEST_F(ScriptEditorTest, AddPositionsAndTheSelection) {
    struct Row {
        const char* name;
        AddPosition position;
        int selectedBefore;
        int newIndex;
    } rows[] = {
        {"append", AddPosition::Append, 1, 5},
        {"before line 3", AddPosition::Before, 3, 3},
        {"after line 3", AddPosition::After, 3, 4},
        {"before, nothing selected", AddPosition::Before, -1, 0},
        {"after, nothing selected", AddPosition::After, -1, 1},
        {"after the last line", AddPosition::After, 4, 5},
    };
    for (const Row& r : rows) {
        fake::FakeUserPrompt p;
        ScriptModel m(p);
        m.BuildTheScript("<REM:R0><REM:R1><REM:R2><REM:R3><REM:R4>");
        m.select(r.selectedBefore);
        dialogs.answers.push_back(remark("new"));
        ASSERT_TRUE(m.AddALine(r.position, cmd::Remark, dialogs)) << r.name;
        ASSERT_EQ(m.lines().size(), 6u) << r.name;
        EXPECT_EQ(m.lines()[static_cast<std::size_t>(r.newIndex)].text, "Remark: new") << r.name;
        EXPECT_EQ(m.selected(), r.newIndex) << r.name;
    }
}

TEST_F(ScriptEditorTest, InsertAfterIntoAnEmptyScriptSelectsTheOnlyLine) {
    dialogs.answers.push_back(remark("first"));
    EXPECT_TRUE(model.AddALine(AddPosition::After, cmd::Remark, dialogs));
    EXPECT_EQ(texts(), std::vector<std::string>{"Remark: first"});
    EXPECT_EQ(model.selected(), 0);
}

TEST_F(ScriptEditorTest, ACancelledDialogChangesNothing) {
    fiveLines();
    model.select(2);
    dialogs.answers.push_back(std::nullopt);
    EXPECT_FALSE(model.AddALine(AddPosition::Before, cmd::Remark, dialogs));
    dialogs.answers.push_back(std::nullopt);
    EXPECT_FALSE(model.editLine(dialogs));
    EXPECT_EQ(model.lines().size(), 5u);
    EXPECT_EQ(model.selected(), 2);
    EXPECT_EQ(model.scriptText(), "<REM:R0><REM:R1><REM:R2><REM:R3><REM:R4>");
}

TEST_F(ScriptEditorTest, EditReplacesTheLineInPlaceFromItsPayload) {
    model.BuildTheScript("a<REPEAT:0005>b<ENDREP>");
    model.select(1);
    // The user turns the repeat into a counted one with a start and step.
    dialogs.answers.push_back(LineValues{cmd::RepeatStart, Repeat{Repeat::Kind::Counted, 5, 3, 2, false}});
    EXPECT_TRUE(model.editLine(dialogs));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].command, cmd::RepeatStart);
    EXPECT_EQ(dialogs.calls[0].current, Payload(Repeat{Repeat::Kind::Counted, 5, 1, 1, true}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"Text: a", "Repeat Start: 5 Times, Starting at 3 Stepping by 2",
                                                 "   Text: b", "Repeat End"}));
    EXPECT_EQ(model.selected(), 1);
    EXPECT_EQ(model.scriptText(), "a<REP:0005:000003:000002>b<ENDREP>");
}

TEST_F(ScriptEditorTest, EditingCanChangeTheCommandWithinADialog) {
    model.BuildTheScript("<WMAX:Calc>");
    model.select(0);
    dialogs.answers.push_back(LineValues{cmd::WindowClose, Window{"Calc", false, Window::Command::Close}});
    EXPECT_TRUE(model.editLine(dialogs));
    EXPECT_EQ(texts(), std::vector<std::string>{"Window Close - Window Title: Calc"});
}

TEST_F(ScriptEditorTest, LineOperationsWithoutASelectionAreRefused) {
    fiveLines();
    model.select(-1);
    EXPECT_FALSE(model.editLine(dialogs));
    model.copyLine();
    model.deleteLine();
    model.moveUp();
    model.moveDown();
    std::vector<std::string> messages;
    for (const auto& shown : prompt.shown()) messages.push_back(shown.text);
    EXPECT_EQ(messages, (std::vector<std::string>{"No Item Selected.", "No script line selected.  Please select one.",
                                                  "No script line selected.  Please select one."}));
    EXPECT_EQ(model.lines().size(), 5u);
    EXPECT_EQ(model.EnableDisable(), LineButtons{});
}

TEST_F(ScriptEditorTest, CopyPutsTheCopyAboveAndSelectsTheOriginal) {
    fiveLines();
    model.select(0);
    model.copyLine();
    EXPECT_EQ(model.lines().size(), 6u);
    EXPECT_EQ(model.lines()[0], model.lines()[1]);
    EXPECT_EQ(model.selected(), 1);
}

TEST_F(ScriptEditorTest, WebLinesAreCopiedLikeAnyOther) {
    model.BuildTheScript("<HTTP:www.example.com><FTP:ftp.example.com>");
    model.select(1);
    model.copyLine();
    EXPECT_EQ(model.scriptText(), "<HTTP:www.example.com><FTP:ftp.example.com><FTP:ftp.example.com>");
    EXPECT_EQ(model.selected(), 2);
}

TEST_F(ScriptEditorTest, DeleteSelectsTheNextOrTheNewLastLine) {
    fiveLines();
    model.select(2);
    model.deleteLine();
    EXPECT_EQ(model.selected(), 2);
    EXPECT_EQ(model.lines()[2].text, "Remark: R3");
    model.select(3);
    model.deleteLine();
    EXPECT_EQ(model.selected(), 2);
    EXPECT_EQ(model.scriptText(), "<REM:R0><REM:R1><REM:R3>");

    ScriptModel single(prompt);
    single.BuildTheScript("<BEEP>");
    single.select(0);
    single.deleteLine();
    EXPECT_TRUE(single.lines().empty());
    EXPECT_EQ(single.selected(), -1);
    EXPECT_EQ(single.EnableDisable(), LineButtons{});
}

TEST_F(ScriptEditorTest, UpAndDownMoveTheSelectedLineWhereTheyAreEnabled) {
    fiveLines();
    model.select(0);
    EXPECT_EQ(model.EnableDisable(), (LineButtons{false, true, true, true, true}));
    model.moveUp();  // disabled on the first line: nothing happens
    model.moveDown();
    model.moveDown();
    EXPECT_EQ(model.selected(), 2);
    EXPECT_EQ(model.scriptText(), "<REM:R1><REM:R2><REM:R0><REM:R3><REM:R4>");
    model.select(4);
    EXPECT_EQ(model.EnableDisable(), (LineButtons{true, false, true, true, true}));
    model.moveDown();
    model.moveUp();
    EXPECT_EQ(model.selected(), 3);
    EXPECT_EQ(model.scriptText(), "<REM:R1><REM:R2><REM:R0><REM:R4><REM:R3>");
}

TEST_F(ScriptEditorTest, IndentsShowBlocksWithoutEnforcingThem) {
    model.BuildTheScript(
        "<ENDREP><REP:0002:000001:000001><BEGCLIP>a<ENDCLIP><CTLD><SHFD>b<SHFU><CTLU><PROMPTREP>c<ENDREP><ENDREP>"
        "<ENDREP>");
    model.select(3);
    model.SetIndents();
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "Repeat End",
                           "Repeat Start: 2 Times, Starting at 1 Stepping by 1",
                           "   Clipboard Start Copy",
                           "      Text: a",
                           "   Clipboard End Copy",
                           "   Control Key Down",
                           "      Shift Key Down",
                           "         Text: b",
                           "      Shift Key Up",
                           "   Control Key Up",
                           "   Repeat Prompt Start: (prompt for repeat count at macro play time)",
                           "      Text: c",
                           "   Repeat End",
                           "Repeat End",
                           "Repeat End",
                       }));
    EXPECT_EQ(model.selected(), 3);
    // Indenting again changes nothing, and the indentation does not reach the saved text.
    const auto before = texts();
    model.SetIndents();
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(model.scriptText(),
              "<ENDREP><REP:0002:000001:000001><BEGCLIP>a<ENDCLIP><CTLD><SHFD>b<SHFU><CTLU><PROMPTREP>c<ENDREP><ENDREP>"
              "<ENDREP>");
}

TEST_F(ScriptEditorTest, TextLinesJoinWhenSavedAndAnEmptiedRunVanishes) {
    model.BuildTheScript("<BEEP>");
    dialogs.answers.push_back(LineValues{cmd::Text, TextRun{"abc"}});
    dialogs.answers.push_back(LineValues{cmd::Text, TextRun{"<CLIPC>def"}});
    dialogs.answers.push_back(LineValues{cmd::Text, TextRun{""}});
    ASSERT_TRUE(model.AddALine(AddPosition::Append, cmd::Text, dialogs));
    ASSERT_TRUE(model.AddALine(AddPosition::Append, cmd::Text, dialogs));
    ASSERT_TRUE(model.AddALine(AddPosition::Append, cmd::Text, dialogs));
    EXPECT_EQ(model.lines().back().text, "Text:");  // the label and ": " with its blank stripped
    EXPECT_EQ(model.lines().size(), 4u);

    const std::string text = model.SaveIt();
    EXPECT_EQ(text, "<BEEP>abc<CLIPC>def");
    ScriptModel reopened(prompt);
    reopened.BuildTheScript(text);
    std::vector<std::string> lines;
    for (const ScriptLine& line : reopened.lines()) lines.push_back(line.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"Sound Beep", "Text: abc", "Clipboard Copy", "Text: def"}));
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(ScriptEditorTest, ATagOpenAtTheEndIsClosedOnceALineFollowsIt) {
    model.BuildTheScript("<TBOX:<HEAD:x<REM:open");
    EXPECT_EQ(model.scriptText(), "<TBOX:<HEAD:x<REM:open");
    dialogs.answers.push_back(remark("next"));
    ASSERT_TRUE(model.AddALine(AddPosition::Append, cmd::Remark, dialogs));
    EXPECT_EQ(model.scriptText(), "<TBOX:<HEAD:x<REM:open><REM:next>");
}

TEST_F(ScriptEditorTest, SavingCutsAnOverlongMacroAfterTheMessage) {
    const std::string body(4990, 'x');
    model.BuildTheScript(body + "<REM:0123456789>");
    const std::string text = model.SaveIt();
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Error");
    EXPECT_EQ(prompt.shown()[0].text,
              "The size of the macro exceeds the 5,000 character limit.  The macro will be truncated to 5,000 "
              "characters.");
    EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(text, (body + "<REM:0123456789>").substr(0, 5000));
    // The script itself keeps everything (a text file has no limit).
    EXPECT_EQ(model.scriptText().size(), 5006u);

    fake::FakeUserPrompt quiet;
    ScriptModel exact(quiet);
    exact.BuildTheScript(std::string(5000, 'y'));
    EXPECT_EQ(exact.SaveIt().size(), 5000u);
    EXPECT_TRUE(quiet.shown().empty());
}

TEST_F(ScriptEditorTest, WorkingTextOfARecordEndsAtItsNul) {
    TMacroRecord record;
    record.MacroText = std::string("ab<BEEP>\0junk", 13);
    model.BuildTheScript(ScriptModel::workingTextOf(record));
    EXPECT_EQ(model.scriptText(), "ab<BEEP>");
    record.MacroText = std::string(6000, 'z');
    EXPECT_EQ(ScriptModel::workingTextOf(record).size(), 5001u);
}

TEST_F(ScriptEditorTest, WizardLinesGoToTheEndAndLeaveTheSelection) {
    fiveLines();
    model.select(1);
    dialogs.answers.push_back(remark("wizard"));
    EXPECT_TRUE(model.addFromWizard(cmd::Remark, dialogs));
    EXPECT_EQ(model.lines().back().text, "Remark: wizard");
    EXPECT_EQ(model.selected(), 1);
    EXPECT_FALSE(model.addFromWizard(cmd::Remark, dialogs));  // cancelled
    EXPECT_EQ(model.lines().size(), 6u);
}

}  // namespace
}  // namespace orv::script
