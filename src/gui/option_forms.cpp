#include "gui/option_forms.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "dialogs/media_dialogs.h"
#include "dialogs/timing_dialogs.h"
#include "gui/help.h"
#include "gui/qt_text.h"

namespace orv::gui {

TNetworkConsiderations::TNetworkConsiderations(NetworkOptionsModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("NetworkConsiderations"));
    setWindowTitle(QStringLiteral("Network Considerations"));
    auto* layout = new QVBoxLayout(this);
    fileLocking_ = new QCheckBox(QStringLiteral("&File Locking of Macro Files"), this);
    fileLocking_->setObjectName(QStringLiteral("FileLocking"));
    fileLocking_->setChecked(model_.fileLocking);
    autoSync_ = new QCheckBox(QStringLiteral("&Automatic Synchronization Updating"), this);
    autoSync_->setObjectName(QStringLiteral("AutoSync"));
    autoSync_->setChecked(model_.autoSync);
    every_ = new QLabel(QStringLiteral("Synchronize every"), this);
    minutes_ = new QLineEdit(fromCp1252(model_.minutes), this);
    minutes_->setObjectName(QStringLiteral("SyncMinutes"));
    minutes_->setMaxLength(2);
    minutes_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), minutes_));
    minutes_->setFixedWidth(minutes_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    minutesLabel_ = new QLabel(QStringLiteral("minutes"), this);

    layout->addWidget(fileLocking_);
    layout->addWidget(autoSync_);
    auto* interval = new QHBoxLayout;
    interval->addWidget(every_);
    interval->addWidget(minutes_);
    interval->addWidget(minutesLabel_);
    interval->addStretch();
    layout->addLayout(interval);
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(helpButton(this, QStringLiteral("Network Considerations")));
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(fileLocking_, &QCheckBox::toggled, this, [this](bool on) {
        model_.fileLocking = on;
        updateEnabled();
    });
    updateEnabled();
}

void TNetworkConsiderations::updateEnabled() {
    const bool on = model_.syncEnabled();
    for (QWidget* w : {static_cast<QWidget*>(autoSync_), static_cast<QWidget*>(every_), static_cast<QWidget*>(minutes_),
                       static_cast<QWidget*>(minutesLabel_)})
        w->setEnabled(on);
}

void TNetworkConsiderations::done(int result) {
    model_.fileLocking = fileLocking_->isChecked();
    model_.autoSync = autoSync_->isChecked();
    model_.minutes = toCp1252(minutes_->text());
    QDialog::done(result);
}

DelayForm::DelayForm(dialogs::TDoDelay& model, const dialogs::DialogEnv& env, QWidget* parent)
    : ModelForm(model, env, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const std::string mode = model.get("mode");
    const auto field = [this, row](const QString& caption, const std::string& name) {
        auto* label = new QLabel(caption, this);
        QLineEdit* edit = textControl(name);
        edit->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit);
    };
    if (mode == "timer") {
        field(QStringLiteral("Check timed macros &every"), "frequency");
        row->addWidget(new QLabel(QStringLiteral("seconds"), this));
    } else if (mode == "keypad") {
        field(QStringLiteral("Alt &keypad number"), "keypad");
    } else {
        field(QStringLiteral("Seconds to &delay"), "seconds");
    }
    layout->addLayout(row);
    layout->addWidget(okCancelRow());
}

SoundForm::SoundForm(dialogs::TDoSound& model, const dialogs::DialogEnv& env, QWidget* parent)
    : ModelForm(model, env, parent) {
    auto* layout = new QVBoxLayout(this);
    QRadioButton* beep = choiceControl("kind", "beep", QStringLiteral("&Beep"));
    QRadioButton* wave = choiceControl("kind", "wave", QStringLiteral("&Wave File"));
    QLineEdit* file = textControl("file");
    file->setAccessibleName(QStringLiteral("Wave file"));
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    browse->setAccessibleName(QStringLiteral("Browse"));
    QCheckBox* wait = checkControl("wait", QStringLiteral("Wait for wave file to &finish"));
    layout->addWidget(beep);
    layout->addWidget(wave);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file);
    fileRow->addWidget(browse);
    layout->addLayout(fileRow);
    layout->addWidget(wait);
    layout->addWidget(okCancelRow());

    // The file and the wait matter only for a wave file.
    const auto update = [file, browse, wait, wave] {
        for (QWidget* w : {static_cast<QWidget*>(file), static_cast<QWidget*>(browse), static_cast<QWidget*>(wait)})
            w->setEnabled(wave->isChecked());
    };
    connect(wave, &QRadioButton::toggled, this, update);
    update();
    connect(browse, &QPushButton::clicked, this, [this, file] {
        const QString path =
            QFileDialog::getOpenFileName(this, windowTitle(), file->text(), QStringLiteral("Wave Files (*.wav *.WAV)"));
        if (!path.isEmpty()) file->setText(path);
    });
}

}  // namespace orv::gui
