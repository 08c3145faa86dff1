#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"

namespace orv {

// The text of a date format of kDateFormats for `date` (already moved by its day offset).
// With `leadingZeros` the day and month have two digits.
std::string formatDate(std::string_view format, const LocalTime& date, bool leadingZeros);

// The text of a time format of kTimeFormats. With `leadingZeros` the hour has two digits.
std::string formatTime(std::string_view format, const LocalTime& time, bool leadingZeros);

// `t` moved by `days` whole days (negative: into the past), the time of day kept.
LocalTime addDays(const LocalTime& t, int days);

}  // namespace orv
