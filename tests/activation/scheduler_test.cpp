#include "activation/scheduler.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "engine/window_control.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_window_system.h"

namespace orv {
namespace {

LocalTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    LocalTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    t.dayOfWeek = dayOfWeek(y, mo, d);
    return t;
}

std::string text(const LocalTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buf;
}

TMacroRecord timed(ScheduleKind kind) {
    TMacroRecord r;
    r.HotKeyCode = kCodeTimed;
    r.Scope = kScopeGlobal;
    r.Active = 1;
    r.ScheduleKind = static_cast<std::int16_t>(kind);
    return r;
}

TMacroRecord at12(TMacroRecord r, int hour, int minute, bool pm) {
    r.ScheduleHour = static_cast<std::uint8_t>(hour);
    r.ScheduleMinute = static_cast<std::uint8_t>(minute);
    r.SchedulePM = pm ? 1 : 0;
    return r;
}

// The resident program as the scheduler sees it: records by number, and a log of what it played.
struct PlayerRecorder final : ITimedMacroPlayer {
    explicit PlayerRecorder(const IClock& c) : clock(c) {}
    bool readMacroRecord(int j, TMacroRecord& record) override {
        if (j < 1 || j > static_cast<int>(records.size())) return false;
        record = records[static_cast<std::size_t>(j - 1)];
        return true;
    }
    bool macroPlaying() const override { return playing; }
    void playWaveFile(const std::string& file, bool wait) override {
        log.push_back("wave " + file + (wait ? " wait" : ""));
    }
    void playTimedMacro(int j, const TMacroRecord&) override {
        log.push_back("play " + std::to_string(j) + " " + text(clock.now()));
        playing = true;
        if (whilePlaying) whilePlaying(j);
        playing = false;
    }
    void playNamedMacro(int j, const TMacroRecord&) override { log.push_back("named " + std::to_string(j)); }
    void setScheduleTimer(bool enabled) override { timer = enabled; }

    const IClock& clock;
    std::vector<TMacroRecord> records;
    std::vector<std::string> log;
    std::function<void(int)> whilePlaying;
    bool playing = false;
    bool timer = false;
};

class SchedulerTest : public ::testing::Test {
protected:
    int add(const TMacroRecord& r) {
        player.records.push_back(r);
        const int j = static_cast<int>(player.records.size());
        table.setMacroCount(j);
        table.setActive(j, r.Active != 0);
        table.setHotKeyCode(j, r.HotKeyCode);
        table.setScope(j, r.Scope);
        settings.NickName[static_cast<std::size_t>(j - 1)] = r.NickName;
        return j;
    }
    // Starts the program at `start` and ticks every `stepSeconds` until `end`.
    void run(const LocalTime& start, const LocalTime& end, int stepSeconds) {
        clock.set(start);
        scheduler.start();
        const double last = toDateSerial(end);
        while (toDateSerial(clock.now()) < last) {
            clock.advanceMs(static_cast<std::uint64_t>(stepSeconds) * 1000);
            hook.setIdleSeconds(table.IdleSeconds());  // no input unless a test says otherwise
            scheduler.CheckOutTimerMacros();
        }
    }

