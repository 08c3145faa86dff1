#include "gui/forms/schedule_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/dialog_text.h"
#include "gui/help.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

struct Kind {
    const char* choice;
    const char* caption;
};
constexpr Kind kKinds[] = {{"startup", "&At Startup"}, {"once", "&Once"},       {"hourly", "Ho&urly"},
                           {"daily", "&Daily"},        {"weekly", "Wee&kly"},   {"monthly", "Month&ly"},
                           {"other", "Othe&r"},        {"timeout", "T&ime Out"}};

struct DayBox {
    const char* field;
    const char* caption;
};
constexpr DayBox kDays[] = {{"sun", "Su&n"}, {"mon", "&Mon"}, {"tue", "Tu&e"}, {"wed", "&Wed"},
                            {"thu", "Thu"},  {"fri", "&Fri"}, {"sat", "&Sat"}};

// Steps a number field with Up and Down, keeping it within its range.
class SpinKeys final : public QObject {
public:
    SpinKeys(QLineEdit* edit, int min, int max) : QObject(edit), edit_(edit), min_(min), max_(max) {
        edit->installEventFilter(this);
    }
    void step(int by) {
        const auto value = dialogs::parseWhole(toCp1252(edit_->text()));
        const int next = std::clamp(static_cast<int>(value.value_or(min_)) + by, min_, max_);
        edit_->setText(QString::number(next));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
        step(key == Qt::Key_Up ? 1 : -1);
        return true;
    }

private:
    QLineEdit* edit_;
    int min_;
    int max_;
};

QLineEdit* narrow(QLineEdit* edit, const QString& sample) {
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(sample) + 14);
    return edit;
}

}  // namespace

ScheduleForm::ScheduleForm(dialogs::TDoSchedule& model, const dialogs::DialogEnv& env, QWidget* parent)
    : ModelForm(model, env, parent) {
    auto* kinds = new QGroupBox(QStringLiteral("Run Macro"), this);
    auto* kindLayout = new QVBoxLayout(kinds);
    for (const Kind& k : kKinds) {
        QRadioButton* radio = choiceControl("kind", k.choice, QString::fromLatin1(k.caption));
        kindLayout->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, &ScheduleForm::kindChanged);
    }
    kindLayout->addStretch();

    // The time row sits above the kind's own fields and comes first in the Tab order.
    time_ = timeRow();
    panels_ = new QStackedWidget(this);
    for (int kind = 0; kind < static_cast<int>(std::size(kKinds)); ++kind) panels_->addWidget(panel(kind));
    auto* right = new QVBoxLayout;
    right->addWidget(time_);
    right->addWidget(panels_);
    right->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(kinds);
    middle->addLayout(right, 1);

    auto* update = new QPushButton(QStringLiteral("U&pdate"), this);
    update->setObjectName(QStringLiteral("UpdateButton"));
    update->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(update, &QPushButton::clicked, this, &ModelForm::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(update);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton(this, QStringLiteral("Set Schedule")));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    kindChanged();
}

QWidget* ScheduleForm::timeRow() {
    auto* row = new QWidget(this);
    auto* l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    auto* hourLabel = new QLabel(QStringLiteral("&Time"), row);
    QLineEdit* hour = narrow(textControl("hour"), QStringLiteral("000"));
    hour->setAccessibleName(QStringLiteral("Hour"));
    hourLabel->setBuddy(hour);
    QLineEdit* minute = narrow(textControl("minute"), QStringLiteral("000"));
    minute->setAccessibleName(QStringLiteral("Minute"));
    l->addWidget(hourLabel);
    l->addWidget(hour);
    l->addWidget(new QLabel(QStringLiteral(":"), row));
    l->addWidget(minute);
    l->addWidget(choiceControl("ampm", "am", QStringLiteral("AM")));
    l->addWidget(choiceControl("ampm", "pm", QStringLiteral("PM")));
    l->addStretch();
    return row;
}

