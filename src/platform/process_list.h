#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct ProcessInfo {
    std::int32_t pid = 0;
    // Base name of the process's executable as the system gives it (not upper-cased).
    std::string name;
    friend bool operator==(const ProcessInfo&, const ProcessInfo&) = default;
};

// The running processes of the user.
class IProcessList {
public:
    virtual ~IProcessList() = default;
    // Every process that has an executable, in the order the system lists them.
    virtual std::vector<ProcessInfo> processes() = 0;
    // Base name of one process's executable; empty when the process is gone or unreadable.
    virtual std::string processName(std::int32_t pid) = 0;
};

}  // namespace orv
