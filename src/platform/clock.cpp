#include "platform/clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace orv {

namespace {

// Days from 1970-01-01 to a civil date (Howard Hinnant's algorithm).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long long kSerialEpoch = daysFromCivil(1899, 12, 30);

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

int dayOfWeek(int year, int month, int day) {
    const long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    // 1970-01-01 was a Thursday (4).
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

double toDateSerial(const LocalTime& t) {
    const long long days =
        daysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) - kSerialEpoch;
    const double fraction = (t.hour * 3600000.0 + t.minute * 60000.0 + t.second * 1000.0 + t.millisecond) / 86400000.0;
    return static_cast<double>(days) + fraction;
}

LocalTime fromDateSerial(double serial) {
    LocalTime t;
    if (!std::isfinite(serial) || serial > 2958465.0 || serial < -693593.0) return t;  // outside 0001..9999
    const double whole = std::floor(serial);
    long long ms = std::llround((serial - whole) * 86400000.0);
    long long days = static_cast<long long>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        ++days;
    }
    civilFromDays(days + kSerialEpoch, t.year, t.month, t.day);
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    t.dayOfWeek = dayOfWeek(t.year, t.month, t.day);
    return t;
}

std::uint64_t SystemClock::tickCount() const {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

LocalTime SystemClock::now() const {
    using namespace std::chrono;
    const auto nowPoint = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(nowPoint);
    std::tm tm{};
    localtime_r(&secs, &tm);
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.millisecond = static_cast<int>(duration_cast<milliseconds>(nowPoint.time_since_epoch()).count() % 1000);
    t.dayOfWeek = tm.tm_wday;
    return t;
}

}  // namespace orv
