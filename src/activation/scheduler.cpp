#include "activation/scheduler.h"

#include <algorithm>

#include "engine/ansi_upper.h"
#include "engine/window_control.h"

namespace orv {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
// ",Sun" .. ",Sat" and the index of each day in ScheduleDays (Monday first).
constexpr std::array<const char*, 7> kDayTags = {",Sun", ",Mon", ",Tue", ",Wed", ",Thu", ",Fri", ",Sat"};

int dayFlagIndex(int dayOfWeek) { return (dayOfWeek + 6) % 7; }

int msOfDay(const LocalTime& t) { return ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond; }
int msOfHour(const LocalTime& t) { return (t.minute * 60 + t.second) * 1000 + t.millisecond; }
bool sameDate(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}
bool dateBefore(const LocalTime& a, const LocalTime& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

// "9:05AM"
std::string timeText(const TMacroRecord& r) {
    std::string minute = std::to_string(r.ScheduleMinute);
    if (minute.size() == 1) minute = "0" + minute;
    return std::to_string(r.ScheduleHour) + ":" + minute + (r.SchedulePM != 0 ? "PM" : "AM");
}

template <std::size_t N>
std::string nameAt(const std::array<const char*, N>& names, int oneBased) {
    return oneBased >= 1 && oneBased <= static_cast<int>(N) ? names[static_cast<std::size_t>(oneBased - 1)] : "";
}

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// Whether the schedule's time of day, on a day that `selected` accepts, lies in (prev, now].
template <typename Pred>
bool timeDue(const LocalTime& prev, const LocalTime& now, int entryMs, Pred selected) {
    if (sameDate(prev, now)) return selected(now) && msOfDay(prev) < entryMs && entryMs <= msOfDay(now);
    if (dateBefore(now, prev)) return false;  // the clock was set back a day or more
    return (selected(prev) && msOfDay(prev) < entryMs) || (selected(now) && entryMs <= msOfDay(now));
}

}  // namespace

int scheduleHour24(int hour12, bool pm) {
    if (pm) return hour12 == 12 ? 12 : hour12 + 12;
    return hour12 == 12 ? 0 : hour12;
}

void DefaultTimer(TMacroRecord& record, const LocalTime& today) {
    record.ScheduleKind = static_cast<std::int16_t>(ScheduleKind::Daily);
    record.ScheduleDays.fill(1);
    record.ScheduleHour = 12;
    record.ScheduleMinute = 0;
    record.SchedulePM = 1;
    record.ScheduleMonth = static_cast<std::uint8_t>(today.month);
    record.ScheduleDay = static_cast<std::uint8_t>(today.day);
    record.ScheduleYear = static_cast<std::uint16_t>(today.year);
    record.HourlyMinute = 15;
    record.IntervalMinutes = 15;
    record.ScheduleWeekday = static_cast<std::uint8_t>(today.dayOfWeek + 1);
}

std::string GetSched(const TMacroRecord& r) {
    switch (static_cast<ScheduleKind>(r.ScheduleKind)) {
        case ScheduleKind::AtStartup:
            return "At Startup";
        case ScheduleKind::Once:
            return "Once at " + timeText(r) + " on " + std::to_string(r.ScheduleDay) + " " +
                   nameAt(kMonthNames, r.ScheduleMonth) + " " + std::to_string(r.ScheduleYear);
        case ScheduleKind::Hourly:
            return "Hourly at " + std::to_string(r.HourlyMinute) + " minutes past the hour";
        case ScheduleKind::Daily: {
            std::string out = "Daily at " + timeText(r);
            for (int dow = 0; dow < 7; ++dow)
                if (r.ScheduleDays[static_cast<std::size_t>(dayFlagIndex(dow))] != 0)
                    out += kDayTags[static_cast<std::size_t>(dow)];
            return out;
        }
        case ScheduleKind::Weekly:
            return "Weekly at " + timeText(r) + " on " + nameAt(kWeekdayNames, r.ScheduleWeekday);
        case ScheduleKind::Monthly:
            return "Monthly at " + timeText(r) + " on day " + std::to_string(r.ScheduleDay) + " of each month";
        case ScheduleKind::Other:
            return "every " + std::to_string(r.IntervalMinutes) + " minutes";
        case ScheduleKind::TimeOut:
            return "after " + std::to_string(r.IntervalMinutes) + " minutes of idle time";
    }
    return "";
}

bool refuseScreenSaver(const TAppSettings& settings, const TActivationTable& table) {
    if (!settings.DisableScreenSaver) return false;
    for (int j = 1; j <= table.MacroCount() && j <= kMaxMacros; ++j)
        if (table.Active(j) && table.HotKeyCode(j) == kCodeTimed) return true;
    return false;
}

std::string dateTimeText(const LocalTime& t) {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return std::to_string(t.month) + "/" + std::to_string(t.day) + "/" + std::to_string(t.year) + "  " +
           std::to_string(hour12) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second) +
           (t.hour < 12 ? " AM" : " PM");
}

