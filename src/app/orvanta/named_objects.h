#pragma once

#include <string>

namespace orv {

// The named shared-memory block and the three named semaphores that exist for the program's
// whole run, named after their traditional names plus the user id.
class NamedObjects {
public:
    NamedObjects() = default;
    ~NamedObjects();
    NamedObjects(const NamedObjects&) = delete;
    NamedObjects& operator=(const NamedObjects&) = delete;

    // Creates them; on failure returns the message to show (title "System Error").
    std::string create();

private:
    std::string shmName_;
    int shm_ = -1;
    std::string semNames_[3];
    void* sems_[3] = {nullptr, nullptr, nullptr};
};

}  // namespace orv
