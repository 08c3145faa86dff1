#pragma once

#include <string>
#include <vector>

#include "remap/remap_file.h"
#include "remap/remap_tables.h"

namespace orv::remap {

// The system-wide key remap of the desktop.
class IKeyRemapper {
public:
    virtual ~IKeyRemapper() = default;
    // Makes the typed characters of `remappings` produce their entries everywhere, replacing
    // what an earlier call set. False when the desktop refused.
    virtual bool remapKeys(const std::vector<Remapping>& remappings) = 0;
    // Gives the user's own keys back.
    virtual void restoreKeys() = 0;
};

// The remap tables of the open macro file and whether the desktop's keys are remapped by them.
// Remapping is on exactly while the tables remap something: loading another file's tables, the
// remapper's changes and start-up all turn it on or off to match, so the keys always do what the
// open file's tables say.
class SwapKeys {
public:
    explicit SwapKeys(IKeyRemapper* remapper = nullptr) : remapper_(remapper) {}
    SwapKeys(const SwapKeys&) = delete;
    SwapKeys& operator=(const SwapKeys&) = delete;

    // Reads the tables of `macroFile` (creating its identity remap file when it has none); while
    // running, the keys follow them at once.
    LoadResult GetSwapFile(const std::string& macroFile);
    // Start-up: the keys follow the tables from now on.
    void start();
    // The remapper closed with changed tables: saves them, then the keys follow them. False when
    // the remap file could not be written (the new tables are in use all the same).
    bool setTables(const RemapTables& tables);
    // Applies the tables again (after another program changed the keyboard).
    void reapply();
    // Gives the user's keys back (at shutdown; the remapper may be gone by destruction).
    void stop();

    const RemapTables& tables() const { return tables_; }
    const std::string& path() const { return path_; }
    // The remapping-in-use flag: the keys are remapped now.
    bool SwapsInUse() const { return remapped_; }

private:
    void follow();

    IKeyRemapper* remapper_;
    RemapTables tables_;
    std::string path_;
    bool running_ = false;
    bool remapped_ = false;
};

}  // namespace orv::remap
