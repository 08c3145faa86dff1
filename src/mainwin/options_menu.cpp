#include "mainwin/options_menu.h"

#include "dialogs/dialog_model.h"
#include "dialogs/media_dialogs.h"
#include "dialogs/timing_dialogs.h"

namespace orv {

OptionsMenu::OptionsMenu(TAppSettings& settings, IProgramSettings& program, IDialogFiles& files, IOptionsWindow& window)
    : settings_(settings), program_(program), files_(files), window_(window) {}

dialogs::DialogEnv OptionsMenu::env() {
    dialogs::DialogEnv e;
    e.files = &files_;
    e.settings = &settings_;
    return e;
}

void OptionsMenu::save() { program_.saveSettings(); }

void OptionsMenu::MenuNetworkClick() {
    NetworkOptionsModel model = NetworkOptionsModel::fromSettings(settings_);
    window_.showNetworkDialog(model);
    program_.applyNetworkOptions(model);
    save();
}

void OptionsMenu::timerInterval() {
    dialogs::TDoDelay dialog;
    dialogs::TDoDelay::Values values;
    values.mode = dialogs::TDoDelay::Timer;
    values.frequency = settings_.TimerSeconds;
    dialog.load(values);
    // The dialog's check stores the accepted value as "Timer Seconds".
    if (!window_.showDialog(dialog, env())) return;
    window_.setScheduleInterval(settings_.TimerSeconds);
    save();
}

void OptionsMenu::alarm() {
    dialogs::TDoSound dialog;
    dialog.set("mode", "alarm");
    const dialogs::DialogEnv e = env();
    dialog.show(e);
    // The dialog's check stores "Use Wave File", "Wave File" and "Wave File Wait".
    if (!window_.showDialog(dialog, e)) return;
    save();
}

bool OptionsMenu::toggleShowDate() {
    settings_.ShowDate = !settings_.ShowDate;
    window_.showDateChanged();
    save();
    return settings_.ShowDate;
}

bool OptionsMenu::toggleDisableScreenSaver() {
    settings_.DisableScreenSaver = !settings_.DisableScreenSaver;
    save();
    return settings_.DisableScreenSaver;
}

}  // namespace orv
