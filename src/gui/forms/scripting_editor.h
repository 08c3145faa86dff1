#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "activation/keyboard_hooks.h"
#include "editors/direct_editor.h"
#include "editors/script_editor.h"
#include "gui/forms/editor_context.h"
#include "gui/qt_user_prompt.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace orv::gui {

class MacroHeader;

// The Scripting Editor ("Macro Scripting Editor", TDoScripting): the macro as one line per
// command. Lines are added from the command list, the "C&ommands" menu or the scripting wizard
// and edited through each command's own dialog; they can be copied, moved and deleted. "Sa&ve"
// turns the lines back into macro text and stores the macro with its header into the record
// buffer; every other way out stores nothing. A "Load Text File" line can open its text file
// here to be edited as a script ("ORVANTA.TMP" in the program folder keeps the macro's script
// meanwhile). The keyboard hook stays off while the window exists; its size is kept in the
// settings.
class TDoScripting final : public QDialog, private script::ILineDialogs {
    Q_OBJECT
public:
    TDoScripting(editors::DirectEditorModel& model, const EditorContext& context, QWidget* parent = nullptr);
    ~TDoScripting() override;

    bool saved() const { return saved_; }
    const script::ScriptModel& script() const { return script_; }
    // The 34 items of the "C&ommands" menu: caption and command.
    struct MenuCommand {
        const char* caption;
        int command;
    };
    static const MenuCommand kMenuCommands[34];

protected:
    void done(int result) override;
    void reject() override;

private:
    std::optional<script::LineValues> runCommandDialog(int command, const script::Payload* current) override;

    QWidget* lists();
    void addMenus();
    // What opened the text-file dialog: an edit of line `target`, or an add at `position`.
    struct ReturnState {
        bool edit = false;
        script::AddPosition position = script::AddPosition::Append;
        int target = -1;
    };
    void addLine(script::AddPosition position);
    void runLineCommand(const ReturnState& state, std::optional<int> command);
    void appendFromMenu(int command);
    void editLine();
    void runWizard();
    void showLines();
    void enableButtons();
    void showCaption();
    void saveIt();
    // Text-file mode: the file's text edited as a script while the macro's script waits in
    // "ORVANTA.TMP".
    bool enterTextFile(const std::string& path);
    void leaveTextFile();
    std::string scratchPath() const;

    editors::DirectEditorModel& model_;
    const EditorContext context_;
    QtUserPrompt prompt_{this};
    KeyboardHookPause hooksOff_;
    script::ScriptModel script_{prompt_};
    MacroHeader* header_ = nullptr;
    QLabel* textFile_ = nullptr;
    QListWidget* commands_ = nullptr;
    QListWidget* lines_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* delete_ = nullptr;
    bool saved_ = false;
    bool fromMenu_ = false;
    // Set by "Edit In &Scripting Editor" while the text-file dialog is open.
    std::optional<std::string> textFileRequest_;
    std::optional<std::string> textFilePath_;
    std::optional<ReturnState> return_;
    // The file the text-file dialog opens on when it comes back after the file was saved.
    std::optional<std::string> presetTextFile_;
};

}  // namespace orv::gui
