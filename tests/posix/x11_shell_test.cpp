// Opening programs, documents, folders and addresses: real processes started from real files,
// with a stand-in xdg-open on PATH that records what it gets.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/x11/x11_shell.h"

namespace orv::x11 {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kDeadline = 20s;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text, fs::perms mode) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    fs::permissions(path, mode);
}

constexpr fs::perms kExecutable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec;
constexpr fs::perms kReadable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;

// The processes a shell started, as they are reaped.
class ExitLog {
public:
    void attach(X11Shell& shell) {
        shell.setExitObserver([this](pid_t pid, int status) {
            {
                std::lock_guard lock(mutex_);
                ended_.emplace_back(pid, status);
            }
            cv_.notify_all();
        });
    }
    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, kDeadline, [&] { return ended_.size() >= count; });
    }
    std::vector<std::pair<pid_t, int>> ended() {
        std::lock_guard lock(mutex_);
        return ended_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<std::pair<pid_t, int>> ended_;
};

// PATH for the length of a test.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path) {
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", old_.c_str(), 1); }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    std::string old_ = "/usr/bin:/bin";
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "orvanta-shell-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = fs::canonical(pattern);
        fs::create_directory(bin());
        fs::create_directory(work());
        exits_.attach(shell_);
    }
    void TearDown() override {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }

    fs::path bin() const { return dir_ / "bin"; }
    fs::path work() const { return dir_ / "work"; }
    fs::path openerLog() const { return dir_ / "opener.log"; }
    std::string pathWithStandIns() const { return bin().string() + ":/usr/bin:/bin"; }

    // The stand-in xdg-open: logs "<its folder>|<argument count>|<first argument>", then runs
    // `tail` (by default: ends with status 0).
    void standInOpener(const std::string& tail = "exit 0") {
        writeFile(bin() / "xdg-open",
                  "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$(pwd -P)\" \"$#\" \"$1\" >> '" + openerLog().string() + "'\n" +
                      tail + "\n",
                  kExecutable);
    }

    fs::path dir_;
    ExitLog exits_;  // outlives the shell, which stops calling it when destroyed
    X11Shell shell_;
};

