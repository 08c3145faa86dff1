#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/process_list.h"

namespace orv::x11 {

// The current user's processes from /proc, in pid order: the base name of /proc/<pid>/exe, or
// the kernel's short name (comm) when the link cannot be read.
std::vector<ProcessInfo> listUserProcesses();
// Only the pids of those processes, in order: cheap enough to compare every second.
std::vector<std::int32_t> listUserPids();
// The name of one process as above; empty when it is gone or not the user's.
std::string processNameOf(std::int32_t pid);

class ProcProcessList final : public IProcessList {
public:
    std::vector<ProcessInfo> processes() override { return listUserProcesses(); }
    std::string processName(std::int32_t pid) override { return processNameOf(pid); }
};

}  // namespace orv::x11
