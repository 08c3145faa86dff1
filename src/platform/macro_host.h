#pragma once

#include <string>

namespace orv {

// What the commands on other macros ("<MACDEL:", "<MACACT:", "<MACDEACT:", "<SWAP:") need from
// the program around the engine: the shared-file lock and the refresh of everything that shows
// or uses the macro index (list, hotkeys, timed macros, tray menus). The engine itself does the
// record work through the macro store.
class IMacroHost {
public:
    virtual ~IMacroHost() = default;

    // Locks the macro file for a change. False when it is a shared file that another user has in
    // use; the change is then not made. Always true for a file that is not shared.
    virtual bool lockSharedFile() = 0;
    // Releases the lock; `changed` tells the other users to reload (a change that failed or was
    // refused does not).
    virtual void releaseSharedFile(bool changed) = 0;

    // Before record `number` is deleted: note the list row that shows it.
    virtual void beforeMacroDelete(int number) = 0;
    // After the record was deleted and the file reloaded: clear and rebuild the tray menus when it
    // was a popup-menu macro, reload the key remapping, refill the list, register the hotkeys,
    // recompute the next timed macro when it was timed, select the noted row.
    virtual void macroDeleted(int number, bool wasTimed, bool wasPopupMenu) = 0;
    // After a macro's active flag changed: recompute the next timed macro when `timed`,
    // register the hotkeys, repaint the list.
    virtual void macroActiveChanged(int number, bool timed) = 0;

    // Before "<SWAP:" makes `path` the current macro file: derive the shared-file lock name,
    // clear the tray menus. False keeps the current file (the dry run does not switch files).
    virtual bool beginMacroFileSwap(const std::string& path) = 0;
    // After the new file was loaded: hotkeys, caption, list, timed macro, tray menus, the list
    // of last files (`previous` and `current`), key remapping.
    virtual void macroFileSwapped(const std::string& previous, const std::string& current) = 0;
};

}  // namespace orv
