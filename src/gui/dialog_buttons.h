#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace orv::gui {

// The buttons at the bottom right of a dialog: "&Ok" (the default button), "&Cancel" (rejects
// the dialog) and "&Help" at `helpKeyword`. "&Ok" is left for the form to connect.
struct DialogButtons {
    QHBoxLayout* row = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};
DialogButtons okCancelHelp(QDialog* form, const QString& helpKeyword);

// A command button that Enter does not press unless it has the focus (it is made no default).
QPushButton* plainButton(const QString& caption, const char* objectName, QWidget* parent);

}  // namespace orv::gui
