#pragma once

#include <QDialog>

#include "mainwin/list_dialogs.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace orv::gui {

// "Settings": "Program Visibility" (task bar, system tray, completely hidden), whether the close
// button hides or minimises, and whether the program starts with the desktop and with which
// switches. "&Ok" leaves the choice in the model and accepts, unless the model's check refuses it.
class TPreference final : public QDialog {
    Q_OBJECT
public:
    TPreference(PreferenceModel& model, QWidget* parent = nullptr);

private:
    PreferenceModel& model_;
    QRadioButton* taskbar_ = nullptr;
    QRadioButton* tray_ = nullptr;
    QRadioButton* hide_ = nullptr;
    QCheckBox* close_ = nullptr;
    QCheckBox* autostart_ = nullptr;
    QLineEdit* switches_ = nullptr;
};

}  // namespace orv::gui
