#pragma once

#include <chrono>

#include "platform/message_pump.h"

namespace orv::x11 {

// The main thread's Qt event queue as the engine's message pump. Without a Qt application
// (a test, a tool) there is no queue: waits then simply block until their deadline.
class QtMessagePump final : public IMessagePump {
public:
    // Handles what is queued, at most once a millisecond.
    void processMessages() override;
    void waitFor(std::uint32_t milliseconds) override;

private:
    static constexpr std::chrono::microseconds kProcessInterval{1000};
    std::chrono::steady_clock::time_point lastProcessed_{};
};

}  // namespace orv::x11
