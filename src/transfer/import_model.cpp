#include "transfer/import_model.h"

#include <filesystem>
#include <map>

#include "platform/hotkey_codes.h"
#include "transfer/import_conversion.h"

namespace orv {

namespace {

constexpr const char* kError = "Error";
constexpr const char* kWarning = "Warning";

bool isHotKey(int code) { return code >= 0 && code < kHotKeyCount; }

std::string hotKeyTaken(int code) {
    return "A Global Hot Key for " + hotKeyName(code) + " already exists.  This macro will not be imported.";
}

std::string capacityExceeded(std::size_t excess) {
    return "The maximum capacity of macros per file will be exceeded. The last " + std::to_string(excess) +
           " macros selected will not be imported.";
}

}  // namespace

bool ImportModel::OpenFile(const std::string& path, IUserPrompt& prompt, double now) {
    ImportSource source = readImportSource(path, now);
    if (source.status == ImportSource::Status::WrongType) {
        prompt.messageBox(kError, kMsgImproperFileType);
        return false;
    }
    if (source.status == ImportSource::Status::Unopenable) {
        prompt.messageBox(kError, kMsgUnableToOpenImport);
        return false;
    }
    source_ = std::move(source);
    listed_ = true;
    std::vector<PickRow> rows;
    for (const ImportEntry& entry : source_.entries) rows.push_back(pickRowOf(entry.record));
    setRows(std::move(rows));
    const std::string damaged = notOfferedMessage(source_, std::filesystem::path(path).filename().string());
    if (!damaged.empty()) prompt.messageBox(kWarning, damaged);
    return true;
}

bool ImportModel::deselectTakenHotKeys(const TActivationTable& current, IUserPrompt& prompt) {
    bool excluded = false;
    std::vector<int> kept;  // hotkeys of the macros picked so far
    for (std::size_t i = 0; i < size(); ++i) {
        if (!picked(i)) continue;
        const TMacroRecord& r = source_.entries[i].record;
        const bool exclusive = r.Scope == kScopeGlobal || r.Scope == kScopePopupMenu;
        if (!exclusive || !isHotKey(r.HotKeyCode)) {
            kept.push_back(r.HotKeyCode);
            continue;
        }
        int clashes = 0;
        for (int j = 1; j <= current.MacroCount(); ++j) clashes += current.HotKeyCode(j) == r.HotKeyCode ? 1 : 0;
        for (const int code : kept) clashes += code == r.HotKeyCode ? 1 : 0;
        for (int k = 0; k < clashes; ++k) prompt.messageBox(kWarning, hotKeyTaken(r.HotKeyCode));
        if (clashes == 0) {
            kept.push_back(r.HotKeyCode);
        } else {
            setPicked(i, false);
            excluded = true;
        }
    }
    return excluded;
}

std::optional<ImportPlan> ImportModel::Ok(const TActivationTable& current, IUserPrompt& prompt) {
    bool excluded = deselectTakenHotKeys(current, prompt);
    if (pickedCount() == 0) {
        prompt.messageBox(kError, kMsgNoneFlaggedForImport);
        return std::nullopt;
    }
    const int count = current.MacroCount();
    if (const std::size_t total = pickedCount() + static_cast<std::size_t>(count); total > kMaxMacros) {
        prompt.messageBox(kWarning, capacityExceeded(total - kMaxMacros));
        excluded = true;
    }
    if (excluded && prompt.messageBox(kWarning, kMsgExcludedQuestion, PromptButtons::YesNo) != PromptAnswer::Yes)
        return std::nullopt;
    return plan(count);
}

ImportPlan ImportModel::plan(int fileCount) const {
    ImportPlan out;
    // The picked macros in list order, as many as the file has room for, and their new numbers.
    std::map<int, int> newNumbers;
    for (std::size_t i = 0; i < size() && fileCount + static_cast<int>(out.records.size()) < kMaxMacros; ++i) {
        if (!picked(i)) continue;
        out.records.push_back(source_.entries[i].record);
        newNumbers[source_.entries[i].position] = fileCount + static_cast<int>(out.records.size());
    }
    for (TMacroRecord& r : out.records) {
        out.change.timed = out.change.timed || r.HotKeyCode == kCodeTimed;
        if (!r.isPopupMenu()) continue;
        // A menu keeps the entries that come along in this import, under their new numbers.
        renumberMenu(r, newNumbers);
        out.change.menus = true;
        out.menuTrayIcons = out.menuTrayIcons || (!r.ShortKeyText.empty() && r.ShortKeyText[0] == 'Y');
    }
    return out;
}

std::optional<ImportPlan> importMacros(IMacroFile& file, const std::function<std::optional<ImportPlan>()>& runDialog) {
    if (file.refuseWhenReadOnly() || !file.lockSharedFile()) return std::nullopt;
    std::optional<ImportPlan> plan = runDialog();
    const bool changed = plan && !plan->records.empty() && file.appendMacroRecords(plan->records);
    file.releaseSharedFile(changed);
    if (!changed) return std::nullopt;
    return plan;
}

}  // namespace orv