std::string mainWindowCaption(const std::string& fileName, bool showDate, const LocalTime& now, BrowseMode mode) {
    std::string caption = "Orvanta 99 (" + fileName + ")";
    if (showDate) caption += "     " + dateTimeText(now);
    if (mode == BrowseMode::BrowseAll) caption += "    (Browse All Mode)";
    if (mode == BrowseMode::Browse) caption += "    (Browse Mode)";
    return caption;
}

Scheduler::Scheduler(TActivationTable& table, const TAppSettings& settings, IHookLibrary& hook, const IClock& clock,
                     WindowControl& windows, ITimedMacroPlayer& player)
    : table_(table), settings_(settings), hook_(hook), clock_(clock), windows_(windows), player_(player) {}

void Scheduler::start() {
    previous_ = clock_.now();
    CheckAndSetTime();
}

void Scheduler::CheckAndSetTime() {
    entries_.clear();
    ++generation_;
    bool idle = false;
    const std::uint64_t nowTicks = clock_.tickCount();
    for (int j = 1; j <= table_.MacroCount() && j <= kMaxMacros; ++j) {
        if (!table_.Active(j) || table_.HotKeyCode(j) != kCodeTimed) continue;
        TMacroRecord r;
        if (!player_.readMacroRecord(j, r)) continue;
        const auto kind = static_cast<ScheduleKind>(r.ScheduleKind);
        if (kind == ScheduleKind::TimeOut) idle = true;
        if (kind == ScheduleKind::AtStartup || r.ScheduleKind < 0 || r.ScheduleKind > 7) continue;
        ScheduleEntry e;
        e.macro = static_cast<std::int16_t>(j);
        e.kind = kind;
        e.days = r.ScheduleDays;
        e.month = r.ScheduleMonth;
        e.day = r.ScheduleDay;
        e.hourlyMinute = r.HourlyMinute;
        e.intervalMinutes = r.IntervalMinutes;
        e.weekday = r.ScheduleWeekday;
        e.year = r.ScheduleYear;
        e.timeOfDayMs = (scheduleHour24(r.ScheduleHour, r.SchedulePM != 0) * 60 + r.ScheduleMinute) * 60000;
        e.baseTicks = nowTicks;
        entries_.push_back(e);
    }
    player_.setScheduleTimer(!entries_.empty());
    table_.setIdleSeconds(0);
    if (table_.IdleWatch() != idle) {
        table_.setIdleWatch(idle);
        hook_.OrvUpIdle(table_);
    }
}

