#pragma once

#include <cstdint>

namespace orv {

// Blocks the calling thread for a time without handling any message: the program does not
// respond meanwhile. Used by "<WAITTIME:", which asks for exactly that.
class IThreadSleep {
public:
    virtual ~IThreadSleep() = default;
    virtual void sleepMs(std::uint64_t milliseconds) = 0;
};

// The real thing.
class SystemThreadSleep final : public IThreadSleep {
public:
    void sleepMs(std::uint64_t milliseconds) override;
};

}  // namespace orv
