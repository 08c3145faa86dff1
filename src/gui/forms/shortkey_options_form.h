#pragma once

#include <QDialog>

#include "activation/resident_actions.h"
#include "store/app_settings.h"

class QCheckBox;
class QLineEdit;

namespace orv::gui {

// "ShortKey Options": how typed text is matched against the ShortKeys. "&Ok" hands the options
// to the resident program, which stores and saves them or refuses an invalid prefix (the
// message is shown and the prefix field takes the focus).
class TShortKeyOptions final : public QDialog {
    Q_OBJECT
public:
    TShortKeyOptions(const TAppSettings& settings, IResidentActions& resident, QWidget* parent = nullptr);

private:
    void okClick();

    IResidentActions& resident_;
    QCheckBox* solitary_ = nullptr;
    QCheckBox* usePrefix_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QLineEdit* prefix_ = nullptr;
};

}  // namespace orv::gui
