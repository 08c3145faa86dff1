#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "dialogs/dialog_model.h"
#include "editors/script_editor.h"

namespace orv::script {

// The command dialog that adds and edits the lines of a command, and the mode it opens in.
// Command 1 ("Text") has none: the keystroke editor edits its run.
struct LineDialog {
    std::string_view dialog;  // the dialog's form class
    std::string_view mode;    // empty for the dialog's only mode
};
std::optional<LineDialog> lineDialogFor(int command);

// A model of the command's dialog ready to show: for a new line (`current` null) with the
// command's choice preselected and the dialog's defaults; for an edited line filled with its
// values. `env` answers the dialog's lists and is used to find the choice of a parameterless tag.
// Nothing for command 1 or a number outside 1..111.
std::unique_ptr<dialogs::DialogModel> makeLineDialog(int command, const Payload* current,
                                                     const dialogs::DialogEnv& env);

// The line a dialog's output stands for. A command tag gives its command's line; an output the
// script does not read as one command (a tag it keeps as text, or several) becomes a "Text"
// line holding the output as it is, so nothing the dialog made is lost. Nothing for an empty
// output.
std::optional<LineValues> lineFromOutput(std::string_view output);

}  // namespace orv::script
