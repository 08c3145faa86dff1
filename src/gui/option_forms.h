#pragma once

#include <QDialog>
#include <memory>

#include "gui/forms/form_registry.h"
#include "gui/model_form.h"
#include "store/shared_file_lock.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace orv::dialogs {
class TDoDelay;
class TDoSound;
}  // namespace orv::dialogs

namespace orv::gui {

// "Network Considerations": file locking, automatic synchronisation and its interval. There is
// no cancelling: however the dialog is closed ("&Ok", the close box, Escape), the fields go back
// into the model.
class TNetworkConsiderations final : public QDialog {
    Q_OBJECT
public:
    TNetworkConsiderations(NetworkOptionsModel& model, QWidget* parent = nullptr);
    void done(int result) override;

private:
    void updateEnabled();

    NetworkOptionsModel& model_;
    QCheckBox* fileLocking_ = nullptr;
    QCheckBox* autoSync_ = nullptr;
    QLabel* every_ = nullptr;
    QLineEdit* minutes_ = nullptr;
    QLabel* minutesLabel_ = nullptr;
};

// "Set Delay" (TDoDelay): shows the one field of the model's mode (seconds, Alt keypad number,
// or the scheduler's check frequency).
class DelayForm final : public ModelForm {
    Q_OBJECT
public:
    DelayForm(dialogs::TDoDelay& model, const dialogs::DialogEnv& env, QWidget* parent = nullptr);
};

// "Set Sound" (TDoSound): a beep or a wave file, in its command or alarm mode.
class SoundForm final : public ModelForm {
    Q_OBJECT
public:
    SoundForm(dialogs::TDoSound& model, const dialogs::DialogEnv& env, QWidget* parent = nullptr);
};

}  // namespace orv::gui
