#include "gui/qt_playback_windows.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "platform/window_system.h"

namespace orv::gui {

namespace {

// A modal dialog that stays above every other window.
void makeTopmost(QDialog& dialog) {
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setModal(true);
}

QPushButton* okButton(QDialog& dialog) {
    auto* ok = new QPushButton(QStringLiteral("&Ok"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    return ok;
}

void execInFront(QDialog& dialog) {
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    dialog.exec();
}

}  // namespace

void QtPlaybackWindows::messageWindow(const std::string& title, const std::string& text) {
    QDialog dialog(nullptr);
    makeTopmost(dialog);
    dialog.setObjectName(QStringLiteral("MessageWindow"));
    dialog.setWindowTitle(fromCp1252(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(fromCp1252(text), &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    layout->addWidget(okButton(dialog), 0, Qt::AlignHCenter);
    execInFront(dialog);
}

void QtPlaybackWindows::textBoxWindow(const std::string& title, const std::string& body) {
    QDialog dialog(nullptr);
    makeTopmost(dialog);
    dialog.setObjectName(QStringLiteral("TextBoxWindow"));
    dialog.setWindowTitle(fromCp1252(title));
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QPlainTextEdit(fromCp1252(body), &dialog);
    text->setReadOnly(true);
    layout->addWidget(text);
    layout->addWidget(okButton(dialog), 0, Qt::AlignHCenter);
    dialog.resize(420, 300);
    execInFront(dialog);
}

PauseChoice QtPlaybackWindows::pauseWindow(const PauseWindowSpec& window) {
    QDialog dialog(nullptr);
    makeTopmost(dialog);
    dialog.setObjectName(QStringLiteral("PauseWindow"));
    dialog.setWindowTitle(fromCp1252(window.caption));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Orvanta Pause"), &dialog));
    layout->addWidget(new QLabel(fromCp1252(window.nickName), &dialog));
    if (!window.message.empty()) {
        auto* message = new QLabel(fromCp1252(window.message), &dialog);
        message->setWordWrap(true);
        layout->addWidget(message);
    }
    auto* buttons = new QHBoxLayout;
    auto* resume = new QPushButton(QStringLiteral("&Resume"), &dialog);
    auto* abort = new QPushButton(QStringLiteral("&Abort"), &dialog);
    resume->setDefault(true);
    QObject::connect(resume, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(abort, &QPushButton::clicked, &dialog, &QDialog::reject);
    buttons->addWidget(resume);
    buttons->addWidget(abort);
    layout->addLayout(buttons);
    dialog.setGeometry(window.left, window.top, window.width, window.height);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    pause_ = &dialog;
    const int result = dialog.exec();
    pause_ = nullptr;
    return result == QDialog::Accepted ? PauseChoice::Resume : PauseChoice::Abort;
}

void QtPlaybackWindows::resumePause() {
    if (pause_ != nullptr) pause_->accept();
}

int QtPlaybackWindows::repeatPrompt() {
    QDialog dialog(nullptr);
    makeTopmost(dialog);
    dialog.setObjectName(QStringLiteral("RepeatPrompt"));
    dialog.setWindowTitle(QStringLiteral("Macro Repeat"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Times To Repeat"), &dialog));
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("TimesToRepeat"));
    edit->setMaxLength(4);
    layout->addWidget(edit);
    auto* ok = new QPushButton(QStringLiteral("&Ok"), &dialog);
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    int count = 0;
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
        bool valid = false;
        const int value = edit->text().trimmed().toInt(&valid);
        if (!valid) {
            QMessageBox::critical(&dialog, QStringLiteral("Error"),
                                  QStringLiteral("Invalid numeric value entered.  Please Correct"));
            return;
        }
        count = value;
        dialog.accept();
    });
    execInFront(dialog);
    return count;
}

void QtPlaybackWindows::showApplication() {
    if (main_ != nullptr && !main_->isVisible()) main_->showMinimized();
}

void QtPlaybackWindows::hideApplication() {
    if (main_ != nullptr) main_->hide();
}

bool QtPlaybackWindows::applicationMinimised() { return main_ != nullptr && main_->isMinimized(); }

void QtPlaybackWindows::restoreApplication() {
    if (main_ != nullptr) main_->showNormal();
}

void QtPlaybackWindows::minimiseApplication() {
    if (main_ != nullptr) main_->showMinimized();
}

void QtPlaybackWindows::showMainWindow() {
    if (main_ != nullptr) main_->show();
}

void QtPlaybackWindows::hideMainWindow() {
    if (main_ != nullptr) main_->hide();
}

std::int32_t QtPlaybackWindows::foregroundWindow() { return static_cast<std::int32_t>(windows_.foregroundWindow()); }

void QtPlaybackWindows::setForegroundWindow(std::int32_t window) {
    if (window != 0) windows_.setForegroundWindow(static_cast<WindowId>(window));
}

std::int32_t QtPlaybackWindows::giveFocusBack(std::int32_t window) {
    if (window == 0) return 0;
    return windows_.setForegroundWindow(static_cast<WindowId>(window)) ? window : 0;
}

int QtPlaybackWindows::screenWidth() { return windows_.screenSize().width; }
int QtPlaybackWindows::screenHeight() { return windows_.screenSize().height; }

}  // namespace orv::gui
