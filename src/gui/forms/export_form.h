#pragma once

#include <QDialog>

#include "gui/qt_user_prompt.h"
#include "transfer/export_model.h"

namespace orv::gui {

class PickListView;

// "Export Macros": the open file's macros without the System macros; "&Save File" writes the
// picked ones into the file named in "Save Macro File" and closes; "&Exit" closes without writing.
class TMyExport final : public QDialog {
    Q_OBJECT
public:
    TMyExport(ExportModel& model, std::string openFile, MacroReader read, QWidget* parent = nullptr);

    // What "&Save File" does with the file named in "Save Macro File".
    void saveTo(const QString& path);

private:
    void saveClicked();

    ExportModel& model_;
    std::string openFile_;
    MacroReader read_;
    QtUserPrompt prompt_{this};
    PickListView* list_ = nullptr;
};

}  // namespace orv::gui
