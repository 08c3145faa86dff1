#include "gui/forms/text_insert_form.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "gui/qt_user_prompt.h"

namespace orv::gui {

TextInsertForm::TextInsertForm(dialogs::TDoTextInsert& model, const dialogs::DialogEnv& env, bool fromScriptingEditor,
                               QWidget* parent)
    : ModelForm(model, env, parent), env_(env) {
    auto* label = new QLabel(QStringLiteral("&File Path/Name"), this);
    QLineEdit* path = path_ = textControl("file");
    path->setObjectName(QStringLiteral("ProgPath"));
    path->setAccessibleName(QStringLiteral("File Path/Name"));
    path->setMinimumWidth(path->fontMetrics().averageCharWidth() * 50);
    label->setBuddy(path);
    auto* browse = new QPushButton(QStringLiteral("&Browse"), this);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    auto* notepad = new QPushButton(QStringLiteral("&Edit In Notepad"), this);
    notepad->setObjectName(QStringLiteral("NotepadButton"));
    auto* script = new QPushButton(QStringLiteral("Edit In &Scripting Editor"), this);
    script->setObjectName(QStringLiteral("ScriptButton"));
    script->setVisible(fromScriptingEditor);
    script->setEnabled(fromScriptingEditor);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path, 1);
    pathRow->addWidget(browse);
    auto* editRow = new QHBoxLayout;
    editRow->addWidget(notepad);
    editRow->addWidget(script);
    editRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(pathRow);
    layout->addLayout(editRow);
    layout->addWidget(okCancelRow());

    connect(browse, &QPushButton::clicked, this, [this, path] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Text Files"), path->text(),
                                                          QStringLiteral("Text Files (*.txt *.TXT);;Any Files (*)"));
        if (!file.isEmpty()) path->setText(file);
    });
    // The user's own editor opens the file; nothing waits for it.
    connect(notepad, &QPushButton::clicked, this, [this, path] {
        if (editable()) QProcess::startDetached(QStringLiteral("xdg-open"), {path->text().trimmed()});
    });
    connect(script, &QPushButton::clicked, this, [this, path] {
        if (editable()) emit editInScriptingEditor(path->text().trimmed());
    });
    path->setFocus();
}

bool TextInsertForm::editable() {
    model().set("file", toCp1252(path_->text()));
    const auto* insert = static_cast<dialogs::TDoTextInsert*>(&model());
    if (const std::optional<dialogs::Failure> failure = insert->checkEditable(env_)) {
        QtUserPrompt(this).messageBox(failure->title, failure->message, PromptButtons::Ok);
        path_->setFocus();
        return false;
    }
    return true;
}

}  // namespace orv::gui
