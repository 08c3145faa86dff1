#include "mainwin/main_commands.h"

#include <algorithm>
#include <initializer_list>

#include "platform/activation_table.h"

namespace orv {

namespace {

using C = MainCommand;

// Captions, hints and lettered-panel captions of every command, in enum order.
constexpr MainCommandInfo kCommands[] = {
    {C::OpenFile, "&Open File", "Open Macro File", "", true},
    {C::NewFile, "&New File", "New Macro File", "", true},
    {C::RecentFile, "", "", "", true},
    {C::OutputMacroInformation, "O&utput Macro Information", "", "", true},
    {C::PrintMacroList, "&Print Macro List", "Print Macro List", "", true},
    {C::PrintPreview, "Print Pre&view", "", "", true},
    {C::PrinterSetup, "Printer &Setup", "", "", true},
    {C::PrinterFont, "Printer &Font", "", "", true},
    {C::Hide, "&Hide Orvanta 99", "", "", true},
    {C::Terminate, "&Terminate Orvanta 99", "", "", true},
    {C::AddMacro, "&Add Macro", "Add Macro", "A&dd Macro", true},
    {C::ModifyDirectly, "Modify &Directly", "Modify Macro Directly", "Modify Dire&ctly", true},
    {C::ScriptingEditor, "&Scripting Editor", "Modify Macro Using Scripting Editor", "&Scripting Editor", true},
    {C::Recapture, "Re&capture Macro", "Recapture Macro", "Recapt&ure Macro", true},
    {C::RemoveMacro, "&Remove Macro", "Delete Macro", "R&emove Macro", true},
    {C::CopyMacro, "Cop&y Macro", "Copy Macro", "Cop&y Macro", true},
    {C::RenameMacro, "Rena&me Macro", "Rename Macro", "Re&name Macro", true},
    {C::ActivateMacro, "Acti&vate Macro", "Activate Macro", "Acti&vate Macro", true},
    {C::QuickInfo, "&Quick Info", "Quick Info", "Quick &Info", true},
    {C::PlaceOnDesktop, "&Place On Desktop", "", "", true},
    {C::ImportMacros, "&Import Macros", "Import Macros", "", true},
    {C::ExportMacros, "E&xport Macros", "Export Macros", "", true},
    {C::SortMacros, "S&ort Macros", "Sort Order", "", true},
    {C::Wizards, "&Wizards", "", "", true},
    {C::FirstTimeSetup, "&First Time Setup", "", "", true},
    {C::Remap, "&Remap", "", "", true},
    {C::Appearance, "&Appearance", "Appearance", "", true},
    {C::Settings, "Se&ttings", "", "", true},
    {C::ShortKeys, "Short&Keys", "", "", true},
    {C::CaptureOptions, "&Capture", "", "", true},
    {C::Network, "&Network", "", "", true},
    {C::Scheduler, "&Scheduler", "", "", true},
    {C::ScreenSaver, "Screen Sa&ver", "", "", true},
    {C::MouseLocator, "Mouse &Locator", "", "", true},
    {C::RestoreKeyboardHooks, "Restore &Keyboard Hooks", "", "", true},
    {C::RestoreMouseHooks, "Restore &Mouse Hooks", "", "", true},
    {C::HelpContents, "&Contents", "", "", true},
    {C::OpenFileButton, "", "Open Macro File", "", true},
    {C::PrintButton, "", "Print Macro List", "", true},
    {C::LetterPanel, "", "", "", true},
};
static_assert(std::size(kCommands) == kMainCommandCount);

constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < std::size(kCommands); ++i)
        if (static_cast<std::size_t>(kCommands[i].id) != i) return false;
    return true;
}
static_assert(inEnumOrder(), "the command table follows the order of MainCommand");

