#pragma once

#include "platform/clock.h"

namespace orv::fake {

// A clock that stands still until a test moves it. Advancing moves the tick count and the
// wall clock together.
class FakeClock final : public IClock {
public:
    FakeClock();
    explicit FakeClock(const LocalTime& start) { set(start); }

    std::uint64_t tickCount() const override { return ticks_; }
    LocalTime now() const override { return fromDateSerial(serial_); }

    void set(const LocalTime& time);
    void advanceMs(std::uint64_t ms);
    void setTickCount(std::uint64_t ticks) { ticks_ = ticks; }

private:
    std::uint64_t ticks_ = 1000000;
    double serial_ = 0;
};

}  // namespace orv::fake
