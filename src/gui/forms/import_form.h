#pragma once

#include <QDialog>
#include <optional>

#include "gui/qt_user_prompt.h"
#include "platform/clock.h"
#include "transfer/import_model.h"

class QLabel;
class QPushButton;

namespace orv::gui {

class PickListView;

// "Import Macros": "O&pen File" lists a macro, ".BV2" or ".SHK" file; the user picks macros with
// "Select &All", "C&lear" or the mouse and keyboard; "&Ok" runs the import's checks against the
// open file's index and, when they let it go ahead, accepts with the plan. Nothing is written
// here.
class TMyImport final : public QDialog {
    Q_OBJECT
public:
    TMyImport(ImportModel& model, const TActivationTable& current, const IClock& clock, QWidget* parent = nullptr);

    // What "O&pen File" does with the file chosen in "Import Orvanta Files".
    void openFile(const QString& path);
    // The plan of the accepted "&Ok".
    const std::optional<ImportPlan>& plan() const { return plan_; }

private:
    void chooseFile();
    void okClicked();
    void enableCommands();

    ImportModel& model_;
    const TActivationTable& current_;
    const IClock& clock_;
    QtUserPrompt prompt_{this};
    std::optional<ImportPlan> plan_;
    QLabel* fileName_ = nullptr;
    PickListView* list_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace orv::gui