    TActivationTable table;
    TAppSettings settings;
    fake::FakeClock clock;
    fake::FakeHookLibrary hook;
    fake::FakeWindowSystem windowSystem;
    fake::FakeProcessList processes;
    WindowControl windows{windowSystem, processes};
    PlayerRecorder player{clock};
    Scheduler scheduler{table, settings, hook, clock, windows, player};
};

struct RuleCase {
    const char* name;
    TMacroRecord record;
    LocalTime start;
    LocalTime end;
    int stepSeconds;
    std::vector<std::string> runs;
};
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

TMacroRecord daily(std::initializer_list<int> mondayFirstDays, int hour, int minute, bool pm) {
    TMacroRecord r = at12(timed(ScheduleKind::Daily), hour, minute, pm);
    for (int d : mondayFirstDays) r.ScheduleDays[static_cast<std::size_t>(d)] = 1;
    return r;
}
TMacroRecord once(int y, int mo, int d, int hour, int minute, bool pm) {
    TMacroRecord r = at12(timed(ScheduleKind::Once), hour, minute, pm);
    r.ScheduleYear = static_cast<std::uint16_t>(y);
    r.ScheduleMonth = static_cast<std::uint8_t>(mo);
    r.ScheduleDay = static_cast<std::uint8_t>(d);
    return r;
}
TMacroRecord monthly(int day, int hour, int minute, bool pm) {
    TMacroRecord r = at12(timed(ScheduleKind::Monthly), hour, minute, pm);
    r.ScheduleDay = static_cast<std::uint8_t>(day);
    return r;
}
TMacroRecord weekly(int weekday, int hour, int minute, bool pm) {
    TMacroRecord r = at12(timed(ScheduleKind::Weekly), hour, minute, pm);
    r.ScheduleWeekday = static_cast<std::uint8_t>(weekday);
    return r;
}
TMacroRecord hourly(int minute) {
    TMacroRecord r = timed(ScheduleKind::Hourly);
    r.HourlyMinute = static_cast<std::uint8_t>(minute);
    return r;
}
TMacroRecord every(int minutes) {
    TMacroRecord r = timed(ScheduleKind::Other);
    r.IntervalMinutes = static_cast<std::uint16_t>(minutes);
    return r;
}

// 2024-03-03 is a Sunday; 2024 is a leap year, 2023 is not.
const RuleCase kRuleCases[] = {
    {"MidnightDailyRunsOnlyOnItsOwnDay",
     daily({0}, 12, 0, false),
     at(2024, 3, 3, 23, 59, 5),
     at(2024, 3, 6, 0, 1),
     10,
     {"2024-03-04 00:00:05"}},
    {"DailyOnSelectedWeekdays",
     daily({0, 2}, 9, 5, false),
     at(2024, 3, 3, 8),
     at(2024, 3, 10, 23),
     60,
     {"2024-03-04 09:05:00", "2024-03-06 09:05:00"}},
    {"NoonIsTwelvePm",
     daily({0, 1, 2, 3, 4, 5, 6}, 12, 0, true),
     at(2024, 3, 3, 11, 58),
     at(2024, 3, 3, 12, 3),
     60,
     {"2024-03-03 12:00:00"}},
    {"OnceOnALeapDay",
     once(2024, 2, 29, 1, 30, true),
     at(2024, 2, 28, 12),
     at(2024, 3, 1, 18),
     60,
     {"2024-02-29 13:30:00"}},
    {"OnceAlreadyPastAtStartDoesNotRun",
     once(2024, 3, 3, 9, 0, false),
     at(2024, 3, 3, 9, 0, 30),
     at(2024, 3, 4, 12),
     60,
     {}},
    {"OnceAtMidnightOnTheFirstOfTheMonth",
     once(2024, 3, 1, 12, 0, false),
     at(2024, 2, 29, 23, 59, 30),
     at(2024, 3, 1, 0, 5),
     10,
     {"2024-03-01 00:00:00"}},
    {"MonthlyOnTheThirtyFirstSkipsShortMonths",
     monthly(31, 8, 0, false),
     at(2024, 1, 30),
     at(2024, 5, 1),
     60,
     {"2024-01-31 08:00:00", "2024-03-31 08:00:00"}},
    {"MonthlyOnTheTwentyNinthInALeapFebruary",
     monthly(29, 6, 45, true),
     at(2024, 2, 27),
     at(2024, 3, 30),
     60,
     {"2024-02-29 18:45:00", "2024-03-29 18:45:00"}},
    {"MonthlyOnTheTwentyNinthInAnOrdinaryFebruary", monthly(29, 6, 45, true), at(2023, 2, 27), at(2023, 3, 2), 60, {}},
    {"WeeklyOnSaturdayAcrossTheYearEnd",
     weekly(7, 11, 0, true),
     at(2024, 12, 25),
     at(2025, 1, 9),
     60,
     {"2024-12-28 23:00:00", "2025-01-04 23:00:00"}},
    // A tick held up past midnight (a long macro) still runs the late-evening macro, once.
    {"TickDelayedPastMidnightCatchesTheEvening",
     daily({6}, 11, 59, true),
     at(2024, 3, 3, 23, 50),
     at(2024, 3, 4, 0, 30),
     900,
     {"2024-03-04 00:05:00"}},
    {"HourlyAtAMinute",
     hourly(15),
     at(2024, 3, 3, 10),
     at(2024, 3, 3, 13),
     10,
     {"2024-03-03 10:15:00", "2024-03-03 11:15:00", "2024-03-03 12:15:00"}},
    {"HourlyOnTheHour",
     hourly(0),
     at(2024, 3, 3, 22, 30),
     at(2024, 3, 4, 1, 30),
     60,
     {"2024-03-03 23:00:00", "2024-03-04 00:00:00", "2024-03-04 01:00:00"}},
    {"OtherCountsFromTheTableBuild",
     every(15),
     at(2024, 3, 3, 23, 20),
     at(2024, 3, 4, 0, 20),
     10,
     {"2024-03-03 23:35:00", "2024-03-03 23:50:00", "2024-03-04 00:05:00", "2024-03-04 00:20:00"}},
};

class SchedulerRuleTest : public SchedulerTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(SchedulerRuleTest, RunsExactlyAtTheDueTicks) {
    const RuleCase& c = GetParam();
    const int j = add(c.record);
    run(c.start, c.end, c.stepSeconds);
    std::vector<std::string> expected;
    for (const auto& when : c.runs) expected.push_back("play " + std::to_string(j) + " " + when);
    EXPECT_EQ(player.log, expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SchedulerRuleTest, ::testing::ValuesIn(kRuleCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(SchedulerTest, TableHoldsActiveTimedMacrosExceptStartupAndDrivesTheTimer) {
    add(every(5));
    TMacroRecord off = every(5);
    off.Active = 0;
    add(off);
    add(timed(ScheduleKind::AtStartup));
    TMacroRecord hotkey = every(5);
    hotkey.HotKeyCode = 5;
    add(hotkey);
    add(at12(timed(ScheduleKind::Daily), 12, 0, false));
    scheduler.start();
    ASSERT_EQ(scheduler.entries().size(), 2u);
    EXPECT_EQ(scheduler.entries()[0].macro, 1);
    EXPECT_EQ(scheduler.entries()[1].macro, 5);
    EXPECT_EQ(scheduler.entries()[1].timeOfDayMs, 0);  // 12:00 AM
    EXPECT_TRUE(player.timer);
    EXPECT_FALSE(table.IdleWatch());

    table.setActive(1, false);
    table.setActive(5, false);
    scheduler.CheckAndSetTime();
    EXPECT_TRUE(scheduler.entries().empty());
    EXPECT_FALSE(player.timer);
}

TEST_F(SchedulerTest, OtherKeepsItsRhythmAfterALongMacro) {
    const int j = add(every(15));
    bool first = true;
    player.whilePlaying = [&](int) {
        if (first) clock.advanceMs(40 * 60000);  // the first run plays for 40 minutes
        first = false;
    };
    run(at(2024, 3, 3, 10), at(2024, 3, 3, 11, 31), 10);
    const std::string p = "play " + std::to_string(j) + " ";
    EXPECT_EQ(player.log,
              (std::vector<std::string>{p + "2024-03-03 10:15:00", p + "2024-03-03 10:55:10", p + "2024-03-03 11:00:00",
                                        p + "2024-03-03 11:15:00", p + "2024-03-03 11:30:00"}));
}

TEST_F(SchedulerTest, TimeOutRunsAfterItsIdleMinutesAndStartsCountingAgain) {
    TMacroRecord r = timed(ScheduleKind::TimeOut);
    r.IntervalMinutes = 5;
    const int j = add(r);
    settings.TimerSeconds = 10;
    clock.set(at(2024, 3, 3, 9));
    scheduler.start();
    ASSERT_TRUE(table.IdleWatch());
    EXPECT_EQ(hook.libraryTable().IdleWatch(), true);

    auto tick = [&](bool input) {
        clock.advanceMs(10000);
        hook.setIdleSeconds(input ? 0 : table.IdleSeconds());
        scheduler.CheckOutTimerMacros();
    };
    for (int i = 0; i < 20; ++i) tick(false);
    tick(true);  // the user types: the count starts again from one timer period
    for (int i = 0; i < 29; ++i) tick(false);
    EXPECT_TRUE(player.log.empty());
    tick(false);  // 310 idle seconds > 300
    ASSERT_EQ(player.log.size(), 1u);
    EXPECT_EQ(player.log[0], "play " + std::to_string(j) + " 2024-03-03 09:08:30");
    EXPECT_EQ(table.IdleSeconds(), 0);
    for (int i = 0; i < 30; ++i) tick(false);
    EXPECT_EQ(player.log.size(), 1u);
    tick(false);
    EXPECT_EQ(player.log.size(), 2u);
}

TEST_F(SchedulerTest, WindowScopedMacroWithoutItsWindowIsSkippedUntilItsNextDueTime) {
    TMacroRecord r = daily({0, 1, 2, 3, 4, 5, 6}, 9, 0, false);
    r.Scope = kScopeWindow;
    r.WindowTitle = "report";
    add(r);
    run(at(2024, 3, 3, 8, 59), at(2024, 3, 3, 9, 5), 10);
    EXPECT_TRUE(player.log.empty());
    windowSystem.addWindow({7, "Monthly Report - Editor", 100});
    run(at(2024, 3, 3, 9, 5), at(2024, 3, 3, 9, 10), 10);
    EXPECT_TRUE(player.log.empty());
    settings.UseWaveFile = true;
    settings.WaveFile = "/snd/alarm.wav";
    run(at(2024, 3, 4, 8, 59), at(2024, 3, 4, 9, 1), 10);
    EXPECT_EQ(player.log, (std::vector<std::string>{"wave /snd/alarm.wav", "play 1 2024-03-04 09:00:00"}));
    EXPECT_EQ(windowSystem.foregroundWindow(), 7u);
}

TEST_F(SchedulerTest, TicksDuringAPlayingMacroOnlyCountIdleTimeAndSurviveARebuild) {
    add(every(1));
    TMacroRecord idle = timed(ScheduleKind::TimeOut);
    idle.IntervalMinutes = 90;
    add(idle);
    add(every(1));
    int nested = 0;
    player.whilePlaying = [&](int) {
        const auto before = table.IdleSeconds();
        clock.advanceMs(10000);
        hook.setIdleSeconds(before);
        scheduler.CheckOutTimerMacros();  // a tick arrives while the macro plays
        EXPECT_EQ(table.IdleSeconds(), before + settings.TimerSeconds);
        scheduler.CheckAndSetTime();  // the macro changed the macro file
        ++nested;
    };
    run(at(2024, 3, 3, 10), at(2024, 3, 3, 10, 1), 60);
    // Macro 3 was due too, but the rebuild ended that pass.
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(player.log.size(), 1u);
}

TEST_F(SchedulerTest, StartUpRunsTheNamedMacroThenStartupMacrosUntilAScopeIsMissing) {
    TMacroRecord named = at12(timed(ScheduleKind::Daily), 1, 0, false);
    named.NickName = "My Macro";
    add(named);
    add(timed(ScheduleKind::AtStartup));
    TMacroRecord windowed = timed(ScheduleKind::AtStartup);
    windowed.Scope = kScopeWindow;
    windowed.WindowTitle = "Absent";
    add(windowed);
    add(timed(ScheduleKind::AtStartup));
    scheduler.DoStartUpMacros("MY MACRO");
    EXPECT_EQ(player.log, (std::vector<std::string>{"named 1", "play 2 2026-01-01 12:00:00"}));
}

TEST_F(SchedulerTest, ScreenSaverIsRefusedOnlyWithAnActiveTimedMacro) {
    settings.DisableScreenSaver = true;
    EXPECT_FALSE(refuseScreenSaver(settings, table));
    TMacroRecord r = every(5);
    r.Active = 0;
    add(r);
    EXPECT_FALSE(refuseScreenSaver(settings, table));
    table.setActive(1, true);
    EXPECT_TRUE(refuseScreenSaver(settings, table));
    settings.DisableScreenSaver = false;
    EXPECT_FALSE(refuseScreenSaver(settings, table));
}

TEST(ScheduleTextTest, DescribesEveryKind) {
    TMacroRecord r = timed(ScheduleKind::AtStartup);
    EXPECT_EQ(GetSched(r), "At Startup");
    EXPECT_EQ(GetSched(once(2024, 2, 29, 9, 5, false)), "Once at 9:05AM on 29 February 2024");
    EXPECT_EQ(GetSched(hourly(7)), "Hourly at 7 minutes past the hour");
    EXPECT_EQ(GetSched(daily({0, 4, 6}, 12, 30, true)), "Daily at 12:30PM,Sun,Mon,Fri");
    EXPECT_EQ(GetSched(weekly(1, 10, 0, true)), "Weekly at 10:00PM on Sunday");
    EXPECT_EQ(GetSched(monthly(15, 8, 0, false)), "Monthly at 8:00AM on day 15 of each month");
    EXPECT_EQ(GetSched(every(45)), "every 45 minutes");
    TMacroRecord idle = timed(ScheduleKind::TimeOut);
    idle.IntervalMinutes = 5;
    EXPECT_EQ(GetSched(idle), "after 5 minutes of idle time");
    // Damaged fields give an empty name, never a read outside the tables.
    EXPECT_EQ(GetSched(once(2024, 13, 1, 1, 0, false)), "Once at 1:00AM on 1  2024");
    EXPECT_EQ(GetSched(weekly(0, 1, 0, false)), "Weekly at 1:00AM on ");

    TMacroRecord fresh;
    DefaultTimer(fresh, at(2024, 3, 6, 14, 20));
    EXPECT_EQ(GetSched(fresh), "Daily at 12:00PM,Sun,Mon,Tue,Wed,Thu,Fri,Sat");
    EXPECT_EQ(fresh.ScheduleWeekday, 4);  // Wednesday
    fresh.ScheduleKind = 1;
    EXPECT_EQ(GetSched(fresh), "Once at 12:00PM on 6 March 2024");
}

TEST(ScheduleTextTest, CaptionShowsDateTimeAndBrowseMode) {
    const LocalTime t = at(2024, 3, 6, 0, 7, 9);
    EXPECT_EQ(mainWindowCaption("TEAM", false, t, BrowseMode::Off), "Orvanta 99 (TEAM)");
    EXPECT_EQ(mainWindowCaption("TEAM", true, t, BrowseMode::Off), "Orvanta 99 (TEAM)     3/6/2024  12:07:09 AM");
    EXPECT_EQ(mainWindowCaption("TEAM", true, at(2024, 12, 31, 15, 0, 0), BrowseMode::Browse),
              "Orvanta 99 (TEAM)     12/31/2024  3:00:00 PM    (Browse Mode)");
    EXPECT_EQ(mainWindowCaption("TEAM", false, t, BrowseMode::BrowseAll), "Orvanta 99 (TEAM)    (Browse All Mode)");
}

TEST(ScheduleTextTest, TwelveHourFieldsToTwentyFourHours) {
    EXPECT_EQ(scheduleHour24(12, false), 0);
    EXPECT_EQ(scheduleHour24(1, false), 1);
    EXPECT_EQ(scheduleHour24(11, false), 11);
    EXPECT_EQ(scheduleHour24(12, true), 12);
    EXPECT_EQ(scheduleHour24(1, true), 13);
    EXPECT_EQ(scheduleHour24(11, true), 23);
}

}  // namespace
}  // namespace orv
