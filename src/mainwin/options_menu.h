#pragma once

#include "activation/resident_actions.h"
#include "store/app_settings.h"
#include "store/shared_file_lock.h"

namespace orv {

class IDialogFiles;
namespace dialogs {
class DialogModel;
struct DialogEnv;
}  // namespace dialogs

// What the Options menu's settings commands need from the main window.
class IOptionsWindow {
public:
    virtual ~IOptionsWindow() = default;
    // Shows "Network Considerations" modally; `model` then holds the fields as they were when
    // the dialog was closed, by "&Ok" or by the window's close box alike.
    virtual void showNetworkDialog(NetworkOptionsModel& model) = 0;
    // Shows a dialog model's form modally. True when "&Ok" passed the model's checks, false when
    // the dialog was cancelled.
    virtual bool showDialog(dialogs::DialogModel& model, const dialogs::DialogEnv& env) = 0;
    // The schedule timer's period from now on; whether it runs stays the scheduler's affair.
    virtual void setScheduleInterval(int seconds) = 0;
    // "Show Date" changed: redraw the caption (and keep the time in it current while it shows).
    virtual void showDateChanged() = 0;
};

// The settings commands of the Options menu without their windows: "&Network" and the
// scheduler's "&Timer Interval", "&Alarm", "&Show Date && Time" and "&Disable if using Timed
// Macros". Each one shows its dialog, changes the settings and what hangs on them, and writes
// the configuration file. A cancelled dialog changes and writes nothing.
class OptionsMenu {
public:
    // `program` saves the configuration and applies the network options.
    OptionsMenu(TAppSettings& settings, IProgramSettings& program, IDialogFiles& files, IOptionsWindow& window);

    // "&Network" (MenuNetworkClick): the dialog shows the current values; however it is closed,
    // the values are stored through the lock (timer, sync file) and the configuration is saved.
    void MenuNetworkClick();
    // "&Timer Interval": "Timer Seconds" in the delay dialog's timer mode; on "&Ok" the schedule
    // timer takes the new period and the configuration is saved.
    void timerInterval();
    // "&Alarm": the sound played before every timed macro, in the sound dialog's alarm mode.
    void alarm();
    // "&Show Date && Time" and "&Disable if using Timed Macros": flip the setting, save, and give
    // the new state for the menu item's check mark.
    bool toggleShowDate();
    bool toggleDisableScreenSaver();

private:
    dialogs::DialogEnv env();
    void save();

    TAppSettings& settings_;
    IProgramSettings& program_;
    IDialogFiles& files_;
    IOptionsWindow& window_;
};

}  // namespace orv
