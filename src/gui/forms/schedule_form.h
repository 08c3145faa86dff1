#pragma once

#include "dialogs/schedule_dialog.h"
#include "gui/model_form.h"

class QLineEdit;
class QStackedWidget;

namespace orv::gui {

// "Set Schedule" (TDoSchedule): when a timed macro runs. Each of the eight kinds shows only its
// own fields; the number fields step with their arrow buttons or the Up and Down keys and stay
// within their range.
class ScheduleForm final : public ModelForm {
    Q_OBJECT
public:
    ScheduleForm(dialogs::TDoSchedule& model, const dialogs::DialogEnv& env, QWidget* parent = nullptr);

private:
    QWidget* timeRow();
    QWidget* panel(int kind);
    // A number field with its arrow buttons.
    QWidget* spinField(const std::string& field, int min, int max, const QString& accessibleName);
    QWidget* choiceBox(const std::string& field, const QString& accessibleName);
    void kindChanged();

    QStackedWidget* panels_ = nullptr;
    QWidget* time_ = nullptr;
};

}  // namespace orv::gui
