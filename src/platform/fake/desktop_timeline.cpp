#include "platform/fake/desktop_timeline.h"

#include <algorithm>

namespace orv::fake {

void DesktopTimeline::start(std::vector<TimedEvent> events, Deliver deliver) {
    events_ = std::move(events);
    std::stable_sort(events_.begin(), events_.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.atMs < b.atMs; });
    next_ = 0;
    deliver_ = std::move(deliver);
    start_ = clock_.tickCount();
}

void DesktopTimeline::deliverDue() {
    while (next_ < events_.size() && events_[next_].atMs <= elapsed()) {
        const TimedEvent& event = events_[next_++];
        record("event " + std::to_string(event.atMs) + " " + event.line);
        std::vector<HookMessage> messages;
        std::string error;
        // Events were checked when the script was loaded.
        if (!applyTimedEvent(event, desktop_, messages, error)) continue;
        if (deliver_)
            for (const HookMessage& m : messages) deliver_(m);
    }
}

void DesktopTimeline::processMessages() {
    inner_.processMessages();
    deliverDue();
}

bool DesktopTimeline::inputPossible() {
    if (pending() > 0 || inner_.inputPossible()) return true;
    if (!endlessWait_) record("wait without end: no scripted event is left that could end it");
    endlessWait_ = true;
    return false;
}

void DesktopTimeline::waitFor(std::uint32_t milliseconds) {
    std::uint64_t remaining = milliseconds;
    while (remaining > 0) {
        deliverDue();
        std::uint64_t step = remaining;
        if (next_ < events_.size()) {
            const std::uint64_t now = elapsed();
            const std::uint64_t due = events_[next_].atMs > now ? events_[next_].atMs - now : 0;
            if (due > 0 && due < step) step = due;
        }
        inner_.waitFor(static_cast<std::uint32_t>(step));
        remaining -= step;
    }
    deliverDue();
}

}  // namespace orv::fake
