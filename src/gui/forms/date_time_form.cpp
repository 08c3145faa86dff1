#include "gui/forms/date_time_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogs/dialog_text.h"
#include "engine/date_time_formats.h"
#include "gui/dialog_buttons.h"
#include "gui/forms/two_column_list.h"
#include "gui/qt_text.h"

namespace orv::gui {

DateOrTimeForm::DateOrTimeForm(dialogs::TDateOrTime& model, const dialogs::DialogEnv& env, QWidget* parent)
    : ModelForm(model, env, parent) {
    const bool time = model.get("mode") == "time";
    auto* title = new QLabel(QStringLiteral("&") + fromCp1252(model.title()), this);
    title->setObjectName(QStringLiteral("TitleLabel"));

    list_ = new TwoColumnList(0.5, this);
    list_->setObjectName(QStringLiteral("TheFormat"));
    list_->setAccessibleName(fromCp1252(model.title()));
    const std::size_t count = time ? kTimeFormats.size() : kDateFormats.size();
    for (std::size_t i = 0; i < count; ++i) {
        const QString code = fromCp1252(std::string(time ? kTimeFormats[i] : kDateFormats[i]));
        const QString example = fromCp1252(time ? dialogs::timeFormatExample(i) : dialogs::dateFormatExample(i));
        list_->addRow(code, example, code + QStringLiteral("  ") + example);
    }
    title->setBuddy(list_);
    const auto chosen = dialogs::parseWhole(model.get("format"));
    list_->selectRow(chosen ? static_cast<int>(*chosen) - 1 : -1);
    list_->setMinimumHeight(list_->sizeHintForRow(0) * 12);
    list_->setMinimumWidth(list_->sizeHintForColumn(0) + list_->verticalScrollBar()->sizeHint().width() + 8);
    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { this->model().set("format", row >= 0 ? std::to_string(row + 1) : std::string()); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { okClicked(); });

    QCheckBox* suppress = checkControl("suppress", QStringLiteral("Do not show leading &zeros"));
    suppress->setObjectName(QStringLiteral("Suppress"));

    auto* days = new QWidget(this);
    days->setObjectName(QStringLiteral("DayLine"));
    auto* dayRow = new QHBoxLayout(days);
    dayRow->setContentsMargins(0, 0, 0, 0);
    auto* setDate = new QLabel(QStringLiteral("Set &date"), days);
    QLineEdit* dayField = textControl("days");
    dayField->setObjectName(QStringLiteral("Days"));
    dayField->setAccessibleName(QStringLiteral("Days"));
    dayField->setFixedWidth(dayField->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    setDate->setBuddy(dayField);
    dayRow->addWidget(setDate);
    dayRow->addWidget(dayField);
    dayRow->addWidget(new QLabel(QStringLiteral("days into"), days));
    QRadioButton* future = choiceControl("direction", "future", QStringLiteral("&future"));
    future->setObjectName(QStringLiteral("Future"));
    QRadioButton* past = choiceControl("direction", "past", QStringLiteral("&past"));
    past->setObjectName(QStringLiteral("Past"));
    dayRow->addWidget(future);
    dayRow->addWidget(past);
    dayRow->addStretch();
    // A time has no day line.
    days->setVisible(!time);
    days->setEnabled(!time);

    const DialogButtons buttons =
        okCancelHelp(this, time ? QStringLiteral("Time Format") : QStringLiteral("Date Format"));
    connect(buttons.ok, &QPushButton::clicked, this, &ModelForm::okClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(list_, 1);
    layout->addWidget(suppress);
    layout->addWidget(days);
    layout->addLayout(buttons.row);
    list_->setFocus();
}

}  // namespace orv::gui
