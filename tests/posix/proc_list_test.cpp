// The process list read from /proc, with its remembered names.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "platform/x11/proc_list.h"

namespace orv::x11 {
namespace {

using namespace std::chrono_literals;

// A child that waits on a pipe and then runs "sleep 30" in its place.
class ExecingChild {
public:
    ExecingChild() {
        if (::pipe(go_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(go_[1]);
            char byte = 0;
            if (::read(go_[0], &byte, 1) == 1) ::execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(go_[0]);
    }
    ~ExecingChild() { end(); }
    pid_t pid() const { return pid_; }
    void exec() { (void)!::write(go_[1], "x", 1); }
    void end() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::close(go_[1]);
        pid_ = -1;
    }

private:
    int go_[2] = {-1, -1};
    pid_t pid_ = -1;
};

std::string listedName(ProcProcessList& list, pid_t pid) {
    for (const ProcessInfo& p : list.processes())
        if (p.pid == pid) return p.name;
    return {};
}

template <typename Condition>
bool within(std::chrono::milliseconds deadline, Condition condition) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

TEST(ProcProcessList, FollowsAProcessThroughItsStartItsNewProgramAndItsEnd) {
    ProcProcessList list;
    UserPidWatch watch;
    watch.changed();
    ExecingChild child;
    ASSERT_GT(child.pid(), 0);
    EXPECT_TRUE(watch.changed());
    // Listed at once under the program it was started as (this test's own).
    const std::string before = listedName(list, child.pid());
    EXPECT_EQ(before, processNameOf(::getpid()));
    // The name remembered for it is read again when it runs another program soon after.
    child.exec();
    EXPECT_TRUE(within(5s, [&] { return listedName(list, child.pid()) == "sleep"; })) << listedName(list, child.pid());
    child.end();
    EXPECT_TRUE(watch.changed());
    EXPECT_EQ(listedName(list, child.pid()), "");
    const auto all = listAllPids();
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_TRUE(std::binary_search(all.begin(), all.end(), ::getpid()));
}

}  // namespace
}  // namespace orv::x11
