#pragma once

#include <string>

#include "platform/activation_table.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"
#include "store/settings.h"

namespace orv::test {

// Writes the macro file a program under test reads: the store over `path`, loaded (a new file
// gets its system macros first), with records appended after what the file holds.
class MacroFileWriter {
public:
    explicit MacroFileWriter(const std::string& path) {
        settings_.CurrentFile = path;
        store_.LoadMacroFile(path);
    }

    // The records in the file so far.
    int count() const { return table_.MacroCount(); }
    // Appends `record`; false when the write failed.
    bool append(TMacroRecord record) { return store_.AppendMacroRecord(record); }

private:
    TActivationTable table_;
    TAppSettings settings_;
    fake::FakeHookLibrary hook_;
    fake::FakeUserPrompt prompt_;
    fake::FakeClock clock_;
    MacroStore store_{table_, settings_, hook_, prompt_, clock_, ""};
};

}  // namespace orv::test
