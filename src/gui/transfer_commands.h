#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "activation/resident_actions.h"
#include "platform/clock.h"
#include "platform/user_prompt.h"
#include "store/app_settings.h"
#include "transfer/import_model.h"
#include "transfer/macro_listing.h"

class QPrinter;
class QWidget;

namespace orv::gui {

// The main window's commands that take macros into and out of the open file and list it:
// "&Import Macros", "E&xport Macros", "&Print Macro List", "Print Pre&view", "Printer &Setup",
// "Printer &Font" and "O&utput Macro Information". `macros` is always the macro numbers in the
// order of the macro list.
class TransferCommands {
public:
    TransferCommands(QWidget* window, IMacroFile& file, TAppSettings& settings, IUserPrompt& prompt,
                     const IClock& clock);
    ~TransferCommands();

    // "Import Macros" under the shared-file lock; the plan that was appended, or none.
    std::optional<ImportPlan> importMacros();
    // "Export Macros" under the shared-file lock (the open file does not change).
    void exportMacros();
    // The print dialog, then the list on the chosen printer (a PDF file is one of its choices).
    void printList(const std::vector<int>& macros);
    void printPreview(const std::vector<int>& macros);
    void printerSetup();
    // The font dialog over the print list font; true when a font was chosen (and stored).
    bool printerFont();
    // "Output Macros To File" (the caller has checked that the list has macros).
    void outputInformation(const std::vector<int>& macros);

    // The printer the list goes to, kept for the run with what the dialogs chose.
    QPrinter& printer();

private:
    std::vector<TMacroRecord> records(const std::vector<int>& macros) const;
    std::vector<PrintLine> printLines(const std::vector<int>& macros) const;

    QWidget* window_;
    IMacroFile& file_;
    TAppSettings& settings_;
    IUserPrompt& prompt_;
    const IClock& clock_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace orv::gui
