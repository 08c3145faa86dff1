#include "platform/x11/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace orv::x11 {

namespace {

using Clock = std::chrono::steady_clock;

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<char*> argumentPointers(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& a : argv) pointers.push_back(const_cast<char*>(a.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Spawns the program with stdin from /dev/null, stdout to `outFd` (or /dev/null when -1) and
// stderr to /dev/null. Returns the pid or -1.
pid_t spawn(const std::string& path, const std::vector<std::string>& argv, int outFd, bool newSession) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession) flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attributes, flags);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);
    std::vector<char*> args = argumentPointers(argv);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int waitForExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string findProgram(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t from = 0;
    while (from <= dirs.size()) {
        std::size_t end = dirs.find(':', from);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = end > from ? dirs.substr(from, end - from) : std::string(".");
        const std::string candidate = dir + "/" + name;
        if (isExecutableFile(candidate)) return candidate;
        from = end + 1;
    }
    return {};
}

ProgramOutcome runProgram(const std::vector<std::string>& argv, std::chrono::milliseconds deadline) {
    ProgramOutcome outcome;
    if (argv.empty()) return outcome;
    const std::string path = findProgram(argv[0]);
    if (path.empty()) return outcome;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return outcome;
    const pid_t pid = spawn(path, argv, fds[1], false);
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return outcome;
    }
    outcome.started = true;
    // Read the output until the program closes its end or the deadline passes; poll() blocks
    // in between, so the wait costs no CPU.
    const auto end = Clock::now() + deadline;
    bool open = true;
    bool late = false;
    char buffer[4096];
    while (open) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) {
            late = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) {
            outcome.output.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            open = false;
        }
    }
    ::close(fds[0]);
    if (late) ::kill(pid, SIGKILL);
    const int code = waitForExit(pid);
    outcome.finished = !late;
    outcome.exitCode = late ? -1 : code;
    return outcome;
}

bool startProgram(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    const std::string path = findProgram(argv[0]);
    if (path.empty()) return false;
    const pid_t pid = spawn(path, argv, -1, true);
    if (pid < 0) return false;
    // The program runs in a session of its own; a thread of ours reaps it when it ends, so it
    // never lingers as a zombie and nothing here waits for it.
    std::thread([pid] { waitForExit(pid); }).detach();
    return true;
}

}  // namespace orv::x11
