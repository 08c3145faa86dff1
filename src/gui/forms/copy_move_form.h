#pragma once

#include <vector>

#include "dialogs/copy_move_dialog.h"
#include "gui/model_form.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace orv {
class IHotkeyPickerHost;
}

namespace orv::gui {

class HotkeyPickerField;

// "Copy Hot Key" / "Move Hot Key" over its model: the heading, the five kinds of activation and,
// for a hotkey, the picker field "(Press the Hot Key)" with the list of every hotkey and how many
// macros use it; for a ShortKey or a window title one text field.
class TCopyOrMoveForm final : public ModelForm {
    Q_OBJECT
public:
    TCopyOrMoveForm(dialogs::TCopyOrMove& model, const dialogs::DialogEnv& env, IHotkeyPickerHost* pickerHost,
                    const std::vector<int>& useCounts, QWidget* parent = nullptr);

    QListWidget* hotKeyList() const { return list_; }

private:
    void kindChanged();
    void chooseCode(int code);

    QLineEdit* code_ = nullptr;  // the chosen hotkey's code, as the model's "hotkey" field
    HotkeyPickerField* picker_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* textLabel_ = nullptr;
    QLineEdit* shortKey_ = nullptr;
    QLineEdit* title_ = nullptr;
    QWidget* hotKeyPart_ = nullptr;
};

}  // namespace orv::gui
