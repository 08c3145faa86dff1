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
    // Whether processMessages would handle messages now (a pump may look at the queue only now
    // and then): the engine sends the keys it holds back before it lets other handlers run.
    virtual bool due() const { return true; }

    // Returns after `milliseconds` have passed, handling messages meanwhile. Blocks on the
    // queue until the next message or the deadline; never spins.
    virtual void waitFor(std::uint32_t milliseconds) = 0;

    // Whether anything may still happen that a wait without a time-out looks for (a window, a
    // program ending, a click, a key, typed text, an abort). On a desktop there always may; a
    // scripted one answers false once its script has nothing left to happen.
    virtual bool inputPossible() { return true; }
};

}  // namespace orv
