#include "gui/forms/quick_info_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/help.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

QLabel* value(const std::string& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(fromCp1252(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TQuickInfo::TQuickInfo(const QuickInfoText& info, const QIcon& icon, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TQuickInfo"));
    setWindowTitle(QStringLiteral("Quick Info"));
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Icon"));
    picture->setPixmap(icon.pixmap(16, 16));
    picture->setAccessibleName(QStringLiteral("Icon"));
    top->addWidget(picture);
    top->addWidget(value(info.lastModified, "LastModified", this), 1);

    auto* form = new QFormLayout;
    form->addRow(fromCp1252(info.activationCaption), value(info.activationValue, "Activation", this));
    form->addRow(QStringLiteral("NickName:"), value(info.nickName, "NickName", this));
    form->addRow(QStringLiteral("Scope:"), value(info.scope, "Scope", this));
    form->addRow(QStringLiteral("Active:"), value(info.active, "Active", this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(form);
    auto* textCaption = new QLabel(fromCp1252(info.textCaption), this);
    auto* text = new QPlainTextEdit(fromCp1252(info.macroText), this);
    text->setObjectName(QStringLiteral("MacroText"));
    text->setAccessibleName(QStringLiteral("Macro Text"));
    text->setReadOnly(true);
    textCaption->setBuddy(text);
    textCaption->setVisible(info.showText);
    text->setVisible(info.showText);
    layout->addWidget(textCaption);
    layout->addWidget(text, 1);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(helpButton(this, QStringLiteral("Quick Info")));
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    resize(460, info.showText ? 360 : 180);
}

}  // namespace orv::gui
