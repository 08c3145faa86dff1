#include "gui/forms/search_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"

namespace orv::gui {

SearchForm::SearchForm(dialogs::TDoSearch& model, const dialogs::DialogEnv& env, QWidget* parent)
    : ModelForm(model, env, parent) {
    QLineEdit* find = textControl("find");
    find->setObjectName(QStringLiteral("Find"));
    find->setAccessibleName(QStringLiteral("Find"));
    QLineEdit* replace = textControl("replace");
    replace->setObjectName(QStringLiteral("ReplaceWith"));
    replace->setAccessibleName(QStringLiteral("Replace With"));
    replace->setEnabled(model.get("mode") != "find");
    find->setMinimumWidth(find->fontMetrics().averageCharWidth() * 40);

    auto* fields = new QFormLayout;
    auto* findLabel = new QLabel(QStringLiteral("&Find"), this);
    findLabel->setBuddy(find);
    auto* replaceLabel = new QLabel(QStringLiteral("&Replace With"), this);
    replaceLabel->setBuddy(replace);
    replaceLabel->setEnabled(replace->isEnabled());
    fields->addRow(findLabel, find);
    fields->addRow(replaceLabel, replace);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(okCancelRow());
    find->setFocus();
}

}  // namespace orv::gui
