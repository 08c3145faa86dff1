#pragma once

#include <QDialog>
#include <array>

#include "mainwin/list_dialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orv::gui {

// "Appearance": the three column widths, the grid and title fonts, speed or lettered buttons and
// the icon column. "&Ok" checks the widths in field order ("Invalid width specified." on the
// first bad one, which gets the focus) and accepts with the values in the model.
class TDoAppear final : public QDialog {
    Q_OBJECT
public:
    TDoAppear(AppearanceModel& model, QWidget* parent = nullptr);

private:
    void chooseFont(FontSetting& font, QLabel* shown, bool grid);
    void okClick();

    AppearanceModel& model_;
    AppearanceModel edited_;
    std::array<QLineEdit*, 3> widths_{};
    QLabel* gridFont_ = nullptr;
    QLabel* titleFont_ = nullptr;
    QRadioButton* speed_ = nullptr;
    QRadioButton* lettered_ = nullptr;
    QCheckBox* icons_ = nullptr;
};

}  // namespace orv::gui
