#pragma once

#include "dialogs/input_dialogs.h"
#include "gui/model_form.h"

class QTableWidget;

namespace orv::gui {

// "Insert Symbol" (TDoSpecial): the characters 128 to 255 in 16 columns of 8, chosen by a
// double click or "&Ok", or an Alt keypad sequence through "Set Delay" in its keypad mode.
class SymbolForm final : public ModelForm {
    Q_OBJECT
public:
    SymbolForm(dialogs::TDoSpecial& model, const dialogs::DialogEnv& env, QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }

private:
    void keypadSequence();

    dialogs::DialogEnv env_;
    QTableWidget* grid_ = nullptr;
};

}  // namespace orv::gui
