// Script lines and their command dialogs: a line edited in its dialog and confirmed unchanged
// gives back the tag it was read from; a new line's dialog starts on the line's command.
#include "editors/script_dialogs.h"

#include <gtest/gtest.h>

#include <utility>

#include "dialogs/dialog_env.h"
#include "editors/script_lines.h"
#include "editors/script_sample_tags.h"

namespace orv::script {
namespace {

// What the sample tags name exists here, so that the dialogs' checks pass.
void addSampleDesktop(test::DialogFixture& f) {
    for (const char* file :
         {"C:\\Windows\\notepad.exe", "/usr/bin/xterm", "C:\\Sounds\\ding.wav", "chimes.wav", "C:\\Macros\\work.orv",
          "C:\\Text\\notes.txt", "calc.exe", "C:\\Ed\\ed.exe", "C:\\Text\\clip.txt", "C:\\a\\src.txt", "C:\\b\\old.txt",
          "C:\\Clips\\a.avi", "C:\\Clips\\b.avi", "C:\\Clips\\c.avi", "C:\\Windows\\clouds.bmp",
          "/usr/share/backgrounds/bg.png", "C:\\Pics\\shot.bmp"})
        f.files.addFile(file);
    for (const char* folder : {"C:\\Temp", "C:\\Docs"}) f.files.addFolder(folder);
    f.desktop.printerList.push_back("Laser Printer");
    f.desktop.modes.assign(5, {800, 600, 16, 60});
}

// Tags that their dialog writes in another form of the same command: the reposition dialog
// always writes its five-digit form, a web address gets its scheme, and a window-relative mouse
// move may not go left of the window.
constexpr std::pair<std::string_view, std::string_view> kRewritten[] = {
    {"<WPOS:0010,0020Calculator>", "<WPOS2:00010,00020Calculator>"},
    {"<WPOS:-005,0000Calculator>", "<WPOS2:-0005,00000Calculator>"},
    {"<HTTP:www.example.com>", "<HTTP:http://www.example.com>"},
    {"<MMW:-0010,00020>", "refused: Invalid X Position specified.  Please correct."},
};

TEST(ScriptDialogs, ALineConfirmedUnchangedInItsDialogGivesBackItsTag) {
    test::DialogFixture f;
    addSampleDesktop(f);
    for (std::string_view tag : test::kWrittenTags) {
        const std::vector<ScriptLine> lines = readScriptLines(tag);
        ASSERT_EQ(lines.size(), 1u) << tag;
        const int command = commandOfLine(lines[0].text);
        if (command == cmd::Text) continue;
        const auto model = makeLineDialog(command, &lines[0].payload, f.env);
        ASSERT_NE(model, nullptr) << tag;
        std::string_view expected = tag;
        for (const auto& [from, to] : kRewritten)
            if (from == tag) expected = to;
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
