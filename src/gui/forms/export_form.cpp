#include "gui/forms/export_form.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/forms/pick_list_view.h"
#include "gui/help.h"

namespace orv::gui {

namespace {

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TMyExport::TMyExport(ExportModel& model, std::string openFile, MacroReader read, QWidget* parent)
    : QDialog(parent), model_(model), openFile_(std::move(openFile)), read_(std::move(read)) {
    setObjectName(QStringLiteral("TMyExport"));
    setWindowTitle(QStringLiteral("Export Macros"));
    list_ = new PickListView(model_, this);
    auto* selectAll = button(QStringLiteral("Select &All"), "SelectAllButton", this);
    auto* clear = button(QStringLiteral("C&lear"), "ClearButton", this);
    auto* save = button(QStringLiteral("&Save File"), "SaveFileButton", this);
    save->setDefault(true);
    auto* exit = button(QStringLiteral("&Exit"), "ExitButton", this);

    auto* row = new QHBoxLayout;
    row->addWidget(selectAll);
    row->addWidget(clear);
    row->addStretch();
    row->addWidget(save);
    row->addWidget(exit);
    row->addWidget(helpButton(this, QStringLiteral("Export Macros")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(row);

    connect(selectAll, &QPushButton::clicked, this, [this] {
        model_.pickAll();
        list_->showPicks();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        model_.clearPicks();
        list_->showPicks();
    });
    connect(save, &QPushButton::clicked, this, &TMyExport::saveClicked);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    list_->setFocus();
    resize(sizeHint().width(), fontMetrics().height() * 26);
}

void TMyExport::saveClicked() {
    if (!model_.checkPicked(prompt_)) return;
    QFileDialog dialog(this, QStringLiteral("Save Macro File"), QString(), QStringLiteral("Orvanta File (*.ORV)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ORV"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveTo(dialog.selectedFiles().front());
}

void TMyExport::saveTo(const QString& path) {
    if (model_.SaveFile(path.toStdString(), openFile_, read_, prompt_)) accept();
}

}  // namespace orv::gui