// Browse Mode takes the editing commands away; Browse All Mode also the file, printing,
// settings and hiding commands.
constexpr C kBrowse[] = {C::NewFile,        C::Network,         C::RemoveMacro,    C::CopyMacro,    C::RenameMacro,
                         C::ActivateMacro,  C::ScriptingEditor, C::ImportMacros,   C::ExportMacros, C::ModifyDirectly,
                         C::Recapture,      C::AddMacro,        C::Appearance,     C::Remap,        C::ShortKeys,
                         C::CaptureOptions, C::ScreenSaver,     C::OpenFileButton, C::PrintButton,  C::LetterPanel};
constexpr C kBrowseAll[] = {C::OpenFile,       C::RecentFile,   C::OutputMacroInformation,
                            C::PrintMacroList, C::PrintPreview, C::PrinterSetup,
                            C::PrinterFont,    C::Hide,         C::QuickInfo,
                            C::Scheduler,      C::SortMacros,   C::Settings};
// The Quick Wizards page takes away what works on the list.
constexpr C kListPage[] = {C::Appearance,   C::CopyMacro,     C::ScriptingEditor, C::ModifyDirectly, C::Recapture,
                           C::RenameMacro,  C::ActivateMacro, C::RemoveMacro,     C::PlaceOnDesktop, C::QuickInfo,
                           C::ImportMacros, C::ExportMacros,  C::SortMacros};
// Commands on the selected macro, off while the file has no macro.
constexpr C kNeedMacros[] = {C::ModifyDirectly, C::Recapture,     C::RemoveMacro,     C::CopyMacro,
                             C::RenameMacro,    C::ActivateMacro, C::ScriptingEditor, C::QuickInfo};

template <std::size_t N>
bool among(const C (&list)[N], C id) {
    return std::find(std::begin(list), std::end(list), id) != std::end(list);
}

// What the kind of the selected macro allows: a System macro can only be renamed (its hotkey
// changed); a popup menu is neither recaptured nor scripted; only hotkey and ShortKey macros
// can be recaptured.
bool allowedFor(const SelectedMacro& m, C id) {
    const bool system = m.scope == kScopeSystem;
    const bool popup = m.scope == kScopePopupMenu;
    const int code = m.hotKeyCode;
    const bool keyed = code != kCodeTimed && code != kCodeWindowTitle && code != kCodeNone;
    switch (id) {
        case C::CopyMacro:
        case C::ModifyDirectly:
        case C::RemoveMacro:
        case C::ActivateMacro:
            return !system;
        case C::ScriptingEditor:
            return !system && !popup;
        case C::Recapture:
            return !system && !popup && keyed;
        default:
            return true;
    }
}

bool enabled(const CommandContext& c, C id) {
    if (c.browse != BrowseMode::Off && among(kBrowse, id)) return false;
    if (c.browse == BrowseMode::BrowseAll && among(kBrowseAll, id)) return false;
    if (c.page == MainPage::QuickWizards && among(kListPage, id)) return false;
    if (id == C::Hide && !c.runningHidden) return false;
    if (among(kNeedMacros, id) && !c.haveMacros) return false;
    if (c.haveMacros && c.selected) return allowedFor(*c.selected, id);
    return true;
}

CommandState stateFor(const CommandContext& c, const MainCommandInfo& info) {
    CommandState s{enabled(c, info.id), info.built, info.caption, info.hint, info.button};
    if (!info.built) s.hint = kNotBuiltYet;
    if (!c.selected) return s;
    if (info.id == C::ModifyDirectly && c.selected->scope == kScopePopupMenu) {
        s.caption = "Mo&dify Popup Menu";
        s.button = "Modify &Popup Menu";
        if (info.built) s.hint = "Modify Macro Popup Menu";
    } else if (info.id == C::ActivateMacro && c.selected->active) {
        s.caption = "Deacti&vate Macro";
        s.button = "Deacti&vate Macro";
        s.hint = "Deactivate Macro";
    }
    return s;
}

}  // namespace

const MainCommandInfo& mainCommandInfo(MainCommand id) { return kCommands[static_cast<std::size_t>(id)]; }

CommandStates commandStates(const CommandContext& context) {
    CommandStates states;
    for (const MainCommandInfo& info : kCommands) states[static_cast<std::size_t>(info.id)] = stateFor(context, info);
    return states;
}

}  // namespace orv
