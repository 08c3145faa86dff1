#include "app/orvanta/named_objects.h"

#include <fcntl.h>
#include <semaphore.h>
#include <sys/mman.h>
#include <unistd.h>

namespace orv {

namespace {

std::string nameFor(const char* base) { return "/" + std::string(base) + "-" + std::to_string(::getuid()); }

}  // namespace

std::string NamedObjects::create() {
    shmName_ = nameFor("ORBA1KGR");
    shm_ = ::shm_open(shmName_.c_str(), O_CREAT | O_RDWR, 0600);
    if (shm_ < 0 || ::ftruncate(shm_, 19788) != 0)
        return "Memory Mapped File could not be created.  Orvanta will terminate.";
    const char* names[3] = {"OR88aveR", "ORKZaveR", "ORQJaveR"};
    for (int i = 0; i < 3; ++i) {
        semNames_[i] = nameFor(names[i]);
        sem_t* sem = ::sem_open(semNames_[i].c_str(), O_CREAT, 0600, 1);
        if (sem == SEM_FAILED) return "Mutex could not be created.  Orvanta will terminate.";
        sems_[i] = sem;
    }
    return {};
}

NamedObjects::~NamedObjects() {
    for (int i = 0; i < 3; ++i) {
        if (sems_[i] != nullptr) {
            ::sem_close(static_cast<sem_t*>(sems_[i]));
            ::sem_unlink(semNames_[i].c_str());
        }
    }
    if (shm_ >= 0) {
        ::close(shm_);
        ::shm_unlink(shmName_.c_str());
    }
}

}  // namespace orv
