// The hand-over between two starts of the program, and what another local user can do to it.
#include "gui/hand_over.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <cstring>

#include "activation/command_line.h"
#include "support/other_user.h"
#include "support/temp_dir.h"

namespace orv::gui {
namespace {

constexpr int kDeadlineMs = 5000;

// Collects what a server is handed until the closing 0.
struct Received {
    std::vector<std::int64_t> values;
    bool complete() const { return !values.empty() && values.back() == 0; }
    HandOverServer::Receiver receiver() {
        return [this](std::int64_t v) { values.push_back(v); };
    }
};

sockaddr_un addressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

// Becomes user 65534 for good (in a child process).
bool becomeOtherUser() {
    return ::setresgid(test::kOtherGid, test::kOtherGid, test::kOtherGid) == 0 &&
           ::setresuid(test::kOtherUid, test::kOtherUid, test::kOtherUid) == 0;
}

TEST(HandOver, ASecondStartHandsItsCommandLineToTheRunningProgram) {
    test::TempDir dir;
    const std::string path = handOverSocketPath(dir.path().string());
    EXPECT_EQ(sendHandOver(path, "/A my macro"), HandOver::NoProgram);
    Received got;
    HandOverServer server(got.receiver());
    ASSERT_EQ(server.listen(path), "");
    EXPECT_EQ(sendHandOver(path, "/A my macro"), HandOver::Delivered);
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.complete(); }, kDeadlineMs));
    EXPECT_EQ(got.values, encodeHandOver("/A my macro"));
}

TEST(HandOver, ASocketNobodyAnswersOnIsTakenOverAndARunningProgramIsNot) {
    test::TempDir dir;
    const std::string path = handOverSocketPath(dir.path().string());
    {
        // A program that died left its socket behind.
        const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = addressOf(path);
        ASSERT_EQ(::bind(left, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(left);
    }
    Received first;
    HandOverServer running(first.receiver());
    ASSERT_EQ(running.listen(path), "");
    HandOverServer second([](std::int64_t) {});
    EXPECT_NE(second.listen(path), "");
    EXPECT_EQ(sendHandOver(path, "x"), HandOver::Delivered);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.complete(); }, kDeadlineMs));
}

// A program of another user listening where the second start looks is never handed the
// command line (it may carry a macro's name, and its switches).
TEST(HandOver, NothingIsHandedToAProgramOfAnotherUser) {
    if (!test::canActAsOtherUser()) GTEST_SKIP() << test::kNeedsRoot;
    test::TempDir dir;
    const std::string path = handOverSocketPath(dir.path().string());
    const sockaddr_un address = addressOf(path);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Bound while still root (the folder is private), listening as the other user.
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) ::_exit(91);
        if (!becomeOtherUser() || ::listen(s, 1) != 0) ::_exit(90);
        (void)!::write(ready[1], "r", 1);
        pollfd waiting{s, POLLIN, 0};
        if (::poll(&waiting, 1, kDeadlineMs) <= 0) ::_exit(92);
        const int c = ::accept(s, nullptr, nullptr);
        // Whatever arrives before the client closes counts.
        char buffer[64];
        ssize_t total = 0, n = 0;
        pollfd p{c, POLLIN, 0};
        while (::poll(&p, 1, kDeadlineMs) > 0 && (n = ::read(c, buffer, sizeof buffer)) > 0) total += n;
        ::_exit(total == 0 ? 0 : 1);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(sendHandOver(path, "/A secret"), HandOver::Foreign);
    int status = -1;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other user's program received bytes";
    ::close(ready[0]);
    ::close(ready[1]);
}

// A program of another user that reaches the socket cannot make the running program play.
TEST(HandOver, ARunningProgramTakesNothingFromAnotherUser) {
    if (!test::canActAsOtherUser()) GTEST_SKIP() << test::kNeedsRoot;
    // A socket the other user can reach (a private folder would keep them out altogether).
    std::string folder = "/tmp/orvanta-reachable-XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    ::chmod(folder.c_str(), 0755);
    const std::string path = handOverSocketPath(folder);
    Received got;
    HandOverServer server(got.receiver());
    ASSERT_EQ(server.listen(path), "");
    ::chmod(path.c_str(), 0777);
    const sockaddr_un address = addressOf(path);
    std::string bytes;
    for (std::int64_t v : encodeHandOver("/A evil")) bytes.append(reinterpret_cast<const char*>(&v), 8);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (!becomeOtherUser() || ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            ::_exit(91);
        (void)!::send(s, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        // The running program closes the connection without reading it.
        pollfd p{s, POLLIN, 0};
        char b = 0;
        ::_exit(::poll(&p, 1, kDeadlineMs) > 0 && ::read(s, &b, 1) <= 0 ? 0 : 1);
    }
    int status = -1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, kDeadlineMs));
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_EQ(status, 0);
    QTest::qWait(50);
    EXPECT_TRUE(got.values.empty());
    ::unlink(path.c_str());
    ::rmdir(folder.c_str());
}

}  // namespace
}  // namespace orv::gui
