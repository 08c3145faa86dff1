#pragma once

#include <cstdint>

namespace orv {

// The main thread's message queue as the playback engine uses it. Processing messages may run
// other handlers of the program (timers, hook notifications, the abort request).
class IMessagePump {
public:
    virtual ~IMessagePump() = default;

    // Handles the messages that are already pending and returns.
    virtual void processMessages() = 0;

    // Returns after `milliseconds` have passed, handling messages meanwhile. Blocks on the
    // queue until the next message or the deadline; never spins.
    virtual void waitFor(std::uint32_t milliseconds) = 0;
};

}  // namespace orv
