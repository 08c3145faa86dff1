#pragma once

// Starting helper programs of the desktop (gio, nmcli, gsettings, xdg-open ...) directly with
// an argument vector, never through a shell.

#include <chrono>
#include <string>
#include <vector>

namespace orv::x11 {

// The full path of a program found on PATH (or the name itself when it holds a slash and is
// executable); empty when there is none.
std::string findProgram(const std::string& name);

struct ProgramOutcome {
    bool started = false;   // false: the program could not be started at all
    bool finished = false;  // false: it was still running at the deadline and was killed
    int exitCode = -1;      // the exit status when it finished normally, else -1
    std::string output;     // what it wrote on its standard output
};

// Runs argv[0] (looked up on PATH) with its arguments, stdin from /dev/null, and waits for it
// to end or for the deadline, whichever comes first. Standard error is discarded.
ProgramOutcome runProgram(const std::vector<std::string>& argv,
                          std::chrono::milliseconds deadline = std::chrono::seconds(30));

// Starts argv[0] detached from this process (it outlives us and is never a zombie of ours).
// False when it could not be started.
bool startProgram(const std::vector<std::string>& argv);

}  // namespace orv::x11
