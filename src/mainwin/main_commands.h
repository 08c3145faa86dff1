#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "activation/scheduler.h"

namespace orv {

// The commands of the main window: menu items, speed buttons and the lettered panel. A speed
// button shares its menu item's command except where the two are enabled differently.
enum class MainCommand : int {
    // File
    OpenFile,
    NewFile,
    RecentFile,
    OutputMacroInformation,
    PrintMacroList,
    PrintPreview,
    PrinterSetup,
    PrinterFont,
    Hide,
    Terminate,
    // Macro
    AddMacro,
    ModifyDirectly,
    ScriptingEditor,
    Recapture,
    RemoveMacro,
    CopyMacro,
    RenameMacro,
    ActivateMacro,
    QuickInfo,
    PlaceOnDesktop,
    ImportMacros,
    ExportMacros,
    SortMacros,
    // Wizards and Remap
    Wizards,
    FirstTimeSetup,
    Remap,
    // Options
    Appearance,
    Settings,
    ShortKeys,
    CaptureOptions,
    Network,
    Scheduler,
    ScreenSaver,
    // Tools
    MouseLocator,
    RestoreKeyboardHooks,
    RestoreMouseHooks,
    // Help
    HelpContents,
    // Speed buttons enabled differently from their menu items, and the lettered panel as a whole
    OpenFileButton,
    PrintButton,
    LetterPanel,
};
inline constexpr std::size_t kMainCommandCount = static_cast<std::size_t>(MainCommand::LetterPanel) + 1;

// The fixed facts of one command.
struct MainCommandInfo {
    MainCommand id;
    std::string_view caption;  // menu caption with its mnemonic
    std::string_view hint;     // tooltip of its speed button or menu item
    std::string_view button;   // caption on the lettered panel, empty when it has no button there
    bool built;                // false: the feature comes later; the command stays disabled
};
const MainCommandInfo& mainCommandInfo(MainCommand id);

// What the tooltip of a command whose feature is not built yet says.
inline constexpr std::string_view kNotBuiltYet = "Not built yet in this version of Orvanta.";

enum class MainPage { Macros, QuickWizards };

// The macro selected in the list.
struct SelectedMacro {
    int scope = 1;
    int hotKeyCode = 30000;
    bool active = true;
};

// Everything the enabling of the commands depends on.
struct CommandContext {
    bool haveMacros = false;                // the file holds at least one macro
    std::optional<SelectedMacro> selected;  // none when no row is selected
    BrowseMode browse = BrowseMode::Off;
    MainPage page = MainPage::Macros;
    bool runningHidden = false;  // "Use Tray" or "Use Hide": the Hide command works
};

struct CommandState {
    bool enabled = false;  // by the rules, as if every feature were built
    bool built = true;     // false: the command's feature comes later (its hint says so)
    std::string_view caption;
    std::string_view hint;
    std::string_view button;

    // Whether the control can be used.
    bool usable() const { return enabled && built; }
};
using CommandStates = std::array<CommandState, kMainCommandCount>;

// Which commands are enabled and how they read: the browse modes, the page shown, whether the
// file has macros and what kind of macro is selected.
CommandStates commandStates(const CommandContext& context);

inline const CommandState& stateOf(const CommandStates& states, MainCommand id) {
    return states[static_cast<std::size_t>(id)];
}

}  // namespace orv
