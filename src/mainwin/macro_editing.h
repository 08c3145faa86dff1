#pragma once

#include <string>

#include "activation/resident_actions.h"
#include "editors/add_macro.h"
#include "editors/direct_editor.h"
#include "mainwin/macro_list.h"
#include "mainwin/macro_operations.h"
#include "platform/clock.h"
#include "platform/user_prompt.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

// What a builder reported when it closed.
struct BuilderResult {
    bool saved = false;             // a complete macro is in the record buffer
    bool trayMenusChanged = false;  // the popup-menu builder changed what the tray menus show
    // A capture took the record buffer and the shared-file lock: it adds the macro itself when
    // it ends, so nothing is written or released here.
    bool handedOver = false;
};

// The editor windows, as the editing commands open them.
class IMacroEditorsHost {
public:
    virtual ~IMacroEditorsHost() = default;
    // "Add Macro" over `model`; its builder buttons fill `buffer` and run the chosen builder.
    virtual BuilderResult showAddMacro(editors::AddMacroModel& model, TMacroRecord& buffer) = 0;
    // The direct editor on `buffer`; true when "&Update" stored the macro there.
    virtual bool showDirectEditor(TMacroRecord& buffer, const editors::EditorStart& start) = 0;
    // The Scripting Editor on `buffer`; true when "Sa&ve" stored the macro there.
    virtual bool showScriptingEditor(TMacroRecord& buffer, const editors::EditorStart& start) = 0;
    // The popup-menu builder on `buffer`, new or editing, with the hotkey's name as its label.
    virtual BuilderResult showBuildMenu(TMacroRecord& buffer, const std::string& label, bool newMenu) = 0;
    // The characters typed so far no longer count towards a ShortKey.
    virtual void clearShortKeyBuffer() = 0;
    // The records changed: hotkeys, ShortKeys, the schedule and the list follow (as for the
    // whole-macro operations).
    virtual void macrosChanged(const MacroChange& change) = 0;
};

// "&Add Macro", "Modify &Directly" and the Scripting Editor command on the macro list: the
// shared-file lock, the record buffer, the editor, and the write of what it saved. Nothing is
// written unless an editor saved; a failed write leaves the file as it was (the store says why)
// and the lock is given back unchanged.
class MacroEditing {
public:
    struct Services {
        IMacroFile& file;
        TAppSettings& settings;
        IUserPrompt& prompt;
        MacroList& list;
        IMacroEditorsHost& host;
    };
    explicit MacroEditing(Services services) : s_(services) {}

    // "&Add Macro".
    void DoAdd();
    // "Modify &Directly" on the selected macro; `lockHeld`: the caller holds the shared-file lock.
    void DoModify(bool lockHeld = false);
    // "&Scripting Editor" on the selected macro (also a double click in the list). A popup menu
    // opens in the menu builder instead.
    void DoTheScript();

private:
    void modify(bool lockHeld, bool scripting);
    // After macro j was written: the list shows it selected and the rest follows.
    void saved(int j, bool timed, bool menus);

    Services s_;
    TMacroRecord buffer_;  // the current record buffer
};

}  // namespace orv
