#include "gui/dialogs/scripting_wizard_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/scripting_wizard.h"
#include "gui/help.h"
#include "gui/qt_text.h"
#include "platform/user_prompt.h"

namespace orv::gui {

TDoWizard::TDoWizard(std::function<bool(int command)> add, IUserPrompt& prompt, QWidget* parent)
    : QDialog(parent), add_(std::move(add)), prompt_(prompt) {
    setObjectName(QStringLiteral("TDoWizard"));
    setWindowTitle(QStringLiteral("Scripting Wizard"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("What would you like to do?"), this));
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("Pages"));
    // Every page's tab stays in sight: the window is as wide as the tabs need.
    pages->setUsesScrollButtons(false);
    for (const dialogs::WizardPage& page : dialogs::scriptingWizardPages()) {
        auto* sheet = new QWidget(pages);
        auto* grid = new QGridLayout(sheet);
        // Two columns of buttons, filled down the first column, then the second.
        const int rows = (page.count + 1) / 2;
        for (int i = 0; i < page.count; ++i) {
            const dialogs::WizardButton& b = page.buttons[static_cast<std::size_t>(i)];
            auto* button = new QPushButton(latin1(b.label), sheet);
            button->setObjectName(QStringLiteral("Command%1").arg(b.command));
            button->setAutoDefault(false);
            const int command = b.command;
            connect(button, &QPushButton::clicked, this, [this, command] { pressed(command); });
            grid->addWidget(button, i % rows, i / rows);
        }
        grid->setRowStretch(rows, 1);
        pages->addTab(sheet, latin1(page.caption));
    }
    layout->addWidget(pages);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("ExitButton"));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(exit);
    row->addWidget(helpButton(this, QStringLiteral("Command Wizard")));
    layout->addLayout(row);
}

void TDoWizard::pressed(int command) {
    if (!add_ || !add_(command)) return;
    const PromptAnswer answer = prompt_.messageBox(std::string(dialogs::kWizardContinueTitle),
                                                   std::string(dialogs::kWizardContinueQuestion), PromptButtons::YesNo);
    if (answer == PromptAnswer::No) accept();
}

}  // namespace orv::gui
