#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/transcript.h"
#include "platform/message_pump.h"

namespace orv::fake {

// A message queue that never blocks. Waits are recorded as `wait <n> ms`, return at once and,
// when a fake clock is attached, move it on by that much. Processing pending messages is not
// recorded unless a scripted event is delivered: `messages <label>`. Events are scripted by the
// number of the pump call (every processMessages and every wait counts, from 1), and may end a
// run that waits too often (`messages <label>` at the first wait past the bound).
class FakeMessagePump final : public IMessagePump, public Recorder {
public:
    using Recorder::Recorder;
    FakeMessagePump(Transcript& shared, FakeClock* clock) : Recorder(shared), clock_(clock) {}

    void processMessages() override;
    // When a scripted event comes with the next call.
    bool due() const override { return !events_.empty() && events_.begin()->first <= calls_ + 1; }
    void waitFor(std::uint32_t milliseconds) override;

    // Delivers `event` (recorded with `label`) at pump call number `call`.
    void at(std::uint64_t call, std::string label, std::function<void()> event);
    // Delivers `event` (recorded with `label`) once, after wait number `limit`.
    void limitWaits(std::uint64_t limit, std::string label, std::function<void()> event);
    // While a scripted event is still to come.
    bool inputPossible() override { return !events_.empty(); }
    std::uint64_t calls() const { return calls_; }
    std::uint64_t waitedMs() const { return waited_; }
    void attachClock(FakeClock* clock) { clock_ = clock; }

private:
    void deliver();

    FakeClock* clock_ = nullptr;
    std::uint64_t calls_ = 0;
    std::uint64_t waited_ = 0;
    std::uint64_t waits_ = 0;
    std::uint64_t waitLimit_ = 0;
    std::pair<std::string, std::function<void()>> onWaitLimit_;
    std::multimap<std::uint64_t, std::pair<std::string, std::function<void()>>> events_;
};

}  // namespace orv::fake
