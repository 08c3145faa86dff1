#include "gui/transfer_commands.h"

#include <QApplication>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "gui/forms/export_form.h"
#include "gui/forms/import_form.h"
#include "gui/forms/output_form.h"
#include "gui/macro_grid.h"
#include "gui/print_list.h"
#include "transfer/export_model.h"

namespace orv::gui {

TransferCommands::TransferCommands(QWidget* window, IMacroFile& file, TAppSettings& settings, IUserPrompt& prompt,
                                   const IClock& clock)
    : window_(window), file_(file), settings_(settings), prompt_(prompt), clock_(clock) {}

TransferCommands::~TransferCommands() = default;

std::vector<TMacroRecord> TransferCommands::records(const std::vector<int>& macros) const {
    std::vector<TMacroRecord> out;
    out.reserve(macros.size());
    for (const int j : macros) {
        TMacroRecord record;
        if (file_.readMacroRecord(j, record)) out.push_back(std::move(record));
    }
    return out;
}

std::vector<PrintLine> TransferCommands::printLines(const std::vector<int>& macros) const {
    std::vector<PrintLine> lines;
    for (const TMacroRecord& record : records(macros)) lines.push_back(printLineOf(record));
    return lines;
}

std::optional<ImportPlan> TransferCommands::importMacros() {
    ImportModel model;
    return orv::importMacros(file_, [&]() -> std::optional<ImportPlan> {
        TMyImport dialog(model, file_.index(), clock_, window_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.plan();
    });
}

void TransferCommands::exportMacros() {
    if (!file_.lockSharedFile()) return;
    ExportModel model(file_.index(), settings_);
    TMyExport dialog(
        model, settings_.CurrentFile, [this](int j, TMacroRecord& record) { return file_.readMacroRecord(j, record); },
        window_);
    dialog.exec();
    file_.releaseSharedFile(false);
}

QPrinter& TransferCommands::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TransferCommands::printList(const std::vector<int>& macros) {
    if (printer().printerState() == QPrinter::Active) {
        prompt_.messageBox("Error", "Other print job currently in progress.");
        return;
    }
    QPrintDialog dialog(&printer(), window_);
    if (dialog.exec() != QDialog::Accepted) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int pages = printMacroList(printer(), settings_.CurrentFile, printLines(macros), settings_.PrintListFont);
    QApplication::restoreOverrideCursor();
    if (pages == 0) prompt_.messageBox("Error", "The macro list could not be printed on this printer.");
}

void TransferCommands::printPreview(const std::vector<int>& macros) {
    QPrintPreviewDialog dialog(&printer(), window_);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    const std::vector<PrintLine> lines = printLines(macros);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        printMacroList(*target, settings_.CurrentFile, lines, settings_.PrintListFont);
    });
    dialog.exec();
}

void TransferCommands::printerSetup() {
    QPageSetupDialog dialog(&printer(), window_);
    dialog.exec();
}

bool TransferCommands::printerFont() {
    bool chosen = false;
    const QFont font =
        QFontDialog::getFont(&chosen, toQFont(settings_.PrintListFont), window_, QStringLiteral("Printer Font"));
    if (!chosen) return false;
    settings_.PrintListFont = printListFont(fromQFont(font, settings_.PrintListFont));
    return true;
}

void TransferCommands::outputInformation(const std::vector<int>& macros) {
    TDoOutput dialog([&] { return records(macros); }, window_);
    dialog.exec();
}

}  // namespace orv::gui
