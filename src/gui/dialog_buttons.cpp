#include "gui/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "gui/help.h"

namespace orv::gui {

DialogButtons okCancelHelp(QDialog* form, const QString& helpKeyword) {
    DialogButtons b;
    b.ok = new QPushButton(QStringLiteral("&Ok"), form);
    b.ok->setObjectName(QStringLiteral("OkButton"));
    b.ok->setDefault(true);
    b.cancel = new QPushButton(QStringLiteral("&Cancel"), form);
    b.cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(b.cancel, &QPushButton::clicked, form, &QDialog::reject);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    b.row->addWidget(helpButton(form, helpKeyword));
    return b;
}

QPushButton* plainButton(const QString& caption, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

}  // namespace orv::gui
