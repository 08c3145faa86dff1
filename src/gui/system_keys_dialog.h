#pragma once

#include <QDialog>
#include <array>

#include "activation/resident_actions.h"
#include "activation/system_keys.h"

class QRadioButton;

namespace orv::gui {

class HotkeyPickerField;

// "System Hot Keys": the hotkeys of the four system macros, each taken by a hotkey picker, and
// what the menu of macros for the top-most window shows. "&Ok" rewrites the system macros whose
// hotkey changed and saves the menu choice; the caller then refreshes the list and registers
// the hotkeys again.
class TSystemKeys final : public QDialog {
    Q_OBJECT
public:
    // `focusField` (0..3, Activate Program to Display Menu) has the focus when the dialog opens.
    TSystemKeys(IResidentActions& resident, int focusField, QWidget* parent = nullptr);

    HotkeyPickerField* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }

private:
    bool offer(int field, int code);
    void okClick();

    IResidentActions& resident_;
    SystemKeysModel model_;
    std::array<HotkeyPickerField*, SystemKeysModel::kFields> fields_{};
    std::array<QRadioButton*, 3> choices_{};
};

}  // namespace orv::gui
