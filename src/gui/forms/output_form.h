#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "gui/qt_user_prompt.h"
#include "transfer/macro_listing.h"

class QCheckBox;

namespace orv::gui {

// "Output Macros To File": six check boxes of what to write about each macro; "&Ok" asks for
// the text file in "Write Hot Key Definitions to File", writes it and closes.
class TDoOutput final : public QDialog {
    Q_OBJECT
public:
    // `records` gives the macros in the order of the macro list.
    TDoOutput(std::function<std::vector<TMacroRecord>()> records, QWidget* parent = nullptr);

    // The choices as the boxes show them.
    OutputChoices choices() const;
    // What "&Ok" does with the file named in the save dialog.
    void writeTo(const QString& path);

private:
    void okClicked();

    std::function<std::vector<TMacroRecord>()> records_;
    QtUserPrompt prompt_{this};
    std::array<QCheckBox*, 6> boxes_{};
};

}  // namespace orv::gui