bool Scheduler::isDue(ScheduleEntry& e, const LocalTime& now, std::uint64_t nowTicks) {
    const LocalTime& prev = previous_;
    switch (e.kind) {
        case ScheduleKind::Once:
            return timeDue(prev, now, e.timeOfDayMs, [&](const LocalTime& d) {
                return d.year == e.year && d.month == e.month && d.day == e.day;
            });
        case ScheduleKind::Hourly:
            if (e.hourlyMinute == 0) return now.hour != prev.hour;
            return msOfHour(prev) < e.hourlyMinute * 60000 && e.hourlyMinute * 60000 <= msOfHour(now);
        case ScheduleKind::Daily:
            return timeDue(prev, now, e.timeOfDayMs, [&](const LocalTime& d) {
                return e.days[static_cast<std::size_t>(dayFlagIndex(d.dayOfWeek))] != 0;
            });
        case ScheduleKind::Weekly:
            return timeDue(prev, now, e.timeOfDayMs, [&](const LocalTime& d) { return d.dayOfWeek + 1 == e.weekday; });
        case ScheduleKind::Monthly:
            return timeDue(prev, now, e.timeOfDayMs, [&](const LocalTime& d) { return d.day == e.day; });
        case ScheduleKind::Other: {
            const std::uint64_t interval = std::uint64_t{e.intervalMinutes} * 60000;
            if (interval == 0 || nowTicks < e.baseTicks || nowTicks - e.baseTicks < interval) return false;
            // Run once however many intervals passed, and stay on the interval's grid.
            e.baseTicks += interval * ((nowTicks - e.baseTicks) / interval);
            return true;
        }
        case ScheduleKind::TimeOut:
            if (std::int64_t{e.intervalMinutes} * 60 >= table_.IdleSeconds()) return false;
            table_.setIdleSeconds(0);
            hook_.OrvUpIdle(table_);
            return true;
        case ScheduleKind::AtStartup:
            break;
    }
    return false;
}

void Scheduler::CheckOutTimerMacros() {
    if (table_.IdleWatch()) {
        hook_.OrvGetIdle(table_);
        table_.setIdleSeconds(table_.IdleSeconds() + settings_.TimerSeconds);
        hook_.OrvUpIdle(table_);
    }
    // A macro started by this tick plays inside it, and ticks keep arriving meanwhile.
    if (tickRunning_) return;
    tickRunning_ = true;
    const LocalTime now = clock_.now();
    const std::uint64_t nowTicks = clock_.tickCount();
    const std::uint64_t generation = generation_;
    // A macro that changes the macro file rebuilds the table while it plays; the pass then ends
    // rather than walk a table that is no longer the one it started with.
    for (std::size_t k = 0; k < entries_.size() && generation == generation_; ++k) {
        if (isDue(entries_[k], now, nowTicks)) runTimedMacro(entries_[k].macro);
    }
    previous_ = now;
    tickRunning_ = false;
}

bool Scheduler::activateScope(const TMacroRecord& r) {
    if (r.Scope == kScopeWindow) return windows_.ActivateIt(r.WindowTitle);
    if (r.Scope == kScopeProgram) return windows_.ActivateProg(r.WindowTitle);
    return true;
}

void Scheduler::runTimedMacro(int j) {
    if (player_.macroPlaying()) return;
    TMacroRecord r;
    if (!player_.readMacroRecord(j, r)) return;
    if (!activateScope(r)) return;
    if (settings_.UseWaveFile) player_.playWaveFile(settings_.WaveFile, settings_.WaveFileWait);
    player_.playTimedMacro(j, r);
}

void Scheduler::DoStartUpMacros(const std::string& nickName) {
    if (!nickName.empty()) {
        const std::string wanted = ansiUpper(nickName);
        for (int j = 1; j <= table_.MacroCount() && j <= kMaxMacros; ++j) {
            if (ansiUpper(settings_.nickName(j)) != wanted) continue;
            TMacroRecord r;
            if (!player_.macroPlaying() && player_.readMacroRecord(j, r)) player_.playNamedMacro(j, r);
            break;
        }
    }
    for (int j = 1; j <= table_.MacroCount() && j <= kMaxMacros; ++j) {
        if (!table_.Active(j) || table_.HotKeyCode(j) != kCodeTimed || player_.macroPlaying()) continue;
        TMacroRecord r;
        if (!player_.readMacroRecord(j, r) || r.ScheduleKind != static_cast<std::int16_t>(ScheduleKind::AtStartup))
            continue;
        // A start-up macro whose window or program is missing ends the pass.
        if (!activateScope(r)) return;
        if (settings_.UseWaveFile) player_.playWaveFile(settings_.WaveFile, settings_.WaveFileWait);
        player_.playTimedMacro(j, r);
    }
}

}  // namespace orv
