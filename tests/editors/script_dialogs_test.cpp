// Script lines and their command dialogs: a line edited in its dialog and confirmed unchanged
// gives back the tag it was read from; a new line's dialog starts on the line's command.
#include "editors/script_dialogs.h"

#include <gtest/gtest.h>

#include <utility>

#include "dialogs/dialog_env.h"
#include "editors/sample_desktop.h"
#include "editors/script_lines.h"
#include "editors/script_sample_tags.h"

namespace orv::script {
namespace {

TEST(ScriptDialogs, ALineConfirmedUnchangedInItsDialogGivesBackItsTag) {
    test::DialogFixture f;
    test::addSampleDesktop(f);
    for (std::string_view tag : test::kWrittenTags) {
        const std::vector<ScriptLine> lines = readScriptLines(tag);
        ASSERT_EQ(lines.size(), 1u) << tag;
        const int command = commandOfLine(lines[0].text);
        if (command == cmd::Text) continue;
        const auto model = makeLineDialog(command, &lines[0].payload, f.env);
        ASSERT_NE(model, nullptr) << tag;
        const std::string_view expected = test::confirmedTag(tag);
        const Outcome o = model->check(f.env);
        EXPECT_EQ(o.accepted ? o.output : "refused: " + o.failure.message, expected) << tag;
    }
}

// A new line's dialog starts on its command: every dialog that its defaults already satisfy
// makes a line of that very command.
TEST(ScriptDialogs, ANewLinesDialogStartsOnItsCommand) {
    test::DialogFixture f;
    f.desktop.shellAutomation = true;
    int made = 0;
    for (int command = cmd::Date; command <= static_cast<int>(kCommandCount); ++command) {
        const auto model = makeLineDialog(command, nullptr, f.env);
        ASSERT_NE(model, nullptr) << command;
        EXPECT_EQ(model->typeName(), lineDialogFor(command)->dialog);
        const Outcome o = model->check(f.env);
        if (!o.accepted || o.output.empty()) continue;  // the user has a field to fill first
        const std::optional<LineValues> line = lineFromOutput(o.output);
        ASSERT_TRUE(line.has_value()) << command;
        EXPECT_EQ(line->command, command) << o.output;
        ++made;
    }
    EXPECT_GE(made, 50);
    EXPECT_EQ(makeLineDialog(cmd::Text, nullptr, f.env), nullptr);
}

TEST(ScriptDialogs, AnOutputThatIsNoSingleCommandBecomesAText) {
    EXPECT_FALSE(lineFromOutput("").has_value());
    const std::optional<LineValues> wpos = lineFromOutput("<WPOS2:00010,00020Calculator>");
    ASSERT_TRUE(wpos.has_value());
    EXPECT_EQ(wpos->command, cmd::Text);
    EXPECT_EQ(std::get<TextRun>(wpos->payload).text, "<WPOS2:00010,00020Calculator>");
    EXPECT_EQ(lineFromOutput("<BEEP><BEEP>")->command, cmd::Text);
    EXPECT_EQ(lineFromOutput("<WAITWIN:010:Notes>")->command, cmd::WaitForWindow);
}

}  // namespace
}  // namespace orv::script