TEST(SplitParametersTest, BlanksSeparateAndDoubleQuotesGroup) {
    const struct {
        const char* parameters;
        std::vector<std::string> arguments;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b", {"a", "b"}},
        {"  a \t  b  ", {"a", "b"}},
        {"\"a b\" c", {"a b", "c"}},
        {"x \"\" y", {"x", "", "y"}},
        {"pre\"fix suf\"fix", {"prefix suffix"}},
        {"C:\\dir\\file.txt /s", {"C:\\dir\\file.txt", "/s"}},
        {"\"unterminated b", {"unterminated b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameters);
        EXPECT_EQ(splitParameters(c.parameters), c.arguments);
    }
}

TEST_F(ShellTest, AProgramGetsItsArgumentsAndFolderAndNoOtherDescriptor) {
    const fs::path script = dir_ / "list args";  // a blank in the name: the target is quoted
    writeFile(script,
              "#!/bin/sh\nout=$1; fd=$2; shift 2\n"
              "{ pwd -P; if [ -e /proc/$$/fd/$fd ]; then echo 'fd open'; else echo 'fd closed'; fi\n"
              "  for a in \"$@\"; do echo \"[$a]\"; done; } > \"$out\"\n",
              kExecutable);
    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(devNull, 0);
    const int leaked = ::fcntl(devNull, F_DUPFD, 40);  // a copy without close-on-exec
    ::close(devNull);
    ASSERT_GE(leaked, 40);

    const std::string parameters = "out.txt " + std::to_string(leaked) + " one  \"two words\" \"\" caf\xE9";
    const int result = shell_.shellOpen("open", "\"" + script.string() + "\"", parameters, work().string());
    ::close(leaked);
    EXPECT_EQ(result, 42);
    ASSERT_TRUE(exits_.waitFor(1));
    const auto [pid, status] = exits_.ended().front();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // Reaped: not even a zombie is left with this number.
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
    EXPECT_EQ(readAll(work() / "out.txt"), work().string() + "\nfd closed\n[one]\n[two words]\n[]\n[caf\xC3\xA9]\n");
}

TEST_F(ShellTest, TheResultComesWhileTheProgramStillRuns) {
    const fs::path gate = dir_ / "gate";
    ASSERT_EQ(::mkfifo(gate.c_str(), 0600), 0);
    // Read and write: opening never blocks, and the program's reader finds a writer at once.
    const int writer = ::open(gate.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    writeFile(dir_ / "wait.sh", "#!/bin/sh\nread line < \"$1\"\n", kExecutable);

    EXPECT_EQ(shell_.shellOpen("", (dir_ / "wait.sh").string(), "gate", dir_.string()), 42);
    EXPECT_TRUE(exits_.ended().empty());  // it waits for a line that has not been written
    ASSERT_EQ(::write(writer, "go\n", 3), 3);
    EXPECT_TRUE(exits_.waitFor(1));
    ::close(writer);
}

TEST_F(ShellTest, BareNamesAreProgramsOnThePath) {
    writeFile(bin() / "orv-stand-in-tool", "#!/bin/sh\necho \"$0 $1\" > made.txt\n", kExecutable);
    ScopedPath path(pathWithStandIns());
    EXPECT_EQ(shell_.shellOpen("open", "orv-stand-in-tool", "first second", work().string()), 42);
    EXPECT_EQ(shell_.shellOpen("open", "true", "", ""), 42);
    EXPECT_EQ(shell_.shellOpen("open", "/bin/true", "", ""), 42);
    ASSERT_TRUE(exits_.waitFor(3));
    for (const auto& [pid, status] : exits_.ended()) EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readAll(work() / "made.txt"), (bin() / "orv-stand-in-tool").string() + " first\n");
}

TEST_F(ShellTest, FailuresGiveTheirResultNumbersAndStartNothing) {
    writeFile(dir_ / "plain.sh", "#!/bin/sh\nexit 0\n", kReadable);
    writeFile(dir_ / "image", readAll("/bin/true"), kReadable);
    writeFile(dir_ / "words", "just some words\n", kExecutable);
    writeFile(dir_ / "orphan.sh", "#!/nonexistent/interpreter\n", kExecutable);
    standInOpener();
    ScopedPath path(pathWithStandIns());
    const std::string d = dir_.string();
    const struct {
        const char* verb;
        std::string target;
        std::string directory;
        int result;
    } cases[] = {
        {"open", d + "/missing", "", 2},
        {"open", "missing", d, 2},
        {"open", "orv-no-such-program-anywhere", "", 2},
        {"open", "", "", 2},
        {"open", d + "/no-folder/file", "", 3},
        {"open", d + "/words/file", "", 3},  // a file where a folder should be
        {"open", "/bin/true", d + "/no-folder", 3},
        {"open", d + "/plain.sh", "", 5},   // a script without execute permission
        {"open", d + "/image", "", 5},      // a program image without execute permission
        {"open", d + "/words", "", 11},     // execute permission, but nothing to run
        {"open", d + "/orphan.sh", "", 2},  // its interpreter is missing
        {"print", "/bin/true", "", 31},
        {"explore", d + "/no-folder", "", 3},
        {"explore", d + "/plain.sh", "", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + " " + c.target + " in " + c.directory);
        EXPECT_EQ(shell_.shellOpen(c.verb, c.target, "", c.directory), c.result);
    }
    EXPECT_FALSE(fs::exists(openerLog()));
    EXPECT_TRUE(exits_.ended().empty());
}

TEST_F(ShellTest, DocumentsFoldersAndAddressesGoToTheDesktopOpener) {
    writeFile(dir_ / "notes.txt", "a document\n", kReadable);
    standInOpener();
    ScopedPath path(pathWithStandIns());
    const std::string d = dir_.string();
    const std::string here = fs::canonical(fs::current_path()).string();
    const struct {
        const char* verb;
        std::string target;
        std::string directory;
        std::string logged;  // folder|argument count|argument
    } cases[] = {
        {"open", work().string(), "", here + "|1|" + work().string()},
        {"", d + "/notes.txt", "", here + "|1|" + d + "/notes.txt"},
        {"open", "notes.txt", d, d + "|1|" + d + "/notes.txt"},
        {"open", "http://example.invalid/a?b=c", "", here + "|1|http://example.invalid/a?b=c"},
        {"", "mailto:someone@example.invalid", "", here + "|1|mailto:someone@example.invalid"},
        {"", "www.example.invalid", "", here + "|1|http://www.example.invalid"},
        {"explore", "work", d, d + "|1|" + work().string()},
        {"EXPLORE", work().string(), "", here + "|1|" + work().string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + " " + c.target + " in " + c.directory);
        fs::remove(openerLog());
        // Parameters are for programs; the opener gets the target alone.
        EXPECT_EQ(shell_.shellOpen(c.verb, c.target, "ignored parameters", c.directory), 42);
        EXPECT_EQ(readAll(openerLog()), c.logged + "\n");
    }
}

TEST_F(ShellTest, TheOpenersExitStatusGivesTheResult) {
    writeFile(dir_ / "notes.txt", "a document\n", kReadable);
    ScopedPath path(pathWithStandIns());
    const struct {
        const char* tail;
        int result;
    } cases[] = {
        {"exit 0", 42}, {"exit 1", 31}, {"exit 2", 2},      {"exit 3", 31},
        {"exit 4", 31}, {"exit 5", 5},  {"kill -9 $$", 31},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail);
        standInOpener(c.tail);
        EXPECT_EQ(shell_.shellOpen("open", (dir_ / "notes.txt").string(), "", ""), c.result);
    }
    EXPECT_TRUE(exits_.waitFor(std::size(cases)));
}

TEST_F(ShellTest, WithoutAnOpenerNothingHasAnAssociation) {
    ScopedPath path(bin().string());  // no xdg-open in it
    EXPECT_EQ(shell_.shellOpen("open", work().string(), "", ""), 31);
    EXPECT_EQ(shell_.shellOpen("", "http://example.invalid/", "", ""), 31);
    EXPECT_EQ(shell_.shellOpen("explore", work().string(), "", ""), 31);
    // Programs by path need no opener.
    EXPECT_EQ(shell_.shellOpen("open", "/bin/true", "", ""), 42);
    EXPECT_TRUE(exits_.waitFor(1));
}

TEST_F(ShellTest, AnOpenerStillRunningAfterTheWaitHasOpenedTheTarget) {
    const fs::path gate = dir_ / "gate";
    ASSERT_EQ(::mkfifo(gate.c_str(), 0600), 0);
    const int writer = ::open(gate.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    // The handler stays in the foreground until the gate opens, as xdg-open without a desktop
    // environment runs it.
    standInOpener("read line < '" + gate.string() + "'; exit 4");
    ScopedPath path(pathWithStandIns());
    ExitLog exits;
    {
        X11Shell shell(200ms);
        exits.attach(shell);
        EXPECT_EQ(shell.shellOpen("explore", work().string(), "", ""), 42);
        EXPECT_TRUE(exits.ended().empty());
        ASSERT_EQ(::write(writer, "go\n", 3), 3);
        EXPECT_TRUE(exits.waitFor(1));
    }
    ::close(writer);
}

}  // namespace
}  // namespace orv::x11
