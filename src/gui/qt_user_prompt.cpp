#include "gui/qt_user_prompt.h"

#include <QMessageBox>

#include "gui/qt_text.h"

namespace orv::gui {

PromptAnswer QtUserPrompt::messageBox(const std::string& title, const std::string& text, PromptButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(fromCp1252(title));
    box.setText(fromCp1252(text));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const bool isError = title == "Error" || title.find("Error") != std::string::npos;
    box.setIcon(isError ? QMessageBox::Critical : title == "Warning" ? QMessageBox::Warning : QMessageBox::Information);
    switch (buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case PromptButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    box.activateWindow();
    switch (box.exec()) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
    }
}

}  // namespace orv::gui
