#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/process_list.h"

namespace orv::x11 {

// The current user's processes from /proc, in pid order: the base name of /proc/<pid>/exe, or
// the kernel's short name (comm) when the link cannot be read.
std::vector<ProcessInfo> listUserProcesses();
// The name of one process as above; empty when it is gone or not the user's.
std::string processNameOf(std::int32_t pid);
// Every process id in /proc, whoever runs it, in order: one directory read, no look-up per process.
std::vector<std::int32_t> listAllPids();

// Tells whether the user's processes changed since the last call, cheaply enough to ask every
// second: /proc is read once, and only processes not seen before are looked up.
class UserPidWatch {
public:
    bool changed();

private:
    std::vector<std::int32_t> all_;  // every pid at the last call, in order
    std::vector<bool> users_;        // whether each of them is the user's
};

// The user's processes with their names remembered between calls: only processes new since the
// last call are looked up, so that listing them whenever one starts or ends stays cheap. A
// process's name is read again until it has lived a while, because a new process usually
// replaces its program (exec) just after it was started; after a long pause every name is read
// again, because a process id may have passed to another program meanwhile.
class ProcProcessList final : public IProcessList {
public:
    std::vector<ProcessInfo> processes() override;
    std::string processName(std::int32_t pid) override { return processNameOf(pid); }

private:
    struct Known {
        std::string name;  // empty: not the user's
        std::chrono::steady_clock::time_point firstSeen;
    };
    std::map<std::int32_t, Known> known_;
    std::chrono::steady_clock::time_point lastListed_;
};

}  // namespace orv::x11
