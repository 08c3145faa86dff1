#pragma once

#include <string>
#include <vector>

#include "store/app_settings.h"
#include "transfer/macro_listing.h"

class QPrinter;

namespace orv::gui {

// Prints the macro list on `printer`: the heading naming `macroFile`, then one line per macro in
// `lines` (in the order of the macro list), in `font`, as many copies as the printer was asked
// for (a printer that makes copies itself gets one). The document is named "Orvanta 99".
// Returns the number of pages printed, 0 when the printer could not be started.
int printMacroList(QPrinter& printer, const std::string& macroFile, const std::vector<PrintLine>& lines,
                   const FontSetting& font);

}  // namespace orv::gui
