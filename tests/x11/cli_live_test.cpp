// orvanta-cli play --live: the command-line tool typing a macro into the focused window of the
// real desktop.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/x11/x11_window_system.h"
#include "x11_test_support.h"

extern char** environ;

namespace orv::x11 {
namespace {

using namespace test;
using Clock = std::chrono::steady_clock;

struct CliRun {
    int status = -1;  // the exit status; -1 when it did not end by itself in time
    std::string errors;
};

// Runs orvanta-cli with `args`, without DISPLAY when `withDisplay` is false; its standard error
// is kept. A run that outlives the deadline is killed.
CliRun runCli(const std::vector<std::string>& args, bool withDisplay = true) {
    CliRun run;
    std::vector<std::string> argStore = {ORV_CLI_PATH};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** e = environ; *e != nullptr; ++e) {
        if (withDisplay || std::string(*e).rfind("DISPLAY=", 0) != 0) envp.push_back(*e);
    }
    envp.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    const auto end = Clock::now() + kDeadline;
    char buffer[4096];
    bool ended = false;  // its standard error closed: it is exiting
    while (!ended) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            ended = true;
        else
            run.errors.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (!ended) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (ended && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

class CliLiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        app_ = std::make_unique<TargetApp>(std::vector<std::string>{"Orvanta CLI Target"});
        const unsigned long window = app_->window(0);
        ASSERT_NE(window, 0u);
        auto windows = X11WindowSystem::create();
        ASSERT_TRUE(windows);
        ASSERT_TRUE(test::activate(*windows, static_cast<WindowId>(window)));
    }

    std::unique_ptr<TargetApp> app_;
};

TEST_F(CliLiveTest, TypesTheMacroIntoTheFocusedWindow) {
    // Letters outside the layout, a command, a line break and a shifted key.
    const CliRun run = runCli({"play", "--live", "--text",
                               "Gr\xC3\xBC\xC3\x9F"
                               "e \xE2\x82\xAC 5<ENTER>ok<SHIFT>x"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors.find("orvanta-cli:"), std::string::npos) << run.errors;
    const std::string expected =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE2\x82\xAC 5\rokX";
    EXPECT_EQ(app_->waitForText(0, expected.size()), expected);
}

TEST_F(CliLiveTest, MessagesOfTheMacroGoToStandardError) {
    const CliRun run = runCli({"play", "--live", "--text", "a<TBOX:<HEAD:Hint>Done here>b"});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("Done here"), std::string::npos) << run.errors;
    EXPECT_EQ(app_->waitForText(0, 2), "ab");
}

TEST(CliLiveWithoutDisplayTest, ExplainsAndFails) {
    const CliRun run = runCli({"play", "--live", "--text", "abc"}, false);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("X display"), std::string::npos) << run.errors;
}

}  // namespace
}  // namespace orv::x11
