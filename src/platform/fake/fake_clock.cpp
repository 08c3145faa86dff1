#include "platform/fake/fake_clock.h"

namespace orv::fake {

FakeClock::FakeClock() {
    LocalTime start;
    start.year = 2026;
    start.month = 1;
    start.day = 1;
    start.hour = 12;
    set(start);
}

void FakeClock::set(const LocalTime& time) { serial_ = toDateSerial(time); }

void FakeClock::advanceMs(std::uint64_t ms) {
    ticks_ += ms;
    // Move the wall clock in whole milliseconds from a rounded base to avoid drift.
    LocalTime t = fromDateSerial(serial_);
    const double base = toDateSerial(t);
    serial_ = base + static_cast<double>(ms) / 86400000.0;
}

}  // namespace orv::fake
