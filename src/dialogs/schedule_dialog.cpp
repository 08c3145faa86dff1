#include "dialogs/schedule_dialog.h"

#include "dialogs/dialog_text.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kKinds = {"startup", "once", "hourly", "daily", "weekly", "monthly", "other", "timeout"};
const std::vector<std::string> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
const std::vector<std::string> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
// The day boxes in screen order (Sunday first) and their index in the record (Monday first).
const char* const kDayBoxes[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
constexpr std::size_t kDayIndex[] = {6, 0, 1, 2, 3, 4, 5};

std::string twoDigits(int n) { return padNumber(n, 2); }

// Days in a month as the dialog counts them: February has 29 days in every year divisible by 4.
int monthLength(int month, std::int64_t year) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && year % 4 == 0) return 29;
    return lengths[month - 1];
}

}  // namespace

ScheduleValues defaultSchedule(const LocalTime& today) {
    ScheduleValues s;
    s.kind = 3;
    s.days.fill(1);
    s.hour = 12;
    s.minute = 0;
    s.pm = 1;
    s.month = today.month;
    s.day = today.day;
    s.year = today.year;
    s.hourlyMinute = 15;
    s.intervalMinutes = 15;
    s.weekday = today.dayOfWeek + 1;
    return s;
}

ScheduleValues scheduleOf(const TMacroRecord& r) {
    ScheduleValues s;
    s.kind = r.ScheduleKind;
    s.days = r.ScheduleDays;
    s.hour = r.ScheduleHour;
    s.minute = r.ScheduleMinute;
    s.pm = r.SchedulePM;
    s.month = r.ScheduleMonth;
    s.day = r.ScheduleDay;
    s.year = r.ScheduleYear;
    s.hourlyMinute = r.HourlyMinute;
    s.intervalMinutes = r.IntervalMinutes;
    s.weekday = r.ScheduleWeekday;
    return s;
}

void applySchedule(const ScheduleValues& s, TMacroRecord& r) {
    r.ScheduleKind = static_cast<std::int16_t>(s.kind);
    r.ScheduleDays = s.days;
    r.ScheduleHour = static_cast<std::uint8_t>(s.hour);
    r.ScheduleMinute = static_cast<std::uint8_t>(s.minute);
    r.SchedulePM = static_cast<std::uint8_t>(s.pm);
    r.ScheduleMonth = static_cast<std::uint8_t>(s.month);
    r.ScheduleDay = static_cast<std::uint8_t>(s.day);
    r.ScheduleYear = static_cast<std::uint16_t>(s.year);
    r.HourlyMinute = static_cast<std::uint8_t>(s.hourlyMinute);
    r.IntervalMinutes = static_cast<std::uint16_t>(s.intervalMinutes);
    r.ScheduleWeekday = static_cast<std::uint8_t>(s.weekday);
}

TDoSchedule::TDoSchedule()
    : DialogModel({
          choiceField("kind", "daily", kKinds),
          textField("hour", "12", 2),
          textField("minute", "00", 2),
          choiceField("ampm", "pm", {"am", "pm"}),
          choiceField("month", "January", kMonths),
          textField("day", "1", 2),
          textField("year", "1998", 4),
          textField("hourlyminutes", "15", 2),
          checkField("sun", "1"),
          checkField("mon", "1"),
          checkField("tue", "1"),
          checkField("wed", "1"),
          checkField("thu", "1"),
          checkField("fri", "1"),
          checkField("sat", "1"),
          choiceField("weekday", "Sunday", kWeekdays),
          textField("monthday", "1", 2),
          textField("otherminutes", "15", 3),
          textField("timeoutminutes", "15", 3),
      }) {}

void TDoSchedule::show(const DialogEnv& env) {
    if (loaded_) return;
    load(defaultSchedule(env.clock != nullptr ? env.clock->now() : SystemClock().now()));
}

void TDoSchedule::load(const ScheduleValues& s) {
    loaded_ = true;
    base_ = s;
    if (s.kind >= 0 && s.kind <= 7) set("kind", kKinds[static_cast<std::size_t>(s.kind)]);
    set("hour", std::to_string(s.hour));
    set("minute", twoDigits(s.minute));
    set("ampm", s.pm != 0 ? "pm" : "am");
    if (s.month >= 1 && s.month <= 12) set("month", kMonths[static_cast<std::size_t>(s.month - 1)]);
    set("day", std::to_string(s.day));
    set("year", std::to_string(s.year));
    set("hourlyminutes", twoDigits(s.hourlyMinute));
    for (std::size_t i = 0; i < 7; ++i) setFlag(kDayBoxes[i], s.days[kDayIndex[i]] != 0);
    if (s.weekday >= 1 && s.weekday <= 7) set("weekday", kWeekdays[static_cast<std::size_t>(s.weekday - 1)]);
    set("monthday", std::to_string(s.day));
    set("otherminutes", twoDigits(s.intervalMinutes));
    set("timeoutminutes", twoDigits(s.intervalMinutes));
}

