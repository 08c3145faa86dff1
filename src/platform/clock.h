#pragma once

#include <cstdint>

namespace orv {

// A broken-down local date and time.
struct LocalTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 6;  // 0 = Sunday .. 6 = Saturday

    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// Time as the program sees it: a monotonic millisecond tick and the local wall clock.
class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::uint64_t tickCount() const = 0;
    virtual LocalTime now() const = 0;
};

// Date serial numbers as stored in macro records: days since 30 December 1899,
// the fraction being the time of day.
double toDateSerial(const LocalTime& t);
LocalTime fromDateSerial(double serial);

// Day of the week (0 = Sunday) of a proleptic Gregorian date.
int dayOfWeek(int year, int month, int day);
bool isLeapYear(int year);
int daysInMonth(int year, int month);

// The real clock of the machine.
class SystemClock final : public IClock {
public:
    std::uint64_t tickCount() const override;
    LocalTime now() const override;
};

}  // namespace orv
