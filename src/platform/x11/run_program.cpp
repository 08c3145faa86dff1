#include "platform/x11/run_program.h"
#include "platform/unique_fd.h"

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

std::string searchPath() {
    if (const char* path = std::getenv("PATH")) return path;
    return "/usr/local/bin:/usr/bin:/bin";
}

int exitCodeOf(std::optional<int> status) { return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1; }

// The reading end of a pipe that holds `bytes` and whose writing end is closed already, so that
// the reader sees the end of the input; invalid when the pipe cannot be made or the bytes do not
// fit into its buffer.
UniqueFd filledPipe(const std::string& bytes) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return {};
    UniqueFd readEnd(fds[0]);
    const UniqueFd writeEnd(fds[1]);
    ::fcntl(writeEnd.get(), F_SETFL, O_NONBLOCK);  // too much for the buffer fails instead of blocking
    if (::write(writeEnd.get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) return {};
    return readEnd;
}

}  // namespace

std::string findOnPath(std::string_view name, std::string_view path) {
    if (name.empty() || name.find('/') != std::string_view::npos) return {};
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(':', start);
        std::string folder(path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (folder.empty()) folder = ".";
        const std::string candidate = folder + "/" + std::string(name);
        if (isExecutableFile(candidate)) return candidate;
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
}

std::string findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string();
    return findOnPath(name, searchPath());
}

Spawned spawnProgram(const std::string& path, const std::vector<std::string>& argv, const SpawnOptions& options) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!options.directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.directory.c_str());
    if (options.streams == Streams::Quiet) {
        if (options.input >= 0) {
            posix_spawn_file_actions_adddup2(&actions, options.input, 0);
        } else {
            posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        }
        if (options.output >= 0) {
            posix_spawn_file_actions_adddup2(&actions, options.output, 1);
        } else {
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        }
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    // Nothing of this process but standard input, output and error: not the X connections, the
    // hook library's pipes, nor a descriptor some library opened without close-on-exec. This
    // comes after the dup2 above, which may read a descriptor above 2.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);
    // A session of its own: a terminal's Ctrl+C or hang-up meant for this process does not reach
    // what it started.
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (options.newSession) flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attributes, flags);

    Spawned s;
    s.error = ::posix_spawn(&s.pid, path.c_str(), &actions, &attributes, args.data(), environ);
    if (s.error != 0) s.pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return s;
}

std::optional<int> waitForStatus(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return std::nullopt;
    }
    return status;
}

ProgramOutcome runProgram(const std::vector<std::string>& argv, std::chrono::milliseconds deadline,
                          const std::string& input) {
    ProgramOutcome outcome;
    if (argv.empty()) return outcome;
    const std::string path = findProgram(argv[0]);
    if (path.empty()) return outcome;
    UniqueFd in;
    if (!input.empty()) {
        in = filledPipe(input);
        if (!in) return outcome;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return outcome;
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);
    SpawnOptions options;
    options.streams = Streams::Quiet;
    options.input = in.get();
    options.output = writeEnd.get();
    const pid_t pid = spawnProgram(path, argv, options).pid;
    in.reset();
    writeEnd.reset();
    if (pid < 0) return outcome;
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
        pollfd p{readEnd.get(), POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t n = ::read(readEnd.get(), buffer, sizeof buffer);
        if (n > 0) {
            outcome.output.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            open = false;
        }
    }
    readEnd.reset();
    if (late) ::kill(pid, SIGKILL);
    const int code = exitCodeOf(waitForStatus(pid));
    outcome.finished = !late;
    outcome.exitCode = late ? -1 : code;
    return outcome;
}

bool startProgram(const std::vector<std::string>& argv) {
    if (argv.empty()) return false;
    const std::string path = findProgram(argv[0]);
    if (path.empty()) return false;
    SpawnOptions options;
    options.streams = Streams::Quiet;
    options.newSession = true;
    const pid_t pid = spawnProgram(path, argv, options).pid;
    if (pid < 0) return false;
    // The program runs in a session of its own; a thread of ours reaps it when it ends, so it
    // never lingers as a zombie and nothing here waits for it.
    std::thread([pid] { waitForStatus(pid); }).detach();
    return true;
}

}  // namespace orv::x11
