#include "gui/forms/preference_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"

namespace orv::gui {

TPreference::TPreference(PreferenceModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    using V = PreferenceModel::Visibility;
    setObjectName(QStringLiteral("TPreference"));
    setWindowTitle(QStringLiteral("Settings"));
    auto* box = new QGroupBox(QStringLiteral("Program Visibility"), this);
    taskbar_ = new QRadioButton(QStringLiteral("Show In &Taskbar"), box);
    taskbar_->setObjectName(QStringLiteral("ShowInTaskbar"));
    tray_ = new QRadioButton(QStringLiteral("Show In &System Tray"), box);
    tray_->setObjectName(QStringLiteral("ShowInTray"));
    hide_ = new QRadioButton(QStringLiteral("Completely &Hide"), box);
    hide_->setObjectName(QStringLiteral("CompletelyHide"));
    (model.visibility == V::Tray ? tray_ : model.visibility == V::Hide ? hide_ : taskbar_)->setChecked(true);
    auto* radios = new QVBoxLayout(box);
    radios->addWidget(taskbar_);
    radios->addWidget(tray_);
    radios->addWidget(hide_);
    close_ = new QCheckBox(QStringLiteral("&Make the \"Close Button\" hide or minimize Orvanta"), this);
    close_->setObjectName(QStringLiteral("UseClose"));
    close_->setChecked(model.useClose);
    autostart_ = new QCheckBox(QStringLiteral("Start with the &desktop"), this);
    autostart_->setObjectName(QStringLiteral("StartWithDesktop"));
    autostart_->setChecked(model.autostart.enabled);
    switches_ = new QLineEdit(QString::fromStdString(model.autostart.switches), this);
    switches_->setObjectName(QStringLiteral("StartSwitches"));
    switches_->setAccessibleName(QStringLiteral("Start-up switches"));
    switches_->setPlaceholderText(QStringLiteral("for example /HIDE /A Morning Report"));
    switches_->setEnabled(model.autostart.enabled);
    connect(autostart_, &QCheckBox::toggled, switches_, &QWidget::setEnabled);
    auto* switchesLabel = new QLabel(QStringLiteral("S&witches:"), this);
    switchesLabel->setBuddy(switches_);
    auto* start = new QHBoxLayout;
    start->addSpacing(style()->pixelMetric(QStyle::PM_IndicatorWidth));
    start->addWidget(switchesLabel);
    start->addWidget(switches_, 1);

    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Settings"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(close_);
    layout->addWidget(autostart_);
    layout->addLayout(start);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        model_.visibility = tray_->isChecked() ? V::Tray : hide_->isChecked() ? V::Hide : V::Taskbar;
        model_.useClose = close_->isChecked();
        model_.autostart = {autostart_->isChecked(), switches_->text().toStdString()};
        if (const std::string message = model_.check(); !message.empty()) {
            QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(message));
            switches_->setFocus();
            return;
        }
        accept();
    });
}

}  // namespace orv::gui
