#pragma once

#include <functional>
#include <vector>

#include "platform/clock.h"
#include "platform/fake/desktop_script.h"
#include "platform/message_pump.h"

namespace orv::fake {

// A message pump that lets the scripted desktop change over time: it hands every call to an
// inner pump and, whenever the clock has reached a timed event of the desktop script, performs
// it (recorded as `event <ms> <event>`) and delivers the hook messages it makes. A wait that
// an event falls into is split at the event, as a real queue would wake for it.
class DesktopTimeline final : public IMessagePump, public Recorder {
public:
    using Deliver = std::function<void(const HookMessage&)>;

    DesktopTimeline(Transcript& shared, IMessagePump& inner, const IClock& clock, FakeDesktop& desktop)
        : Recorder(shared), inner_(inner), clock_(clock), desktop_(desktop), start_(clock.tickCount()) {}

    // The events (in time order) and where their hook messages go. Times count from now.
    void start(std::vector<TimedEvent> events, Deliver deliver);

    void processMessages() override;
    void waitFor(std::uint32_t milliseconds) override;
    // While an event of the script (or of the inner pump) is still to come. The first time
    // nothing is left for a wait without a time-out, records
    // `wait without end: no scripted event is left that could end it`.
    bool inputPossible() override;

    std::size_t pending() const { return events_.size() - next_; }
    // A wait was found that nothing could end.
    bool endlessWait() const { return endlessWait_; }

private:
    std::uint64_t elapsed() const { return clock_.tickCount() - start_; }
    void deliverDue();

    IMessagePump& inner_;
    const IClock& clock_;
    FakeDesktop& desktop_;
    std::uint64_t start_;
    std::vector<TimedEvent> events_;
    std::size_t next_ = 0;
    Deliver deliver_;
    bool endlessWait_ = false;
};

}  // namespace orv::fake
