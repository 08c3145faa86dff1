#pragma once

#include "activation/resident_actions.h"

namespace orv {

class MacroStore;
class SharedFileLock;

// The open macro file of the resident program: its index, its store and its shared-file lock
// behind the record-level operations of IMacroFile.
class OpenMacroFile final : public IMacroFile {
public:
    OpenMacroFile(const TActivationTable& table, MacroStore& store, SharedFileLock& lock)
        : table_(table), store_(store), lock_(lock) {}

    const TActivationTable& index() const override { return table_; }
    bool readMacroRecord(int j, TMacroRecord& record) const override;
    bool writeMacroRecord(int j, TMacroRecord& record) override;
    bool appendMacroRecord(TMacroRecord& record) override;
    bool appendMacroRecords(std::vector<TMacroRecord>& records) override;
    bool setMacroActive(int j, bool active) override;
    MacroRemovalPlan planRemoval(int j) const override;
    bool removeMacro(int j, const MacroRemovalPlan& plan) override;
    bool refuseWhenReadOnly() override;
    bool lockSharedFile() override;
    void releaseSharedFile(bool changed) override;

private:
    const TActivationTable& table_;
    MacroStore& store_;
    SharedFileLock& lock_;
};

}  // namespace orv
