#include "gui/forms/spec_wind_form.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace orv::gui {

SpecWindForm::SpecWindForm(dialogs::TDoSpecWind& model, const dialogs::DialogEnv& env,
                           const std::vector<std::string>& entries, QWidget* parent)
    : ModelForm(model, env, parent) {
    const bool program = model.get("mode") == "program";
    const QString what = program ? QStringLiteral("Program") : QStringLiteral("Window");
    auto* label = new QLabel(program ? QStringLiteral("Program &Name (may be partial name)")
                                     : QStringLiteral("Window &Title (may be partial title)"),
                             this);
    QLineEdit* title = textControl("title");
    title->setObjectName(QStringLiteral("Title"));
    title->setAccessibleName(program ? QStringLiteral("Program Name") : QStringLiteral("Window Title"));
    label->setBuddy(title);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("Entries"));
    list_->setAccessibleName(program ? QStringLiteral("Running programs") : QStringLiteral("Open windows"));
    for (const std::string& e : entries) list_->addItem(fromCp1252(e));
    list_->setMinimumWidth(list_->fontMetrics().averageCharWidth() * 45);
    list_->setMinimumHeight(list_->fontMetrics().height() * 10);
    connect(list_, &QListWidget::currentTextChanged, this,
            [this](const QString& text) { this->model().set("highlighted", toCp1252(text)); });
    const auto take = [title](QListWidgetItem* item) {
        if (item != nullptr) title->setText(item->text().left(30));
    };
    connect(list_, &QListWidget::itemDoubleClicked, this, take);
    connect(list_, &QListWidget::itemActivated, this, take);

    auto* run = new QGroupBox(this);
    auto* runLayout = new QVBoxLayout(run);
    runLayout->addWidget(choiceControl("run", "ontop", QStringLiteral("&Run Macro If %1 On Top").arg(what)));
    runLayout->addWidget(choiceControl("run", "running", QStringLiteral("R&un Macro If %1 Running").arg(what)));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(title);
    layout->addWidget(list_, 1);
    layout->addWidget(run);
    layout->addWidget(okCancelRow());
    title->setFocus();
}

}  // namespace orv::gui
