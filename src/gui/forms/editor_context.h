#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_model.h"
#include "gui/dialogs/command_form.h"

namespace orv {
class IHotkeyPickerHost;
class IKeyboardHooks;
}  // namespace orv

namespace orv::gui {

// What the editor windows need of the running program.
struct EditorContext {
    // The command dialogs' file questions, settings and clock; message boxes go to the window.
    dialogs::DialogEnv env;
    // Where the macros' icon files live.
    std::string iconsDir;
    // Takes the pressed hotkeys for Add Macro's hotkey field; without it the field only shows
    // the row chosen in the list.
    IHotkeyPickerHost* picker = nullptr;
    // Switched off while an editor with a memo is open.
    IKeyboardHooks* keyboard = nullptr;
    // The open windows' titles (false) or the running programs' names (true) for "Select".
    std::function<std::vector<std::string>(bool programs)> desktopEntries;
    // Whether dial-up networking exists on this machine.
    std::function<bool()> dialUpAvailable;
    // The nicknames of the open macro file, for the macro commands.
    std::function<std::vector<std::string>()> nicknames;
    // The program folder (the Scripting Editor's scratch file lives there).
    std::string programDir;
    // A dialog changed the settings (the remembered date and time formats): they are saved.
    std::function<void()> settingsChanged;
};

// The lists of the running program that the command forms offer (nicknames, running programs).
CommandLists commandLists(const EditorContext& context);

}  // namespace orv::gui
