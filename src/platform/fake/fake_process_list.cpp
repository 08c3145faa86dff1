#include "platform/fake/trace_quoted.h"
#include "platform/fake/fake_process_list.h"

#include <string>

namespace orv::fake {

std::vector<ProcessInfo> FakeProcessList::processes() {
    record("process list -> " + std::to_string(processes_.size()));
    return processes_;
}

std::string FakeProcessList::processName(std::int32_t pid) {
    std::string name;
    for (const ProcessInfo& p : processes_)
        if (p.pid == pid) name = p.name;
    record("process name " + std::to_string(pid) + " -> " + traceQuoted(name));
    return name;
}

void FakeProcessList::removeProcess(std::int32_t pid) {
    std::erase_if(processes_, [pid](const ProcessInfo& p) { return p.pid == pid; });
}

}  // namespace orv::fake
