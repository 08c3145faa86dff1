#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/hook_library.h"
#include "platform/user_prompt.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

// The nicknames the four system macros always have, by system code "1".."4".
const std::string& systemMacroNickName(int code);
inline constexpr int kFirstSystemHotKey = 262;

// The record-level operations on the current macro file (settings.CurrentFile) and the
// in-memory index they keep: the per-macro arrays of the activation table and of the
// settings. Every change to the index is pushed to the hook library.
//
// A file that is not a whole number of records, or that holds more than 500, is loaded as far
// as it can be and then kept read-only: writes to it are refused with a message, so the
// program never makes such a file worse.
class MacroStore {
public:
    MacroStore(TActivationTable& table, TAppSettings& settings, IHookLibrary& hook, IUserPrompt& prompt,
               const IClock& clock, std::string iconsDir);

    enum class LoadMode {
        Normal,   // create a missing file and add missing system macros to it
        Inspect,  // only read: a missing file stays missing, nothing is written
    };

    // Empties the index and reloads it from `path`, creating the file when it does not exist,
    // then adds any missing system macro. Does not change which file is current. Returns false
    // when the file could not be read or created.
    bool LoadMacroFile(const std::string& path, LoadMode mode = LoadMode::Normal);
    bool ReloadMacroFile() { return LoadMacroFile(settings_.CurrentFile); }

    // Fills `record` from record n (1-based); leaves it untouched and returns false when the file
    // cannot be opened or has no such record.
    [[nodiscard]] bool ReadMacroRecord(int n, TMacroRecord& record) const;
    // Writes `record` at number n, or appends it when n is -1 (the caller has already counted
    // it in MacroCount). Resolves the icon (the stored name may change) and refreshes the index.
    [[nodiscard]] bool WriteMacroRecord(int n, TMacroRecord& record);
    // Appends `record` as a new macro: the count goes up and is reported to the hook library
    // before the record is written, and back down when the write fails. False when the file
    // already holds 500 macros or the write failed.
    [[nodiscard]] bool AppendMacroRecord(TMacroRecord& record);
    // Appends `records` as new macros with one atomic replace of the file, so that the file holds
    // either all of them or none, then reloads the index. Each icon is resolved as a write
    // resolves it. False, after saying why, when the file may not change, would pass 500 macros
    // or could not be replaced.
    [[nodiscard]] bool AppendMacroRecords(std::vector<TMacroRecord>& records);
    // Removes record n, closing the gap, and reloads the index.
    [[nodiscard]] bool DeleteMacroRecord(int n);
    // Rewrites the Active byte of record n and its index entry. A failure is shown and changes
    // nothing, in the file or in memory.
    [[nodiscard]] bool SetMacroActive(int n, bool active);
    void EnsureSystemMacros();

    // The picture for a record's icon name; with `forWrite` an unknown name is replaced in the
    // record by the built-in one.
    MacroIconRef resolveIcon(TMacroRecord& record, bool forWrite) const;

    // Why the current file is read-only, or empty.
    const std::string& readOnlyReason() const { return readOnlyReason_; }
    // Before a change of the current file: when it is kept read-only, says why and returns true.
    bool refuseWhenReadOnly() { return refuseWhenReadOnly(settings_.CurrentFile); }

    // A new system macro record for code 1..4, stamped with the clock's time.
    TMacroRecord makeSystemMacro(int code) const;

private:
    void storeIndexEntry(int j, const TMacroRecord& record, const MacroIconRef& icon);
    bool refuseWhenReadOnly(const std::string& path);
    [[nodiscard]] bool writeRecordTo(const std::string& path, int n, TMacroRecord& record);

    TActivationTable& table_;
    TAppSettings& settings_;
    IHookLibrary& hook_;
    IUserPrompt& prompt_;
    const IClock& clock_;
    std::string iconsDir_;
    std::string loadedPath_;
    std::string readOnlyReason_;
    bool inspectOnly_ = false;
    int fileRecords_ = 0;                   // index entries loaded from the file
    std::vector<TMacroRecord> memoryOnly_;  // system macros after them, kept out of the file
};

}  // namespace orv
