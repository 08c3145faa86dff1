// Dialogs that read or keep settings and dates: the date and time dialog, the schedule, the
// scheduler's frequency and alarm sound.
#include <gtest/gtest.h>

#include "dialog_env.h"
#include "dialogs/date_time_dialog.h"
#include "dialogs/media_dialogs.h"
#include "dialogs/schedule_dialog.h"
#include "dialogs/timing_dialogs.h"

namespace orv::dialogs {
namespace {

TEST(DateOrTime, ExamplesFollowTheSampleMoment) {
    const struct {
        bool date;
        std::size_t index;
        const char* example;
    } rows[] = {
        {true, 0, "03/30/98"},  {true, 18, "MAR 1998"},    {true, 33, "March 30, 1998"}, {true, 39, "19980330"},
        {true, 47, "Mon"},      {true, 50, "MONDAY"},      {false, 0, "15:04"},          {false, 6, "15,04,23"},
        {false, 11, "3:04 pm"}, {false, 20, "3:04:23 PM"}, {false, 23, "3:04p"},
    };
    for (const auto& r : rows) EXPECT_EQ(r.date ? dateFormatExample(r.index) : timeFormatExample(r.index), r.example);
}

TEST(DateOrTime, NewCommandsStartOnTheRememberedChoicesAndOkRemembersThem) {
    test::DialogFixture fx;
    TDateOrTime date;
    date.show(fx.env);
    EXPECT_EQ(date.check(fx.env).output, "<MM/DD/YY{NF000}>");

    TDateOrTime time;
    time.set("mode", "time");
    time.show(fx.env);
    time.set("format", "5");
    time.set("suppress", "0");
    EXPECT_EQ(time.check(fx.env).output, "<hh:mm:ss{Y}>");
    EXPECT_EQ(fx.settings.LastTimeFormat, 4);
    EXPECT_FALSE(fx.settings.SuppressZerosInTime);

    TDateOrTime next;
    next.set("mode", "time");
    next.show(fx.env);
    EXPECT_EQ(next.get("format"), "5");
    EXPECT_EQ(next.get("suppress"), "0");
}

TEST(DateOrTime, DayCountIsReadLikeANumberPrefix) {
    const struct {
        const char* days;
        const char* direction;
        const char* tail;
    } cases[] = {
        {"7", "past", "{NP007}>"},     {"12x", "future", "{NF012}>"}, {"x", "future", "{NF000}>"},
        {"  3", "future", "{NF003}>"}, {"-5", "future", "{NP005}>"},
    };
    for (const auto& c : cases) {
        test::DialogFixture fx;
        TDateOrTime d;
        d.show(fx.env);
        d.set("days", c.days);
        d.set("direction", c.direction);
        EXPECT_EQ(d.check(fx.env).output, std::string("<MM/DD/YY") + c.tail) << c.days;
    }
    // A time has no day part, whatever the hidden day field holds; an unselected row writes the
    // first format.
    test::DialogFixture fx;
    fx.settings.LastTimeFormat = 99;
    TDateOrTime t;
    t.set("mode", "time");
    t.show(fx.env);
    EXPECT_EQ(t.get("format"), "");
    t.set("days", "44");
    EXPECT_EQ(t.check(fx.env).output, "<hh:mm{N}>");
    EXPECT_EQ(t.values().days, 0);
    EXPECT_TRUE(t.values().future);
}

TEST(DateOrTime, EditingShowsTheLineValues) {
    test::DialogFixture fx;
    TDateOrTime d;
    d.load({true, 34, true, false, 9});
    d.show(fx.env);  // an edited command ignores the remembered choices
    EXPECT_EQ(d.check(fx.env).output, "<Mmmmm DD, YYYY{YP009}>");
}

class Schedule : public ::testing::Test {
protected:
    Outcome update(const std::vector<std::pair<std::string, std::string>>& fields) {
        TDoSchedule s;
        s.show(fx.env);
        for (const auto& [k, v] : fields) EXPECT_TRUE(s.set(k, v)) << k;
        const Outcome o = s.check(fx.env);
        last = s.values();
        return o;
    }
    test::DialogFixture fx;  // today is 10 June 2026
    ScheduleValues last;
};

TEST_F(Schedule, ChecksTheChosenKindInScreenOrder) {
    const struct {
        std::vector<std::pair<std::string, std::string>> fields;
        const char* failure;  // "field: message", or "" when accepted
    } cases[] = {
        {{{"kind", "daily"}, {"hour", "13"}}, "hour: Invalid hour specified."},
        {{{"kind", "weekly"}, {"minute", "60"}}, "minute: Invalid minute specified."},
        {{{"kind", "once"}, {"month", "February"}, {"day", "29"}, {"year", "2027"}},
         "day: Invalid day of month specified."},
        {{{"kind", "once"}, {"month", "February"}, {"day", "29"}, {"year", "2028"}}, ""},
        {{{"kind", "once"}, {"month", "June"}, {"day", "9"}, {"year", "2026"}},
         "day: Specified date has already elapsed."},
        {{{"kind", "once"}, {"month", "May"}, {"day", "30"}, {"year", "2026"}},
         "month: Specified date has already elapsed."},
        {{{"kind", "once"}, {"month", "July"}, {"day", "1"}, {"year", "2025"}},
         "year: Specified date has already elapsed."},
        {{{"kind", "once"}, {"month", "June"}, {"day", "10"}, {"year", "2026"}}, ""},
        {{{"kind", "hourly"}, {"hourlyminutes", "60"}}, "hourlyminutes: Invalid minutes specified."},
        {{{"kind", "monthly"}, {"monthday", "0"}}, "monthday: Invalid day of month specified."},
        {{{"kind", "other"}, {"otherminutes", "721"}},
         "otherminutes: Invalid minutes specified.  Must be between 1 and 720."},
        {{{"kind", "other"}, {"otherminutes", "720"}}, ""},
        {{{"kind", "timeout"}, {"timeoutminutes", "91"}},
         "timeoutminutes: Invalid minutes specified.  Must be between 1 and 90."},
        {{{"kind", "startup"}, {"hour", "x"}}, ""},
    };
    for (const auto& c : cases) {
        const Outcome o = update(c.fields);
        EXPECT_EQ(o.accepted ? std::string() : o.failure.field + ": " + o.failure.message, c.failure)
            << c.fields.front().second;
    }
}

TEST_F(Schedule, UpdateWritesThePanelIntoTheRecordAndARefusalWritesNothing) {
    TMacroRecord r;
    applySchedule(defaultSchedule(fx.clock.now()), r);
    TDoSchedule s;
    s.load(scheduleOf(r));
    EXPECT_EQ(s.get("minute"), "00");
    s.set("kind", "weekly");
    s.set("hour", "9");
    s.set("minute", "5");
    s.set("ampm", "am");
    s.set("weekday", "Friday");
    s.set("sun", "0");
    ASSERT_TRUE(s.check(fx.env).accepted);
    applySchedule(s.values(), r);
    EXPECT_EQ(r.ScheduleKind, 4);
    EXPECT_EQ(r.ScheduleHour, 9);
    EXPECT_EQ(r.ScheduleMinute, 5);
    EXPECT_EQ(r.SchedulePM, 0);
    EXPECT_EQ(r.ScheduleWeekday, 6);
    EXPECT_EQ(r.ScheduleDays[6], 0);  // Sunday is the last day of the record's week
    EXPECT_EQ(r.ScheduleDays[0], 1);

    TDoSchedule refused;
    refused.load(scheduleOf(r));
    refused.set("kind", "timeout");
    refused.set("timeoutminutes", "0");
    EXPECT_FALSE(refused.check(fx.env).accepted);
    EXPECT_EQ(refused.values(), ScheduleValues{});  // nothing taken from the refused update
}

TEST(SchedulerSettings, FrequencyAndAlarmAreStoredInTheSettings) {
    test::DialogFixture fx;
    TDoDelay timer;
    timer.set("mode", "timer");
    timer.set("frequency", "30");
    ASSERT_TRUE(timer.check(fx.env).accepted);
    EXPECT_EQ(fx.settings.TimerSeconds, 30);

    TDoSound alarm;
    alarm.set("mode", "alarm");
    alarm.show(fx.env);
    EXPECT_EQ(alarm.get("kind"), "beep");
    alarm.set("kind", "wave");
    alarm.set("file", "/data/ding.wav");
    alarm.set("wait", "1");
    const Outcome o = alarm.check(fx.env);
    ASSERT_TRUE(o.accepted);
    EXPECT_TRUE(o.output.empty());
    EXPECT_TRUE(fx.settings.UseWaveFile);
    EXPECT_EQ(fx.settings.WaveFile, "/data/ding.wav");
    EXPECT_TRUE(fx.settings.WaveFileWait);
}

}  // namespace
}  // namespace orv::dialogs
