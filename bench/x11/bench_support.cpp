#include "bench_support.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

extern char** environ;

namespace orv::bench {

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env, int stdoutFd, int stderrFd) {
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced = std::any_of(env.begin(), env.end(), [&](const std::string& x) {
            return x.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (!replaced) envStrings.push_back(entry);
    }
    envStrings.insert(envStrings.end(), env.begin(), env.end());
    std::vector<char*> envp;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings = args;
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    if (stderrFd >= 0) posix_spawn_file_actions_adddup2(&actions, stderrFd, 2);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        std::fprintf(stderr, "could not start %s: %s\n", argv[0], std::strerror(rc));
        return -1;
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

Receiver::Receiver(const std::string& title, bool textField) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    const std::vector<std::string> args = textField
                                              ? std::vector<std::string>{ORV_TARGET_APP, "--stamped", "--window", title}
                                              : std::vector<std::string>{ORV_KEY_RECEIVER, "--title", title};
    pid_ = spawn(args, {"QT_QPA_PLATFORM=xcb"}, fds[1]);
    ::close(fds[1]);
    fd_ = fds[0];
    reader_ = std::thread([this] { readLoop(); });
    // Mapped first, then taken on by the window manager.
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(20), [&] { return window_ != 0 || closed_; });
    const unsigned long id = window_;
    lock.unlock();
    if (id == 0) return;
    if (!waitOnRoot([&] { return isManaged(id); }, std::chrono::seconds(20))) {
        window_ = 0;
    }
}

Receiver::~Receiver() {
    const unsigned long id = window_;
    stop(pid_);
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) ::close(fd_);
    // A later window may get the same id: the window manager must have let go of this one first.
    if (id != 0) {
        waitOnRoot([&] { return !isManaged(id); }, std::chrono::seconds(20));
    }
}

void Receiver::readLoop() {
    std::string partial;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0) break;
        partial.append(buffer, static_cast<std::size_t>(n));
        std::size_t start = 0;
        std::vector<Key> parsed;
        unsigned long window = 0;
        for (std::size_t nl; (nl = partial.find('\n', start)) != std::string::npos; start = nl + 1) {
            const std::string line = partial.substr(start, nl - start);
            if (line.rfind("window ", 0) == 0) {
                window = std::strtoul(line.c_str() + 7, nullptr, 10);
            } else if (line.rfind("key ", 0) == 0) {
                Key key;
                char hex[256] = {0};
                long long ns = 0;
                if (std::sscanf(line.c_str(), "key %lld %255s %lu", &ns, hex, &key.keysym) != 3) continue;
                key.ns = ns;
                if (std::strcmp(hex, "-") != 0) {
                    for (std::size_t i = 0; i + 1 < std::strlen(hex); i += 2) {
                        const char pair[3] = {hex[i], hex[i + 1], 0};
                        key.text += static_cast<char>(std::strtoul(pair, nullptr, 16));
                    }
                }
                parsed.push_back(std::move(key));
            }
        }
        partial.erase(0, start);
        {
            std::lock_guard lock(mutex_);
            if (window != 0) window_ = window;
            keys_.insert(keys_.end(), parsed.begin(), parsed.end());
        }
        cv_.notify_all();
    }
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    cv_.notify_all();
}

std::size_t Receiver::count() {
    std::lock_guard lock(mutex_);
    return keys_.size();
}

std::vector<Receiver::Key> Receiver::keys() {
    std::lock_guard lock(mutex_);
    return keys_;
}

bool Receiver::waitFor(std::size_t from, const std::function<bool(const std::vector<Key>&)>& done,
                       std::chrono::milliseconds deadline) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, deadline, [&] {
        const std::vector<Key> tail(keys_.begin() + static_cast<std::ptrdiff_t>(std::min(from, keys_.size())),
                                    keys_.end());
        return done(tail);
    });
}

std::string visibleText(const std::vector<Receiver::Key>& keys, std::size_t from) {
    std::string out;
    for (std::size_t i = from; i < keys.size(); ++i) {
        for (const char c : keys[i].text) {
            if (c == '\b') {
                // Remove one whole UTF-8 character.
                while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
                if (!out.empty()) out.pop_back();
            } else {
                out += c;
            }
        }
    }
    return out;
}

Summary summarize(std::vector<double> values) {
    Summary s;
    s.n = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    auto at = [&](double q) {
        return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
    };
    s.min = values.front();
    s.max = values.back();
    s.median = values.size() % 2 == 1 ? values[values.size() / 2]
                                      : (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
    s.p10 = at(0.1);
    s.p90 = at(0.9);
    return s;
}

std::string describe(const Summary& s, const char* unit) {
    char line[200];
    std::snprintf(line, sizeof line, "median %.3f %s (min %.3f, p10 %.3f, p90 %.3f, max %.3f; n=%zu)", s.median, unit,
                  s.min, s.p10, s.p90, s.max, s.n);
    return line;
}

std::string loadLine() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return "load average " + a + " " + b + " " + c + ", " + std::to_string(::sysconf(_SC_NPROCESSORS_ONLN)) +
           " processors";
}

}  // namespace orv::bench
