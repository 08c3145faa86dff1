#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace orv::gui {

// The buttons at the bottom right of a dialog: "&Ok" (the default button), "&Cancel" (rejects
// the dialog) and "&Help" at `helpKeyword`. "&Ok" is left for the form to connect.
struct DialogButtons {
    QHBoxLayout* row = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};
DialogButtons okCancelHelp(QDialog* form, const QString& helpKeyword);

}  // namespace orv::gui
