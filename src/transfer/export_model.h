#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/activation_table.h"
#include "platform/user_prompt.h"
#include "store/app_settings.h"
#include "transfer/pick_list.h"

namespace orv {

class MacroStore;
class SharedFileLock;

inline constexpr const char* kMsgNoneSelectedForExport = "No Hot Key Macros have been selected for exporting.";
inline constexpr const char* kMsgUnableToCreateExport = "Unable to create export file.";
inline constexpr const char* kMsgExportComplete = "Export Complete";
inline constexpr const char* kMsgExportOntoOpenFile =
    "The macros cannot be exported into the macro file that is open.  Please choose another file.";

// Reads macro j of the open file; false when it cannot.
using MacroReader = std::function<bool(int j, TMacroRecord& record)>;

// "Export Macros": every macro of the open file except the System macros, in file order, to pick
// from and write into a new macro file.
class ExportModel : public PickList {
public:
    ExportModel(const TActivationTable& table, const TAppSettings& settings);

    // The macro number of each row.
    const std::vector<int>& macros() const { return macros_; }

    // "&Save File" before the file is chosen: false, after saying so, when nothing is picked.
    bool checkPicked(IUserPrompt& prompt) const;
    // Writes the picked macros, read from the open file `openFile` in list order, as a new macro
    // file `target` (replacing one that is there). A popup menu keeps the entries that are
    // exported, numbered by their place in the new file. Says "Export Complete" or why not.
    bool SaveFile(const std::string& target, const std::string& openFile, const MacroReader& read,
                  IUserPrompt& prompt) const;

private:
    std::vector<int> macros_;
};

}  // namespace orv
