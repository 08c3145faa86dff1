#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/script_lines.h"
#include "platform/user_prompt.h"
#include "store/macro_record.h"

namespace orv::script {

// Where "&Add", "I&nsert" and "&Insert" put a new line.
enum class AddPosition { Append = 1, Before = 2, After = 3 };

// The values a command dialog hands back: the command it was confirmed for (a dialog may
// offer several, such as "Repeat Options") and its parameters.
struct LineValues {
    int command = 0;
    Payload payload;
};

// The command dialogs as the script model needs them. The form supplies the real dialogs.
class ILineDialogs {
public:
    virtual ~ILineDialogs() = default;
    // Shows the dialog of `command`, filled with its new-command defaults when `current` is
    // null and with `current`'s values when a line is edited. Nothing when the user cancelled.
    virtual std::optional<LineValues> runCommandDialog(int command, const Payload* current) = 0;
};

// Which line buttons are enabled ("&Up", "&Down", "Cop&y", "&Edit", "De&lete").
struct LineButtons {
    bool up = false;
    bool down = false;
    bool copy = false;
    bool edit = false;
    bool remove = false;
    friend bool operator==(const LineButtons&, const LineButtons&) = default;
};

// The Scripting Editor's script: its lines and selected line, the operations of the line
// buttons and the conversion between macro text and lines. Message boxes go to `prompt`.
class ScriptModel {
public:
    explicit ScriptModel(IUserPrompt& prompt) : prompt_(prompt) {}

    // Appends the lines read from `text` (the working text of the editor).
    void BuildTheScript(std::string_view text);
    // Removes every line.
    void clear() {
        lines_.clear();
        selected_ = -1;
    }
    // The working text of a stored macro: its text up to the terminating NUL, at most 5001
    // characters.
    static std::string workingTextOf(const TMacroRecord& record);

    const std::vector<ScriptLine>& lines() const { return lines_; }
    // The selected line, or -1.
    int selected() const { return selected_; }
    // Selects line `index` (-1 or out of range: nothing).
    void select(int index);

    // Recomputes each line's indentation from the repeat, clipboard and held-key blocks.
    void SetIndents();
    LineButtons EnableDisable() const;

    // "&Add", "I&nsert", "&Insert": adds a line of `command` (nothing when no command is
    // selected in the command list) through its dialog. Returns the line-added flag.
    bool AddALine(AddPosition position, std::optional<int> command, ILineDialogs& dialogs);
    // A command button of the scripting wizard: appends a line without touching the selection.
    bool addFromWizard(int command, ILineDialogs& dialogs);
    // "&Edit": the selected line through its command's dialog.
    bool editLine(ILineDialogs& dialogs);
    // "Cop&y", "De&lete", "&Up", "&Down" on the selected line.
    void copyLine();
    void deleteLine();
    void moveUp();
    void moveDown();

    // The text of the lines in their written form, without the size limit (a text file).
    std::string scriptText() const;
    // The macro text that saving stores: the script text, cut to 5000 characters after the
    // size message when it is longer.
    std::string SaveIt() const;

private:
    bool runHandler(int command, bool add, AddPosition position, int target, ILineDialogs& dialogs);
    void insertLine(std::size_t index, ScriptLine line);

    IUserPrompt& prompt_;
    std::vector<ScriptLine> lines_;
    int selected_ = -1;
};

// Commands whose line is added at once, without a dialog.
bool addsWithoutDialog(int command);
// The line such a command adds.
LineValues defaultLineValues(int command);

// The message shown when a macro text is cut to `limit` characters.
std::string sizeLimitMessage(std::size_t limit);

}  // namespace orv::script
