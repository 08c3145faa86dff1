#include "gui/model_form.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "gui/dialog_buttons.h"
#include "gui/qt_text.h"
#include "gui/qt_user_prompt.h"

namespace orv::gui {

ModelForm::ModelForm(dialogs::DialogModel& model, dialogs::DialogEnv env, QWidget* parent)
    : QDialog(parent), model_(model), env_(env) {
    setObjectName(QString::fromStdString(std::string(model.typeName())));
    setWindowTitle(fromCp1252(model.caption()));
}

QLineEdit* ModelForm::textControl(const std::string& field) {
    auto* edit = new QLineEdit(fromCp1252(model_.get(field)), this);
    edit->setObjectName(QString::fromStdString(field));
    if (const dialogs::FieldDef* def = model_.field(field)) edit->setMaxLength(static_cast<int>(def->maxLength));
    bindings_.push_back({field, {}, edit});
    return edit;
}

QCheckBox* ModelForm::checkControl(const std::string& field, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromStdString(field));
    box->setChecked(model_.get(field) == "1");
    bindings_.push_back({field, {}, box});
    return box;
}

QRadioButton* ModelForm::choiceControl(const std::string& field, const std::string& choice, const QString& caption) {
    auto* button = new QRadioButton(caption, this);
    button->setObjectName(QString::fromStdString(field + "_" + choice));
    button->setChecked(model_.get(field) == choice);
    // One group per field: its buttons exclude each other wherever the layout puts them.
    QButtonGroup*& group = choiceGroups_[field];
    if (group == nullptr) group = new QButtonGroup(this);
    group->addButton(button);
    bindings_.push_back({field, choice, button});
    return button;
}

QComboBox* ModelForm::comboControl(const std::string& field, const std::vector<QString>& texts,
                                   const std::vector<std::string>& values) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromStdString(field));
    for (std::size_t i = 0; i < texts.size() && i < values.size(); ++i)
        combo->addItem(texts[i], QString::fromStdString(values[i]));
    combo->setCurrentIndex(combo->findData(QString::fromStdString(model_.get(field))));
    bindings_.push_back({field, {}, combo});
    return combo;
}

QTreeWidget* ModelForm::listControl(const std::string& field, const std::vector<std::vector<QString>>& rows,
                                    const std::vector<std::string>& values) {
    auto* list = new QTreeWidget(this);
    list->setObjectName(QString::fromStdString(field));
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    int columns = 1;
    for (const auto& row : rows) columns = std::max(columns, static_cast<int>(row.size()));
    list->setColumnCount(columns);
    list->setHeaderHidden(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const QString current = QString::fromStdString(model_.get(field));
    for (std::size_t i = 0; i < rows.size() && i < values.size(); ++i) {
        auto* item = new QTreeWidgetItem(list, QStringList(rows[i].begin(), rows[i].end()));
        item->setData(0, Qt::UserRole, QString::fromStdString(values[i]));
        if (!current.isEmpty() && current == QString::fromStdString(values[i])) list->setCurrentItem(item);
    }
    bindings_.push_back({field, {}, list});
    return list;
}

void ModelForm::onlyWhenShown(QWidget* control) {
    for (Binding& b : bindings_)
        if (b.widget == control) b.onlyWhenShown = true;
}

QWidget* ModelForm::okCancelRow() {
    auto* row = new QWidget(this);
    const DialogButtons buttons = okCancelHelp(this, windowTitle());
    buttons.row->setContentsMargins(0, 0, 0, 0);
    row->setLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &ModelForm::okClicked);
    return row;
}

QWidget* ModelForm::control(const std::string& field) const {
    QWidget* first = nullptr;
    for (const Binding& b : bindings_) {
        if (b.field != field) continue;
        if (b.choice.empty() || model_.get(field) == b.choice) return b.widget;
        if (first == nullptr) first = b.widget;
    }
    return first;
}

void ModelForm::copyIn() {
    for (const Binding& b : bindings_) {
        if (b.onlyWhenShown && !b.widget->isVisibleTo(this)) continue;
        if (auto* combo = qobject_cast<QComboBox*>(b.widget)) {
            model_.set(b.field, toCp1252(combo->currentData().toString()));
        } else if (auto* list = qobject_cast<QTreeWidget*>(b.widget)) {
            const QTreeWidgetItem* item = list->currentItem();
            model_.set(b.field, item != nullptr ? toCp1252(item->data(0, Qt::UserRole).toString()) : std::string());
        } else if (auto* edit = qobject_cast<QLineEdit*>(b.widget)) {
            model_.set(b.field, toCp1252(edit->text()));
        } else if (auto* radio = qobject_cast<QRadioButton*>(b.widget)) {
            if (radio->isChecked()) model_.set(b.field, b.choice);
        } else if (auto* box = qobject_cast<QCheckBox*>(b.widget)) {
            model_.set(b.field, box->isChecked() ? "1" : "0");
        }
    }
}

void ModelForm::okClicked() {
    copyIn();
    const dialogs::Outcome outcome = model_.check(env_);
    if (outcome.accepted) {
        accept();
        return;
    }
    // An empty message means the user already declined a question: only the focus moves.
    if (!outcome.failure.message.empty()) {
        QtUserPrompt(this).messageBox(outcome.failure.title, outcome.failure.message, PromptButtons::Ok);
    }
    if (QWidget* w = control(outcome.failure.field)) {
        w->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
    }
}

}  // namespace orv::gui
