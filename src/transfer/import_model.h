#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mainwin/macro_operations.h"
#include "platform/activation_table.h"
#include "platform/user_prompt.h"
#include "transfer/import_source.h"
#include "transfer/pick_list.h"

namespace orv {

inline constexpr const char* kMsgImproperFileType = "Improper file type selected.  Please choose a different file.";
inline constexpr const char* kMsgUnableToOpenImport = "Unable to open import file.";
inline constexpr const char* kMsgNoneFlaggedForImport =
    "No macros are flagged for import.  Click on the macros you wish to import.";
inline constexpr const char* kMsgExcludedQuestion =
    "One or macro were flagged to be excluded from the import.  Continue import anyway?";

// What "&Ok" of "Import Macros" decided: the records to append to the open file in this order,
// and what besides the records the window brings up to date.
struct ImportPlan {
    std::vector<TMacroRecord> records;
    MacroChange change;
    bool menuTrayIcons = false;  // an imported popup menu asks for its icon in the tray
};

// "Import Macros": lists the macros of a chosen file, lets the user pick some and decides, with
// the warnings and the question, which of them go into the open file. Nothing is written here.
class ImportModel : public PickList {
public:
    // "O&pen File" chose `path`: lists its macros (none picked). False, after saying why, when
    // the file's type is wrong or it cannot be read; a listing that leaves records out says so.
    bool OpenFile(const std::string& path, IUserPrompt& prompt, double now);
    // "Select &All", "C&lear" and "&Ok" are enabled once a file is listed.
    bool listed() const { return listed_; }
    const std::vector<ImportEntry>& entries() const { return source_.entries; }

    // "&Ok" against the open file's index: deselects each picked Global or PopUp Menu hotkey
    // macro whose hotkey is taken (by the file or by a macro picked before it), warns when the
    // file would pass 500 macros, asks before going on without what was excluded. The plan,
    // or none when the import stops.
    std::optional<ImportPlan> Ok(const TActivationTable& current, IUserPrompt& prompt);

private:
    // Deselects picked hotkey macros whose hotkey is taken; true when one was deselected.
    bool deselectTakenHotKeys(const TActivationTable& current, IUserPrompt& prompt);
    ImportPlan plan(int fileCount) const;

    ImportSource source_;
    bool listed_ = false;
};

// "&Import Macros" on the open file: stops when the file may not change or another user has it
// in use; otherwise runs the dialog (`runDialog` returns the plan of its "&Ok", or none when it
// was closed otherwise) and appends the plan's records in one atomic replace of the file. The
// shared-file lock is released as changed only when the file changed. The plan that was
// imported, or none.
std::optional<ImportPlan> importMacros(IMacroFile& file, const std::function<std::optional<ImportPlan>()>& runDialog);

}  // namespace orv
