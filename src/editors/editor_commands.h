#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "dialogs/dialog_model.h"

namespace orv::editors {

// A command button of the direct editor and its menu item: each opens one command dialog in its
// insert mode, and the tag the dialog returns goes in at the caret.
struct EditorCommand {
    std::string_view caption;      // the button, upper case
    std::string_view menuCaption;  // the item in "&Actions (A - M)" or "Actions (&N - Z)"
    bool firstMenu;                // in "&Actions (A - M)"
    std::string_view dialog;       // the dialog's form class
    std::string_view mode;         // the mode the dialog opens in, empty for its default
};
std::span<const EditorCommand> editorCommands();

// The command whose button caption is `caption`, or nullptr.
const EditorCommand* findEditorCommand(std::string_view caption);

// A fresh model of the command's dialog in the command's mode, set for a new command.
std::unique_ptr<dialogs::DialogModel> makeCommandDialog(const EditorCommand& command);

}  // namespace orv::editors
