#pragma once

// Pieces shared by the benchmarks on a real display: child processes, the key receiver, waits
// woken by the server's events, and a small statistics summary.

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "x11_wait.h"

namespace orv::bench {

using Clock = std::chrono::steady_clock;

// Nanoseconds of CLOCK_MONOTONIC (what the key receiver stamps its lines with).
std::int64_t monotonicNs();

// Starts `args` with the given extra environment; stdout and stderr go to `stdoutFd` and
// `stderrFd` when they are >= 0.
pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env = {}, int stdoutFd = -1,
            int stderrFd = -1);
// Sends SIGTERM and reaps the child.
void stop(pid_t pid);

// Waits woken by the server's events, as the end-to-end tests do.
using x11::test::isManaged;
using x11::test::managedWindows;
using x11::test::waitOnRoot;

// The key receiver (key_receiver.cpp) as a child process; its lines are read on a thread.
class Receiver {
public:
    struct Key {
        std::int64_t ns = 0;
        std::string text;  // UTF-8, empty for keys without text
        unsigned long keysym = 0;
    };

    // The bare key receiver, or (textField) the end-to-end tests' Qt application, whose keys
    // go into a text field.
    explicit Receiver(const std::string& title, bool textField = false);
    ~Receiver();
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    // The window id once it is mapped and managed (0 when it did not come up).
    unsigned long window() const { return window_; }
    std::size_t count();
    std::vector<Key> keys();
    // Waits until the keys received from index `from` on satisfy `done` (or the deadline).
    bool waitFor(std::size_t from, const std::function<bool(const std::vector<Key>&)>& done,
                 std::chrono::milliseconds deadline);

private:
    void readLoop();
    pid_t pid_ = -1;
    int fd_ = -1;
    unsigned long window_ = 0;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Key> keys_;
    bool closed_ = false;
};

// The text of keys[from..], UTF-8, with backspaces applied as the user would see them.
std::string visibleText(const std::vector<Receiver::Key>& keys, std::size_t from = 0);

struct Summary {
    double median = 0, min = 0, max = 0, p10 = 0, p90 = 0;
    std::size_t n = 0;
};
Summary summarize(std::vector<double> values);
std::string describe(const Summary& s, const char* unit);

// Load average of the machine (the 1-minute figure) and the number of processors.
std::string loadLine();

}  // namespace orv::bench