QWidget* ScheduleForm::spinField(const std::string& field, int min, int max, const QString& accessibleName) {
    auto* box = new QWidget(this);
    auto* l = new QHBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    QLineEdit* edit = narrow(textControl(field), QString::number(max) + QStringLiteral("0"));
    edit->setAccessibleName(accessibleName);
    auto* keys = new SpinKeys(edit, min, max);
    l->addWidget(edit);
    for (const bool up : {true, false}) {
        auto* arrow = new QToolButton(box);
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setObjectName(QString::fromStdString(field) + (up ? QStringLiteral("Up") : QStringLiteral("Down")));
        arrow->setAccessibleName(accessibleName + (up ? QStringLiteral(" up") : QStringLiteral(" down")));
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
        connect(arrow, &QToolButton::clicked, edit, [keys, up] { keys->step(up ? 1 : -1); });
        l->addWidget(arrow);
    }
    return box;
}

QWidget* ScheduleForm::choiceBox(const std::string& field, const QString& accessibleName) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromStdString(field));
    combo->setAccessibleName(accessibleName);
    const dialogs::FieldDef* def = model().field(field);
    for (const std::string& c : def->choices) combo->addItem(fromCp1252(c));
    combo->setCurrentText(fromCp1252(model().get(field)));
    connect(combo, &QComboBox::currentTextChanged, this,
            [this, field](const QString& text) { model().set(field, toCp1252(text)); });
    return combo;
}

QWidget* ScheduleForm::panel(int kind) {
    auto* page = new QWidget(this);
    auto* l = new QHBoxLayout(page);
    l->setContentsMargins(0, 0, 0, 0);
    const auto labelled = [page, l](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(field);
        l->addWidget(label);
        l->addWidget(field);
    };
    switch (kind) {
        case 1:
            labelled(QStringLiteral("&Month"), choiceBox("month", QStringLiteral("Month")));
            labelled(QStringLiteral("Da&y"), spinField("day", 1, 31, QStringLiteral("Day")));
            labelled(QStringLiteral("Y&ear"), spinField("year", 1, 9999, QStringLiteral("Year")));
            break;
        case 2:
            labelled(QStringLiteral("&Minutes after the hour"),
                     spinField("hourlyminutes", 0, 59, QStringLiteral("Minutes after the hour")));
            break;
        case 3:
            for (const DayBox& d : kDays) l->addWidget(checkControl(d.field, QString::fromLatin1(d.caption)));
            break;
        case 4:
            labelled(QStringLiteral("Day of the &week"), choiceBox("weekday", QStringLiteral("Day of the week")));
            break;
        case 5:
            labelled(QStringLiteral("Day of the mo&nth"),
                     spinField("monthday", 1, 31, QStringLiteral("Day of the month")));
            break;
        case 6:
            labelled(QStringLiteral("&Every"),
                     spinField("otherminutes", 1, 720, QStringLiteral("Minutes between runs")));
            l->addWidget(new QLabel(QStringLiteral("minutes"), page));
            break;
        case 7:
            labelled(QStringLiteral("Af&ter"),
                     spinField("timeoutminutes", 1, 720, QStringLiteral("Minutes without input")));
            l->addWidget(new QLabel(QStringLiteral("minutes without keyboard or mouse input"), page));
            break;
        default:
            l->addWidget(new QLabel(QStringLiteral("The macro runs when Orvanta starts."), page));
            break;
    }
    l->addStretch();
    return page;
}

void ScheduleForm::kindChanged() {
    int kind = 0;
    for (int k = 0; k < static_cast<int>(std::size(kKinds)); ++k) {
        const auto* radio = findChild<QRadioButton*>(QStringLiteral("kind_") + QString::fromLatin1(kKinds[k].choice));
        if (radio != nullptr && radio->isChecked()) kind = k;
    }
    panels_->setCurrentIndex(kind);
    // Once, Daily, Weekly and Monthly run at a time of day.
    time_->setVisible(kind == 1 || (kind >= 3 && kind <= 5));
}

}  // namespace orv::gui
