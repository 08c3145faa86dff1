#pragma once

#include <semaphore.h>

#include <array>
#include <string>

#include "platform/unique_fd.h"

namespace orv {

// The named shared-memory block and the three named semaphores that exist for the program's
// whole run. Each name is its traditional one, the user id and a random part, so that another
// user can neither guess it (and create it first, which would stop the program from starting)
// nor hand the program an object of theirs: every object is created new (O_EXCL), mode 0600.
class NamedObjects {
public:
    NamedObjects() = default;
    ~NamedObjects();
    NamedObjects(const NamedObjects&) = delete;
    NamedObjects& operator=(const NamedObjects&) = delete;

    // Creates them; on failure returns the message to show (title "System Error").
    std::string create();

    const std::string& sharedMemoryName() const { return shmName_; }
    const std::array<std::string, 3>& semaphoreNames() const { return semNames_; }

private:
    std::string shmName_;
    UniqueFd shm_;
    std::array<std::string, 3> semNames_;
    std::array<sem_t*, 3> sems_{};
};

}  // namespace orv
