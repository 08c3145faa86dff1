#include "gui/forms/import_form.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"
#include "gui/forms/pick_list_view.h"

namespace orv::gui {

TMyImport::TMyImport(ImportModel& model, const TActivationTable& current, const IClock& clock, QWidget* parent)
    : QDialog(parent), model_(model), current_(current), clock_(clock) {
    setObjectName(QStringLiteral("TMyImport"));
    setWindowTitle(QStringLiteral("Import Macros"));
    auto* open = plainButton(QStringLiteral("O&pen File"), "OpenFileButton", this);
    fileName_ = new QLabel(this);
    fileName_->setObjectName(QStringLiteral("FileName"));
    fileName_->setTextFormat(Qt::PlainText);
    list_ = new PickListView(model_, this);
    const PickListView::PickButtons pickButtons = list_->pickButtons(this);
    selectAll_ = pickButtons.selectAll;
    clear_ = pickButtons.clear;
    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Import Macros"));
    ok_ = buttons.ok;

    auto* top = new QHBoxLayout;
    top->addWidget(open);
    top->addWidget(fileName_, 1);
    auto* picks = new QHBoxLayout;
    picks->addWidget(selectAll_);
    picks->addWidget(clear_);
    picks->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(picks);
    layout->addLayout(buttons.row);
    setTabOrder(open, list_);

    connect(open, &QPushButton::clicked, this, &TMyImport::chooseFile);
    connect(ok_, &QPushButton::clicked, this, &TMyImport::okClicked);
    enableCommands();
    resize(sizeHint().width(), fontMetrics().height() * 26);
}

void TMyImport::chooseFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Import Orvanta Files"), QString(),
                                     QStringLiteral("Orvanta (*.ORV);;Brevant (*.BV2);;ShortKeys (*.SHK)"));
    if (!path.isEmpty()) openFile(path);
}

void TMyImport::openFile(const QString& path) {
    if (!model_.OpenFile(path.toStdString(), prompt_, toDateSerial(clock_.now()))) return;
    fileName_->setText(QFileInfo(path).fileName());
    list_->reload();
    enableCommands();
    list_->setFocus();
}

void TMyImport::okClicked() {
    plan_ = model_.Ok(current_, prompt_);
    list_->showPicks();
    if (plan_) accept();
}

void TMyImport::enableCommands() {
    for (QPushButton* b : {selectAll_, clear_, ok_}) b->setEnabled(model_.listed());
}

}  // namespace orv::gui
