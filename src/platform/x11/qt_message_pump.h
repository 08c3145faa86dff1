#pragma once

#include <chrono>

#include "platform/message_pump.h"

namespace orv::x11 {

// The main thread's Qt event queue as the engine's message pump. Without a Qt application
// (a test, a tool) there is no queue: waits then simply block until their deadline.
class QtMessagePump final : public IMessagePump {
public:
    // Handles what is queued, at most once a millisecond. The first call after a quiet spell (a
    // playback that the event loop has just started) only starts that millisecond.
    void processMessages() override;
    bool due() const override;
    void waitFor(std::uint32_t milliseconds) override;

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kProcessInterval{1000};
    static constexpr std::chrono::milliseconds kQuiet{20};
    bool dueAt(Clock::time_point now) const;
    Clock::time_point lastProcessed_{};
    Clock::time_point lastAsked_{};
};

}  // namespace orv::x11
