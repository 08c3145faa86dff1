// The dry run of orvanta-cli play, as a user runs it.
#include <gtest/gtest.h>

#include <string>

#include "store/macro_record.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

test::CommandResult play(const std::string& arguments) {
    return test::runCommand(std::string(ORV_CLI_PATH) + " play " + arguments);
}

TEST(CliPlay, PrintsEveryPlatformCallInOrder) {
    const test::CommandResult r = play(
        "--now 2024-03-05T14:05:09 --clipboard 'x<TAB>' --pause abort "
        "--text 'A<hh:mm{Y}><CLIPTYPE><SPKEY:0020>b<PAUSE>c'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "key down 16\nkey down 65\nkey up 65\nkey up 16\n"
              "key down 49\nkey up 49\nkey down 52\nkey up 52\n"
              "key down 16\nkey down 186\nkey up 186\nkey up 16\n"
              "key down 48\nkey up 48\nkey down 53\nkey up 53\n"
              "clipboard get text -> \"x<TAB>\"\n"
              "key down 88\nkey up 88\nkey down 9\nkey up 9\n"
              "wait 20 ms\nkey down 66\nkey up 66\n"
              "hide main window\n"
              "pause window \"Pause\" \"\" \"\" at 337,400 size 224x94 -> abort\n"
              "focus back 0 -> 0\nshow main window\nfocus back 0 -> 0\n");
}

TEST(CliPlay, PlaysAStoredMacroFromAPrivateCopy) {
    test::TempDir dir;
    const std::string file = dir.file("MINE.ORV");
    TMacroRecord r;
    r.NickName = "Hello";
    r.MacroText = "hi<MACDEL:Hello>";
    r.HotKeyCode = 30000;
    r.Scope = 1;
    r.Active = 1;
    r.IconName = "MAIN";
    const RecordBytes bytes = encodeRecord(r);
    test::writeFile(file, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));

    const test::CommandResult out = play("--file '" + file + "' --macro Hello");
    ASSERT_EQ(out.status, 0) << out.out;
    EXPECT_EQ(out.out.rfind("key down 72\nkey up 72\nkey down 73\nkey up 73\n", 0), 0u) << out.out;
    EXPECT_NE(out.out.find("host lock shared file -> ok\nhost before delete 1\n"), std::string::npos) << out.out;
    // The user's file is untouched.
    EXPECT_EQ(test::readFile(file), std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    EXPECT_EQ(play("--file '" + file + "' --macro hello").status, 1);
}

TEST(CliPlay, AbortAndStepBoundStopAMacro) {
    test::CommandResult r = play("--abort-at 1 --text 'ab'");
    EXPECT_EQ(r.out,
              "key down 65\nkey up 65\nmessages abort\nhide main window\n"
              "message window \"Macro Abort\" \"Orvanta 99 macro has been aborted.\"\nshow main window\n"
              "set foreground 0\n");
    r = play("--max-steps 5 --text '<REPEAT:9999><REPEAT:9999>x<ENDREP><ENDREP>'");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"Macro Abort\""), std::string::npos);
}

TEST(CliPlay, BadOptionsAreOneLineErrors) {
    for (const char* args :
         {"", "--text a --file b", "--file x.ORV", "--text a --now 2024-13-01", "--text a --pause later",
          "--text a --repeat-count x", "--file /no/such.ORV --macro m", "--text"}) {
        const test::CommandResult r = play(args);
        EXPECT_EQ(r.status, 1) << args;
    }
    EXPECT_EQ(play("--help").status, 0);
}

}  // namespace
}  // namespace orv
