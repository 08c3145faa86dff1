#include "app/orvanta/named_objects.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orv {

namespace {

constexpr const char* kMemoryError = "Memory Mapped File could not be created.  Orvanta will terminate.";
constexpr const char* kMutexError = "Mutex could not be created.  Orvanta will terminate.";
constexpr const char* kSemaphoreBases[3] = {"OR88aveR", "ORKZaveR", "ORQJaveR"};
constexpr off_t kBlockSize = 19788;
// A fresh random name that is taken already is tried again, a few times.
constexpr int kAttempts = 8;

// "/<base>-<uid>-<16 random hex digits>"; empty when the system has no randomness to give.
std::string freshName(const char* base) {
    unsigned char bytes[8];
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) return {};
    char hex[17];
    for (std::size_t i = 0; i < sizeof bytes; ++i) std::snprintf(hex + 2 * i, 3, "%02x", bytes[i]);
    return "/" + std::string(base) + "-" + std::to_string(::geteuid()) + "-" + hex;
}

// Creates a new shared-memory block of `size` bytes that only this user can use.
UniqueFd createBlock(const char* base, off_t size, std::string& name) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = freshName(base);
        if (name.empty()) return {};
        UniqueFd fd(::shm_open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600));
        if (!fd) {
            if (errno == EEXIST) continue;
            return {};
        }
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0 ||
            ::ftruncate(fd.get(), size) != 0) {
            ::shm_unlink(name.c_str());
            return {};
        }
        return fd;
    }
    return {};
}

// Opens a new semaphore (count 1) that only this user can use.
sem_t* createSemaphore(const char* base, std::string& name) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = freshName(base);
        if (name.empty()) return nullptr;
        sem_t* sem = ::sem_open(name.c_str(), O_CREAT | O_EXCL, 0600, 1);
        if (sem != SEM_FAILED) return sem;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

}  // namespace

std::string NamedObjects::create() {
    shm_ = createBlock("ORBA1KGR", kBlockSize, shmName_);
    if (!shm_) {
        shmName_.clear();
        return kMemoryError;
    }
    for (std::size_t i = 0; i < sems_.size(); ++i) {
        sems_[i] = createSemaphore(kSemaphoreBases[i], semNames_[i]);
        if (sems_[i] == nullptr) {
            semNames_[i].clear();
            return kMutexError;
        }
    }
    return {};
}

NamedObjects::~NamedObjects() {
    for (std::size_t i = 0; i < sems_.size(); ++i) {
        if (sems_[i] == nullptr) continue;
        ::sem_close(sems_[i]);
        ::sem_unlink(semNames_[i].c_str());
    }
    if (shm_) ::shm_unlink(shmName_.c_str());
}

}  // namespace orv
