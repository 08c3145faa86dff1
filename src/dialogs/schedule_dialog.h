#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "dialogs/dialog_model.h"
#include "platform/clock.h"
#include "store/macro_record.h"

namespace orv::dialogs {

// The schedule fields of a macro record.
struct ScheduleValues {
    int kind = 3;
    std::array<std::uint8_t, 7> days{1, 1, 1, 1, 1, 1, 1};  // Monday..Sunday
    int hour = 12;                                          // 1..12
    int minute = 0;
    int pm = 1;
    int month = 1;
    int day = 1;
    int year = 1998;
    int hourlyMinute = 15;
    int intervalMinutes = 15;
    int weekday = 1;  // 1 Sunday..7 Saturday

    friend bool operator==(const ScheduleValues&, const ScheduleValues&) = default;
};

// The default schedule of a macro that becomes timed: daily on every day at 12:00 PM, today's
// date for "Once", 15 minutes past the hour, every 15 minutes, today's weekday.
ScheduleValues defaultSchedule(const LocalTime& today);
ScheduleValues scheduleOf(const TMacroRecord& record);
void applySchedule(const ScheduleValues& schedule, TMacroRecord& record);

// "Set Schedule" (TDoSchedule): edits the schedule fields of the record being edited. Makes no
// command; a refused "&Update" changes nothing.
class TDoSchedule final : public DialogModel {
public:
    TDoSchedule();
    std::string_view typeName() const override { return "TDoSchedule"; }
    std::string caption() const override { return "Set Schedule"; }
    // Shows the schedule of the record; without one (a new command) the default schedule.
    void show(const DialogEnv& env) override;
    void load(const ScheduleValues& schedule);
    // The schedule after a successful "&Update".
    const ScheduleValues& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    std::optional<Outcome> checkTime(ScheduleValues& v);
    std::optional<Outcome> checkDate(ScheduleValues& v, const DialogEnv& env);
    std::optional<Outcome> checkNumber(ScheduleValues& v);

    ScheduleValues base_;
    ScheduleValues values_;
    bool loaded_ = false;
};

}  // namespace orv::dialogs
