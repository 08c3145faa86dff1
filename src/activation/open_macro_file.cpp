#include "activation/open_macro_file.h"

#include "store/macro_store.h"
#include "store/shared_file_lock.h"

namespace orv {

bool OpenMacroFile::readMacroRecord(int j, TMacroRecord& record) const { return store_.ReadMacroRecord(j, record); }
bool OpenMacroFile::writeMacroRecord(int j, TMacroRecord& record) { return store_.WriteMacroRecord(j, record); }
bool OpenMacroFile::appendMacroRecord(TMacroRecord& record) { return store_.AppendMacroRecord(record); }
bool OpenMacroFile::appendMacroRecords(std::vector<TMacroRecord>& records) {
    return store_.AppendMacroRecords(records);
}
bool OpenMacroFile::setMacroActive(int j, bool active) { return store_.SetMacroActive(j, active); }
MacroRemovalPlan OpenMacroFile::planRemoval(int j) const { return planMacroRemoval(store_, table_, j); }
bool OpenMacroFile::removeMacro(int j, const MacroRemovalPlan& plan) { return orv::removeMacro(store_, j, plan); }
bool OpenMacroFile::refuseWhenReadOnly() { return store_.refuseWhenReadOnly(); }
bool OpenMacroFile::lockSharedFile() { return !lock_.FileInUse(); }
void OpenMacroFile::releaseSharedFile(bool changed) { lock_.ReleaseSyncFile(changed); }

}  // namespace orv
