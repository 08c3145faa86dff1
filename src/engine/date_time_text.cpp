#include "engine/date_time_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace orv {

namespace {

constexpr std::array<std::string_view, 7> kDayShort = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 7> kDayLong = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonthShort = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> kMonthLong = {"January",   "February", "March",    "April",
                                                         "May",       "June",     "July",     "August",
                                                         "September", "October",  "November", "December"};

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string number(int value, int width) {
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

bool at(std::string_view s, std::size_t i, std::string_view token) { return s.substr(i, token.size()) == token; }

}  // namespace

std::string formatDate(std::string_view format, const LocalTime& date, bool leadingZeros) {
    const std::size_t dow = static_cast<std::size_t>(date.dayOfWeek % 7);
    const std::size_t month = static_cast<std::size_t>(std::clamp(date.month, 1, 12) - 1);
    if (format == "Day of Week 1") return std::string(kDayShort[dow]);
    if (format == "Day of Week 2") return upper(kDayShort[dow]);
    if (format == "Day of Week 3") return std::string(kDayLong[dow]);
    if (format == "Day of Week 4") return upper(kDayLong[dow]);
    const int width = leadingZeros ? 2 : 1;
    const std::string year = number(date.year, 4);
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        if (at(format, i, "YYYY")) {
            out += year;
            i += 4;
        } else if (at(format, i, "YY")) {
            out += year.substr(year.size() - 2);
            i += 2;
        } else if (at(format, i, "Mmmmm")) {
            out += kMonthLong[month];
            i += 5;
        } else if (at(format, i, "MMM")) {
            out += upper(kMonthShort[month]);
            i += 3;
        } else if (at(format, i, "Mmm")) {
            out += kMonthShort[month];
            i += 3;
        } else if (at(format, i, "MM")) {
            out += number(date.month, width);
            i += 2;
        } else if (at(format, i, "DD")) {
            out += number(date.day, width);
            i += 2;
        } else {
            out += format[i++];
        }
    }
    return out;
}

std::string formatTime(std::string_view format, const LocalTime& time, bool leadingZeros) {
    std::string_view body = format;
    std::string suffix;
    bool twelveHour = true;
    const bool pm = time.hour >= 12;
    if (body.ends_with(" am")) {
        body.remove_suffix(3);
        suffix = pm ? " pm" : " am";
    } else if (body.ends_with(" AM")) {
        body.remove_suffix(3);
        suffix = pm ? " PM" : " AM";
    } else if (body.ends_with("a")) {
        body.remove_suffix(1);
        suffix = pm ? "p" : "a";
    } else {
        twelveHour = false;
    }
    int hour = time.hour;
    if (twelveHour) {
        hour %= 12;
        if (hour == 0) hour = 12;
    }
    std::string out;
    for (std::size_t i = 0; i < body.size();) {
        if (at(body, i, "hh")) {
            out += number(hour, leadingZeros ? 2 : 1);
            i += 2;
        } else if (at(body, i, "mm")) {
            out += number(time.minute, 2);
            i += 2;
        } else if (at(body, i, "ss")) {
            out += number(time.second, 2);
            i += 2;
        } else {
            out += body[i++];
        }
    }
    return out + suffix;
}

LocalTime addDays(const LocalTime& t, int days) {
    // Whole days on the date serial keep the time of day; only the date part is rebuilt.
    LocalTime moved = fromDateSerial(std::floor(toDateSerial(t)) + days);
    moved.hour = t.hour;
    moved.minute = t.minute;
    moved.second = t.second;
    moved.millisecond = t.millisecond;
    return moved;
}

}  // namespace orv
