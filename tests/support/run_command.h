#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace orv::test {

struct CommandResult {
    int status = -1;  // exit status, -1 when the command did not exit normally
    std::string out;  // standard output and standard error together
};

// Runs a shell command line and collects what it prints.
inline CommandResult runCommand(const std::string& commandLine) {
    CommandResult result;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

// Sends `signal` to a child process and waits, up to `deadline`, for it to end; its wait status,
// or -1 when it had to be killed.
inline int stopChild(pid_t pid, std::chrono::seconds deadline, int signal = SIGTERM) {
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    ::kill(pid, signal);
    pollfd p{fd, POLLIN, 0};
    const bool ended = fd < 0 || ::poll(&p, 1, static_cast<int>(deadline.count() * 1000)) > 0;
    if (fd >= 0) ::close(fd);
    if (!ended) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return ended ? status : -1;
}

}  // namespace orv::test
