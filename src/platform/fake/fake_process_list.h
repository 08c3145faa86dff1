#pragma once

#include <vector>

#include "platform/fake/transcript.h"
#include "platform/process_list.h"

namespace orv::fake {

// Scripted running processes, recorded as `process list -> 3` and `process name 100 -> "gedit"`.
class FakeProcessList final : public IProcessList, public Recorder {
public:
    using Recorder::Recorder;

    std::vector<ProcessInfo> processes() override;
    std::string processName(std::int32_t pid) override;

    void setProcesses(std::vector<ProcessInfo> processes) { processes_ = std::move(processes); }
    void addProcess(const ProcessInfo& process) { processes_.push_back(process); }
    void removeProcess(std::int32_t pid);
    const std::vector<ProcessInfo>& current() const { return processes_; }

private:
    std::vector<ProcessInfo> processes_;
};

}  // namespace orv::fake
