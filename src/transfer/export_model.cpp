#include "transfer/export_model.h"

#include <filesystem>
#include <map>

#include "mainwin/list_texts.h"
#include "store/macro_file.h"
#include "transfer/import_conversion.h"

namespace orv {

namespace {

constexpr const char* kError = "Error";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

ExportModel::ExportModel(const TActivationTable& table, const TAppSettings& settings) {
    std::vector<PickRow> rows;
    for (int j = 1; j <= table.MacroCount(); ++j) {
        if (table.Scope(j) == kScopeSystem) continue;
        macros_.push_back(j);
        rows.push_back({activationText(table, settings, j), settings.nickName(j), scopeText(table, j)});
    }
    setRows(std::move(rows));
}

bool ExportModel::checkPicked(IUserPrompt& prompt) const {
    if (pickedCount() != 0) return true;
    prompt.messageBox(kError, kMsgNoneSelectedForExport);
    return false;
}

bool ExportModel::SaveFile(const std::string& target, const std::string& openFile, const MacroReader& read,
                           IUserPrompt& prompt) const {
    if (sameFile(target, openFile)) {
        prompt.messageBox(kError, kMsgExportOntoOpenFile);
        return false;
    }
    std::vector<TMacroRecord> records;
    std::map<int, int> newNumbers;
    for (std::size_t i = 0; i < size(); ++i) {
        if (!picked(i)) continue;
        TMacroRecord record;
        if (!read(macros_[i], record)) {
            prompt.messageBox(kError, kMsgUnableToCreateExport);
            return false;
        }
        records.push_back(std::move(record));
        newNumbers[macros_[i]] = static_cast<int>(records.size());
    }
    std::string bytes;
    for (TMacroRecord& record : records) {
        if (record.isPopupMenu()) renumberMenu(record, newNumbers);
        const RecordBytes encoded = encodeRecord(record);
        bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    if (!replaceFileAtomically(target, bytes)) {
        prompt.messageBox(kError, kMsgUnableToCreateExport);
        return false;
    }
    prompt.messageBox("ok", kMsgExportComplete);
    return true;
}

}  // namespace orv
