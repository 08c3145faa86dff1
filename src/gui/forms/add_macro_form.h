#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "editors/add_macro.h"
#include "gui/forms/editor_context.h"
#include "gui/qt_user_prompt.h"
#include "mainwin/macro_editing.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv::gui {

class TwoColumnList;

// "Add Macro" (TAddNewHotKey): how the new macro is started, what that needs (a hotkey picked
// from the list or pressed, a ShortKey name, a window title), and the builder that makes its
// body. A builder button either refuses with a message and keeps the dialog, or runs its builder
// and closes the dialog, whatever the builder's outcome. The dialog itself stores nothing.
class TAddNewHotKey final : public QDialog {
    Q_OBJECT
public:
    struct Builders {
        // Runs the builder a press chose, on the record buffer.
        std::function<BuilderResult(const editors::BuilderStart&)> run;
        // Whether a builder is there yet; one that is not refuses with this message.
        std::function<std::string(editors::Builder)> missing;
    };

    TAddNewHotKey(editors::AddMacroModel& model, TMacroRecord& buffer, const EditorContext& context, Builders builders,
                  QWidget* parent = nullptr);

    const BuilderResult& result() const { return result_; }
    TwoColumnList* hotKeyList() const { return list_; }

private:
    void typeChanged();
    void chooseCode(int code);
    void press(editors::Builder builder);

    editors::AddMacroModel& model_;
    TMacroRecord& buffer_;
    Builders builders_;
    QtUserPrompt prompt_{this};
    BuilderResult result_;
    std::array<QRadioButton*, editors::kAddTypeCount> types_{};
    QWidget* hotKeyPart_ = nullptr;
    QLineEdit* entry_ = nullptr;
    TwoColumnList* list_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPushButton* script_ = nullptr;
    QPushButton* enter_ = nullptr;
    QPushButton* capture_ = nullptr;
};

}  // namespace orv::gui
