#pragma once

#include <sys/wait.h>

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

}  // namespace orv::test
