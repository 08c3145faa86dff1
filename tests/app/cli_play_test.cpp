// The dry run of orvanta-cli play, as a user runs it.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "store/macro_record.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

test::CommandResult play(const std::string& arguments) {
    return test::runCommand(std::string(ORV_CLI_PATH) + " play " + arguments);
}

TMacroRecord macro(const std::string& nick, const std::string& text) {
    TMacroRecord r;
    r.NickName = nick;
    r.MacroText = text;
    r.HotKeyCode = 30000;
    r.Scope = 1;
    r.Active = 1;
    r.IconName = "MAIN";
    return r;
}

// A macro file of `records`; its bytes.
std::string writeMacroFile(const std::string& path, const std::vector<TMacroRecord>& records) {
    std::string bytes;
    for (const TMacroRecord& r : records) {
        const RecordBytes b = encodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    test::writeFile(path, bytes);
    return bytes;
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
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

// "<MACDEL:", "<MACACT:" and "<MACDEACT:" change the loaded copy as they would change the file,
// and the trace shows it; the user's file stays as it was.
TEST(CliPlay, CommandsOnMacrosChangeThePrivateCopyOnly) {
    test::TempDir dir;
    const std::string file = dir.file("MINE.ORV");
    const std::string bytes =
        writeMacroFile(file, {macro("Main", "<MACDEACT:Other><MACDEL:Gone><MACRUN:Gone><MACACT:Other>"),
                              macro("Gone", "zz"), macro("Other", "")});
    const test::CommandResult out = play("--file '" + file + "' --macro Main");
    ASSERT_EQ(out.status, 0) << out.out;
    EXPECT_NE(out.out.find("host lock shared file -> ok\nOrvUpItem 3\nhost active changed 3 timed 0\n"
                           "host release shared file\n"),
              std::string::npos)
        << out.out;
    EXPECT_NE(out.out.find("host macro deleted 2 timed 0 popup 0\nhost release shared file\n"), std::string::npos);
    EXPECT_EQ(out.out.find("key down 90"), std::string::npos) << "the deleted macro was run";
    // "Other" is macro 2 once "Gone" is deleted.
    EXPECT_NE(out.out.find("OrvUpItem 2\nhost active changed 2 timed 0\n"), std::string::npos) << out.out;
    EXPECT_EQ(test::readFile(file), bytes);
    EXPECT_EQ(play("--file '" + file + "' --macro main").status, 1);
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

// A wait without a time-out stops as soon as nothing scripted is left that could end it, with a
// line saying so and exit status 3; while something is left, it waits for it.
TEST(CliPlay, AWaitNothingCanEndStopsTheRun) {
    test::TempDir dir;
    const std::string clicks = dir.file("clicks.txt");
    test::writeFile(clicks, "at 300 click left\n");
    const std::string endless = "wait without end: no scripted event is left that could end it\n";
    struct Case {
        std::string options;
        int status;
        bool typedB;
    };
    for (const Case& c :
         {Case{"", 3, false}, Case{"--desktop '" + clicks + "'", 0, true}, Case{"--abort-at 9", 0, false}}) {
        const test::CommandResult r = play(c.options + " --text 'a<WAITLM:000>b'");
        EXPECT_EQ(r.status, c.status) << c.options << "\n" << r.out;
        EXPECT_EQ(r.out.find("key down 66") != std::string::npos, c.typedB) << c.options;
        EXPECT_EQ(r.out.find(endless) != std::string::npos, c.status == 3) << r.out;
    }
    EXPECT_EQ(play("--text '<WAITLM:000>'").out.rfind("OrvUpWaits\n" + endless + "OrvUpWaits\nhide main window\n", 0),
              0u);
}

// --max-steps bounds the waits too: a wait whose event is far away ends after that many looks.
TEST(CliPlay, StepBoundEndsALongWait) {
    test::TempDir dir;
    const std::string late = dir.file("late.txt");
    test::writeFile(late, "at 99999999 click left\n");
    const test::CommandResult r = play("--max-steps 20 --desktop '" + late + "' --text '<WAITLM:000>x'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(count(r.out, "wait 100 ms\n"), 21);
    EXPECT_NE(r.out.find("wait 100 ms\nmessages max-steps\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("key down 88"), std::string::npos);
}

// A dry run of a file while it runs: its lines come out as they are made, its copy of the file
// is in a private folder, and the folder goes when a signal ends the run, or at the next run
// when the run was killed outright.
class CliPlayScratch : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = dir_.file("runtime");
        std::filesystem::create_directory(runtime_);
        ::chmod(runtime_.c_str(), 0700);
        file_ = dir_.file("LONG.ORV");
        writeMacroFile(file_, {macro("Long", "<REPEAT:9999><REPEAT:9999>x<ENDREP><ENDREP>")});
    }

    // Starts a run whose standard output is `out`'s reading end; its pid.
    pid_t start(int out[2]) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
            ::setenv("TMPDIR", runtime_.c_str(), 1);
            ::execl(ORV_CLI_PATH, ORV_CLI_PATH, "play", "--max-steps", "0", "--file", file_.c_str(), "--macro", "Long",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        return pid;
    }

    std::vector<std::string> scratchFolders() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(runtime_)) names.push_back(e.path().filename());
        return names;
    }

    test::TempDir dir_;
    std::string runtime_;
    std::string file_;
};

TEST_F(CliPlayScratch, ASignalEndsTheRunWithoutLeavingItsCopy) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        const pid_t pid = start(out);
        // The first line arrives while the run goes on (it would take hours).
        pollfd p{out[0], POLLIN, 0};
        char line[16] = {};
        ASSERT_EQ(::poll(&p, 1, 10000), 1) << "nothing printed while running";
        ASSERT_GT(::read(out[0], line, sizeof line - 1), 0);
        EXPECT_EQ(std::string(line).rfind("key down 88\n", 0), 0u) << line;
        EXPECT_EQ(scratchFolders().size(), 1u);
        if (signal == SIGPIPE) {
            ::close(out[0]);  // the reader goes away, as `| head` does
        } else {
            ::kill(pid, signal);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "signal " << signal << " status " << status;
        EXPECT_EQ(scratchFolders(), std::vector<std::string>{}) << "signal " << signal;
        if (signal != SIGPIPE) ::close(out[0]);
    }
}

TEST_F(CliPlayScratch, TheNextRunRemovesTheCopyOfARunThatWasKilled) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = start(out);
    pollfd p{out[0], POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 10000), 1);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(out[0]);
    ASSERT_EQ(scratchFolders().size(), 1u);
    const test::CommandResult r = test::runCommand("XDG_RUNTIME_DIR='" + runtime_ + "' " + ORV_CLI_PATH +
                                                   " play --file '" + file_ + "' --macro Long --max-steps 3");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(scratchFolders(), std::vector<std::string>{});
}

}  // namespace
}  // namespace orv
