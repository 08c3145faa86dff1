#include "gui/forms/output_form.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"

namespace orv::gui {

namespace {

struct Box {
    const char* caption;
    const char* name;
    bool OutputChoices::*choice;
};
// The boxes in screen order: two columns of three.
constexpr Box kBoxes[] = {
    {"&Hot Key", "HotKey", &OutputChoices::hotKey},      {"&Name", "Name", &OutputChoices::name},
    {"&Window", "Window", &OutputChoices::window},       {"&Text", "Text", &OutputChoices::text},
    {"&Schedule", "Schedule", &OutputChoices::schedule}, {"&Icon", "Icon", &OutputChoices::icon},
};

}  // namespace

TDoOutput::TDoOutput(std::function<std::vector<TMacroRecord>()> records, QWidget* parent)
    : QDialog(parent), records_(std::move(records)) {
    setObjectName(QStringLiteral("TDoOutput"));
    setWindowTitle(QStringLiteral("Output Macros To File"));
    auto* group = new QGroupBox(QStringLiteral("Macro Information To Output"), this);
    auto* grid = new QGridLayout(group);
    const OutputChoices all;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(kBoxes[i].caption), group);
        box->setObjectName(QString::fromLatin1(kBoxes[i].name));
        box->setChecked(all.*kBoxes[i].choice);
        boxes_[i] = box;
        grid->addWidget(box, static_cast<int>(i % 3), static_cast<int>(i / 3));
    }
    const DialogButtons buttons = okCancelHelp(this, QStringLiteral("Output Macros To File"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons.row);
    connect(buttons.ok, &QPushButton::clicked, this, &TDoOutput::okClicked);
}

OutputChoices TDoOutput::choices() const {
    OutputChoices c;
    for (std::size_t i = 0; i < boxes_.size(); ++i) c.*kBoxes[i].choice = boxes_[i]->isChecked();
    return c;
}

void TDoOutput::okClicked() {
    if (!choices().enough()) {
        prompt_.messageBox("Error", kMsgNothingChecked, PromptButtons::Ok);
        boxes_[0]->setFocus();
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Write Hot Key Definitions to File"), QString(),
                       QStringLiteral("Text File (*.TXT)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("TXT"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    writeTo(dialog.selectedFiles().front());
}

void TDoOutput::writeTo(const QString& path) {
    if (writeMacroInformation(path.toStdString(), records_(), choices(), prompt_)) accept();
}

}  // namespace orv::gui
