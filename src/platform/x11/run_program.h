#pragma once

// Starting programs directly with an argument vector, never through a shell: the helper
// programs of the desktop (gio, nmcli, gsettings, xdg-open ...) and whatever a macro opens.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::x11 {

// The first executable regular file named `name` in the folders of `searchPath` (a
// colon-separated list; an empty entry is the current folder); "" when there is none or when
// `name` holds a slash.
std::string findOnPath(std::string_view name, std::string_view searchPath);

// The full path of a program found on PATH (or the name itself when it holds a slash and is
// executable); empty when there is none.
std::string findProgram(const std::string& name);

// Where a started program's standard streams lead.
enum class Streams {
    Inherited,  // to this process's standard input, output and error
    Quiet,      // input from /dev/null, output to SpawnOptions::output, errors to /dev/null
};

struct SpawnOptions {
    std::string directory;  // the folder it starts in; empty: this process's
    Streams streams = Streams::Inherited;
    int input = -1;           // with Streams::Quiet: its standard input (-1: /dev/null)
    int output = -1;          // with Streams::Quiet: its standard output (-1: /dev/null)
    bool newSession = false;  // lead a session of its own, away from our terminal
};

struct Spawned {
    pid_t pid = -1;
    int error = 0;  // the errno of a start that failed, 0 when it started
};

// Starts the program file `path` (taken as it is, no search) with `argv` (argv[0] included).
// Every program gets default signal handling, an empty signal mask and no descriptor of this
// process but the standard three. The exec happens before this returns, so its failure is
// known at once. The caller waits for the process.
Spawned spawnProgram(const std::string& path, const std::vector<std::string>& argv, const SpawnOptions& options = {});

// The wait status of child `pid` once it has ended (waiting through interruptions); none when
// it cannot be waited for (it is no child of ours, or someone else reaped it).
std::optional<int> waitForStatus(pid_t pid);

struct ProgramOutcome {
    bool started = false;   // false: the program could not be started at all
    bool finished = false;  // false: it was still running at the deadline and was killed
    int exitCode = -1;      // the exit status when it finished normally, else -1
    std::string output;     // what it wrote on its standard output
};

// Runs argv[0] (looked up on PATH) with its arguments and waits for it to end or for the
// deadline, whichever comes first. Its standard input is `input` through a pipe (a few
// kilobytes at most; nothing goes through the file system), or /dev/null when empty. Standard
// error is discarded.
ProgramOutcome runProgram(const std::vector<std::string>& argv,
                          std::chrono::milliseconds deadline = std::chrono::seconds(30), const std::string& input = {});

// Starts argv[0] detached from this process (it outlives us and is never a zombie of ours).
// False when it could not be started.
bool startProgram(const std::vector<std::string>& argv);

}  // namespace orv::x11