std::optional<Outcome> TDoSchedule::checkTime(ScheduleValues& v) {
    const auto hour = parseWhole(text("hour"));
    if (!hour || *hour < 1 || *hour > 12) return Outcome::fail("hour", "Invalid hour specified.");
    const auto minute = parseWhole(text("minute"));
    if (!minute || *minute < 0 || *minute > 59) return Outcome::fail("minute", "Invalid minute specified.");
    v.hour = static_cast<int>(*hour);
    v.minute = static_cast<int>(*minute);
    return std::nullopt;
}

// The date of a macro that runs once: a real day that has not passed yet.
std::optional<Outcome> TDoSchedule::checkDate(ScheduleValues& v, const DialogEnv& env) {
    const int month = choiceIndex("month") + 1;
    const auto year = parseWhole(text("year"));
    if (!year || *year < 1 || *year > 9999) return Outcome::fail("year", "Invalid year specified.");
    const auto day = parseWhole(text("day"));
    if (!day || *day < 1 || *day > monthLength(month, *year))
        return Outcome::fail("day", "Invalid day of month specified.");
    const LocalTime today = env.clock != nullptr ? env.clock->now() : SystemClock().now();
    const char* early = nullptr;
    if (*year < today.year)
        early = "year";
    else if (*year == today.year && month < today.month)
        early = "month";
    else if (*year == today.year && month == today.month && *day < today.day)
        early = "day";
    if (early != nullptr) return Outcome::fail(early, "Specified date has already elapsed.");
    v.month = month;
    v.day = static_cast<int>(*day);
    v.year = static_cast<int>(*year);
    return std::nullopt;
}

// The one number field of the hourly, monthly, interval and time-out kinds.
std::optional<Outcome> TDoSchedule::checkNumber(ScheduleValues& v) {
    struct NumberField {
        int kind;
        const char* field;
        std::int64_t lo, hi;
        const char* message;
        int ScheduleValues::*value;
    };
    static constexpr NumberField kFields[] = {
        {2, "hourlyminutes", 0, 59, "Invalid minutes specified.", &ScheduleValues::hourlyMinute},
        {5, "monthday", 1, 31, "Invalid day of month specified.", &ScheduleValues::day},
        {6, "otherminutes", 1, 720, "Invalid minutes specified.  Must be between 1 and 720.",
         &ScheduleValues::intervalMinutes},
        {7, "timeoutminutes", 1, 90, "Invalid minutes specified.  Must be between 1 and 90.",
         &ScheduleValues::intervalMinutes},
    };
    for (const NumberField& f : kFields) {
        if (f.kind != v.kind) continue;
        const auto n = parseWhole(text(f.field));
        if (!n || *n < f.lo || *n > f.hi) return Outcome::fail(f.field, f.message);
        v.*f.value = static_cast<int>(*n);
    }
    return std::nullopt;
}

Outcome TDoSchedule::doCheck(const DialogEnv& env) {
    ScheduleValues v = base_;
    v.kind = choiceIndex("kind");
    for (std::size_t i = 0; i < 7; ++i) v.days[kDayIndex[i]] = flag(kDayBoxes[i]) ? 1 : 0;
    const bool timed = v.kind == 1 || (v.kind >= 3 && v.kind <= 5);
    if (timed) {
        if (auto failure = checkTime(v)) return *failure;
    }
    if (v.kind == 1) {
        if (auto failure = checkDate(v, env)) return *failure;
    }
    if (auto failure = checkNumber(v)) return *failure;
    v.pm = get("ampm") == "pm" ? 1 : 0;
    v.weekday = choiceIndex("weekday") + 1;
    values_ = v;
    return Outcome::ok("");
}

std::vector<std::pair<std::string, std::string>> TDoSchedule::results() const {
    std::string days;
    for (std::uint8_t d : values_.days) days += d != 0 ? '1' : '0';
    return {{"kind", std::to_string(values_.kind)},
            {"days", days},
            {"hour", std::to_string(values_.hour)},
            {"minute", std::to_string(values_.minute)},
            {"pm", std::to_string(values_.pm)},
            {"month", std::to_string(values_.month)},
            {"day", std::to_string(values_.day)},
            {"year", std::to_string(values_.year)},
            {"hourlyminute", std::to_string(values_.hourlyMinute)},
            {"intervalminutes", std::to_string(values_.intervalMinutes)},
            {"weekday", std::to_string(values_.weekday)}};
}

}  // namespace orv::dialogs
