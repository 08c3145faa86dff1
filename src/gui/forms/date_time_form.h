#pragma once

#include "dialogs/date_time_dialog.h"
#include "gui/model_form.h"

namespace orv::gui {

class TwoColumnList;

// "Dates" / "Times" (TDateOrTime): the format list with an example beside each code, "Do not
// show leading zeros" and, for a date, how many days into the future or the past.
class DateOrTimeForm final : public ModelForm {
    Q_OBJECT
public:
    DateOrTimeForm(dialogs::TDateOrTime& model, const dialogs::DialogEnv& env, QWidget* parent = nullptr);
    TwoColumnList* formats() const { return list_; }

private:
    TwoColumnList* list_ = nullptr;
};

}  // namespace orv::gui
