#pragma once

#include <QDialog>

#include "mainwin/list_dialogs.h"

class QCheckBox;
class QRadioButton;

namespace orv::gui {

// "Settings": "Program Visibility" (task bar, system tray, completely hidden) and whether the
// close button hides or minimises. "&Ok" leaves the choice in the model and accepts.
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
};

}  // namespace orv::gui
