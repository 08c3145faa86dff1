#include "gui/forms/export_form.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"
#include "gui/forms/pick_list_view.h"
#include "gui/help.h"

namespace orv::gui {

TMyExport::TMyExport(ExportModel& model, std::string openFile, MacroReader read, QWidget* parent)
    : QDialog(parent), model_(model), openFile_(std::move(openFile)), read_(std::move(read)) {
    setObjectName(QStringLiteral("TMyExport"));
    setWindowTitle(QStringLiteral("Export Macros"));
    list_ = new PickListView(model_, this);
    const PickListView::PickButtons picks = list_->pickButtons(this);
    auto* save = plainButton(QStringLiteral("&Save File"), "SaveFileButton", this);
    save->setDefault(true);
    auto* exit = plainButton(QStringLiteral("&Exit"), "ExitButton", this);

    auto* row = new QHBoxLayout;
    row->addWidget(picks.selectAll);
    row->addWidget(picks.clear);
    row->addStretch();
    row->addWidget(save);
    row->addWidget(exit);
    row->addWidget(helpButton(this, QStringLiteral("Export Macros")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(row);

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
