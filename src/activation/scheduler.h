#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/hook_library.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

class WindowControl;

// Schedule kinds as stored in ScheduleKind.
enum class ScheduleKind : int {
    AtStartup = 0,
    Once = 1,
    Hourly = 2,
    Daily = 3,
    Weekly = 4,
    Monthly = 5,
    Other = 6,
    TimeOut = 7,
};

// The 24-hour hour of a schedule's 12-hour fields: 12 AM is 0, 12 PM stays 12.
int scheduleHour24(int hour12, bool pm);

// The default schedule the editors give a new timed macro: Daily on all seven days at
// 12:00 PM, today's date for Once, 15 minutes past the hour, every 15 minutes, today's weekday.
void DefaultTimer(TMacroRecord& record, const LocalTime& today);

// The one-line description of a record's schedule ("Daily at 9:05AM,Mon,Fri").
std::string GetSched(const TMacroRecord& record);

// The screen saver is refused while "Disable Screen Saver" is set and an active timed macro
// exists.
bool refuseScreenSaver(const TAppSettings& settings, const TActivationTable& table);

enum class BrowseMode { Off, Browse, BrowseAll };

// A date and time as the short date M/D/YYYY, two blanks and the long time h:mm:ss AM.
std::string dateTimeText(const LocalTime& t);

// The main window's caption: "Orvanta 99 (<file>)", with the date and time when "Show Date"
// is set, and the browse mode. The date and time are written as the short date M/D/YYYY and the
// long time h:mm:ss AM.
std::string mainWindowCaption(const std::string& fileName, bool showDate, const LocalTime& now, BrowseMode mode);

// One row of the schedule table: an active timed macro other than At Startup.
struct ScheduleEntry {
    std::int16_t macro = 0;
    ScheduleKind kind = ScheduleKind::Once;
    std::array<std::uint8_t, 7> days{};  // Monday..Sunday
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hourlyMinute = 0;
    std::uint16_t intervalMinutes = 0;
    std::uint8_t weekday = 0;  // 1 Sunday..7 Saturday
    std::uint16_t year = 0;
    int timeOfDayMs = 0;          // the schedule's time of day in milliseconds after midnight
    std::uint64_t baseTicks = 0;  // Other: start of the current interval, on the tick count
};

// What the scheduler needs from the resident program to run a macro.
class ITimedMacroPlayer {
public:
    virtual ~ITimedMacroPlayer() = default;
    virtual bool readMacroRecord(int j, TMacroRecord& record) = 0;
    // A macro is being played (a timed macro is then skipped this time).
    virtual bool macroPlaying() const = 0;
    virtual void playWaveFile(const std::string& file, bool wait) = 0;
    // CurrentMacro := j, reset the engine's per-run state, Caps Lock as last reported, playing
    // flag, running tray icon, DoMacro to the end, normal icon.
    virtual void playTimedMacro(int j, const TMacroRecord& record) = 0;
    // Plays a macro started by name from the command line, as a hotkey would.
    virtual void playNamedMacro(int j, const TMacroRecord& record) = 0;
    // The schedule timer runs every "Timer Seconds" while the table has entries.
    virtual void setScheduleTimer(bool enabled) = 0;
};

// The scheduler: builds the schedule table from the records, checks it on every timer tick and
// plays each macro whose moment has come; runs the start-up macros; keeps the idle count for
// Time Out macros.
//
// A tick covers the span from the previous check to now. A macro with a time of day is due when
// that moment, on a day its schedule selects, lies in the span; a tick that crosses midnight
// covers the rest of the previous day and today up to now, so neither day's macros are lost
// and none runs on the day after its own. Intervals of Other macros are measured on the
// monotonic tick count, so a change of the wall clock does not stall or hurry them.
class Scheduler {
public:
    Scheduler(TActivationTable& table, const TAppSettings& settings, IHookLibrary& hook, const IClock& clock,
              WindowControl& windows, ITimedMacroPlayer& player);

    // Start-up: the start-up moment becomes the previous check, then the table is built.
    void start();
    // Rebuilds the schedule table from the records of the active timed macros.
    void CheckAndSetTime();
    // The schedule timer's tick.
    void CheckOutTimerMacros();
    // Five seconds after start-up: the "/A" macro (when `nickName` is not empty), then the
    // active At Startup macros in file order.
    void DoStartUpMacros(const std::string& nickName);

    const std::vector<ScheduleEntry>& entries() const { return entries_; }
    const LocalTime& previousCheck() const { return previous_; }

private:
    bool isDue(ScheduleEntry& entry, const LocalTime& now, std::uint64_t nowTicks);
    // Activates the scope's window or program; false when it cannot.
    bool activateScope(const TMacroRecord& record);
    void runTimedMacro(int j);

    TActivationTable& table_;
    const TAppSettings& settings_;
    IHookLibrary& hook_;
    const IClock& clock_;
    WindowControl& windows_;
    ITimedMacroPlayer& player_;

    std::vector<ScheduleEntry> entries_;
    std::uint64_t generation_ = 0;  // raised by every rebuild
    LocalTime previous_;
    bool tickRunning_ = false;
};

}  // namespace orv
