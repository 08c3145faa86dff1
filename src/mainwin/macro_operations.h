#pragma once

#include <string>
#include <vector>

#include "activation/resident_actions.h"
#include "dialogs/copy_move_dialog.h"
#include "mainwin/macro_list.h"
#include "platform/clock.h"
#include "platform/user_prompt.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_record.h"
#include "store/shared_file_lock.h"

namespace orv {

class MacroStore;

inline constexpr const char* kMsgNoMacros = "No hot keys have been added yet.  Please add one first.";
inline constexpr const char* kMsgNoneSelected = "No hot key selected.  Please select one.";
inline constexpr const char* kMsgMacroLimit = "Maximum number of hot keys has been reached.  Add not allowed.";

// What changed besides the records, for the host to bring up to date.
struct MacroChange {
    bool timed = false;  // a timed macro came or went: the next timed run is recomputed
    bool menus = false;  // popup menus came, went or were renumbered: the menu tray icons are rebuilt
    bool remap = false;  // the file was reloaded: its key remapping is read again
};

// What the whole-macro operations need from the main window and the resident program.
class IMacroOperationsHost {
public:
    virtual ~IMacroOperationsHost() = default;
    // Shows "Copy Hot Key" / "Move Hot Key" modally; true when "&Ok" passed the dialog's checks.
    virtual bool showCopyOrMove(dialogs::TCopyOrMove& dialog, const dialogs::DialogEnv& env) = 0;
    // Shows "Set Schedule" for a macro that became timed; its answer is not consulted.
    virtual void showSchedule(TMacroRecord& record, const dialogs::DialogEnv& env) = 0;
    // "System Hot Keys" for system macro j (the caller holds the lock); true when it changed a hotkey.
    virtual bool showSystemHotKeys(int j) = 0;
    // The records changed: register the hotkeys and ShortKeys again, do what `change` asks, and
    // show the list as the macro list now holds it (rows and selection).
    virtual void macrosChanged(const MacroChange& change) = 0;
};

// Every hotkey code used by a macro of scope Global or PopUp Menu: a Global macro cannot take one.
std::vector<bool> exclusiveHotKeys(const TActivationTable& table);
// How many macros use each hotkey code, for the rows of the hotkey list.
std::vector<int> hotKeyUseCounts(const TActivationTable& table);

// The macro selected in `list` when a command may change it (the list has a selection and the
// file can be changed); otherwise 0, after the message that says why.
int selectedMacroToChange(const MacroList& list, IMacroFile& file, IUserPrompt& prompt);

// "R&emove Macro", "Cop&y Macro", "Re&name Macro" and "Acti&vate Macro" / "Deacti&vate Macro" on
// the macro selected in the list. Each takes the shared-file lock and releases it as changed only
// when the file changed; every refusal leaves the file, the index and the selection as they were.
class MacroOperations {
public:
    struct Services {
        IMacroFile& file;
        TAppSettings& settings;
        IUserPrompt& prompt;
        const IClock& clock;
        MacroList& list;
        IMacroOperationsHost& host;
    };
    explicit MacroOperations(Services services) : s_(services) {}

    void DoClear();
    void DoCopy();
    // `lockHeld`: the caller has already taken the shared-file lock and releases it itself.
    void DoMove(bool lockHeld = false);
    void DoActivate();

private:
    // The selected macro when the command may go ahead (the list has a selection and the file can
    // be changed), else 0 after saying why.
    int selectedForChange();
    bool lock(bool lockHeld);
    void release(bool lockHeld, bool changed);
    bool askRemove(const std::string& question);
    // Runs "Copy Hot Key" / "Move Hot Key" on `record`; true when it succeeded.
    bool copyOrMove(TMacroRecord& record, bool move);
    void refill(int selectMacro, const MacroChange& change);
    dialogs::DialogEnv env();

    Services s_;
};

}  // namespace orv
