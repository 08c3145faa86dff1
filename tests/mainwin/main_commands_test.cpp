#include "mainwin/main_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/activation_table.h"

namespace orv {
namespace {

using C = MainCommand;

// The commands whose state the cases below spell out, one character each ('1' enabled).
constexpr C kShown[] = {C::ModifyDirectly, C::Recapture,     C::ScriptingEditor, C::RemoveMacro,  C::CopyMacro,
                        C::RenameMacro,    C::ActivateMacro, C::QuickInfo,       C::ImportMacros, C::PlaceOnDesktop,
                        C::SortMacros,     C::OpenFile,      C::OpenFileButton,  C::Settings,     C::Hide,
                        C::AddMacro};

std::string pattern(const CommandContext& c) {
    const CommandStates states = commandStates(c);
    std::string out;
    for (const C id : kShown) out += stateOf(states, id).enabled ? '1' : '0';
    return out;
}

CommandContext with(std::optional<SelectedMacro> selected, BrowseMode browse = BrowseMode::Off,
                    MainPage page = MainPage::Macros, bool haveMacros = true) {
    CommandContext c;
    c.haveMacros = haveMacros;
    c.selected = selected;
    c.browse = browse;
    c.page = page;
    return c;
}

TEST(MainCommands, EnablingBySelectionBrowseModeAndPage) {
    const SelectedMacro hotkey{kScopeGlobal, 5, true};
    const SelectedMacro shortKey{kScopeWindow, kCodeShortKey, true};
    const SelectedMacro timed{kScopeProgram, kCodeTimed, false};
    const SelectedMacro none{kScopeGlobal, kCodeNone, true};
    const SelectedMacro title{kScopeGlobal, kCodeWindowTitle, true};
    const SelectedMacro popup{kScopePopupMenu, 7, true};
    const SelectedMacro system{kScopeSystem, 262, true};
    const struct {
        const char* name;
        CommandContext context;
        const char* enabled;
    } cases[] = {
        //                                                        MRSRCRAQIPSOOSHA
        {"hotkey", with(hotkey), "1111111111111101"},
        {"ShortKey", with(shortKey), "1111111111111101"},
        {"timed", with(timed), "1011111111111101"},
        {"none", with(none), "1011111111111101"},
        {"window title", with(title), "1011111111111101"},
        {"popup menu", with(popup), "1001111111111101"},
        {"system", with(system), "0000010111111101"},
        {"no macros", with(std::nullopt, BrowseMode::Off, MainPage::Macros, false), "0000000011111101"},
        {"no selection", with(std::nullopt), "1111111111111101"},
        {"browse", with(hotkey, BrowseMode::Browse), "0000000101110100"},
        {"browse all", with(hotkey, BrowseMode::BrowseAll), "0000000001000000"},
        {"browse, no macros", with(std::nullopt, BrowseMode::Browse, MainPage::Macros, false), "0000000001110100"},
        {"wizards page", with(hotkey, BrowseMode::Off, MainPage::QuickWizards), "0000000000011101"},
    };
    for (const auto& c : cases) EXPECT_EQ(pattern(c.context), c.enabled) << c.name;

    CommandContext hidden = with(hotkey);
    hidden.runningHidden = true;
    EXPECT_TRUE(stateOf(commandStates(hidden), C::Hide).enabled);
    hidden.browse = BrowseMode::BrowseAll;
    EXPECT_FALSE(stateOf(commandStates(hidden), C::Hide).enabled);
}

TEST(MainCommands, CaptionsAndHintsFollowTheSelectedMacro) {
    const struct {
        SelectedMacro macro;
        C id;
        const char* caption;
        const char* hint;
        const char* button;
    } cases[] = {
        {{kScopePopupMenu, 7, true},
         C::ModifyDirectly,
         "Mo&dify Popup Menu",
         "Modify Macro Popup Menu",
         "Modify &Popup Menu"},
        {{kScopeGlobal, 7, true}, C::ModifyDirectly, "Modify &Directly", "Modify Macro Directly", "Modify Dire&ctly"},
        {{kScopeGlobal, 7, true}, C::ActivateMacro, "Deacti&vate Macro", "Deactivate Macro", "Deacti&vate Macro"},
        {{kScopeGlobal, 7, false}, C::ActivateMacro, "Acti&vate Macro", "Activate Macro", "Acti&vate Macro"},
        {{kScopeGlobal, 7, true}, C::RemoveMacro, "&Remove Macro", "Delete Macro", "R&emove Macro"},
        {{kScopeGlobal, 7, true}, C::RenameMacro, "Rena&me Macro", "Rename Macro", "Re&name Macro"},
    };
    for (const auto& c : cases) {
        const CommandState s = stateOf(commandStates(with(c.macro)), c.id);
        EXPECT_EQ(s.caption, c.caption);
        if (s.built) {
            EXPECT_EQ(s.hint, c.hint);
        }
        EXPECT_EQ(s.button, c.button);
    }
}

TEST(MainCommands, FeaturesNotBuiltYetAreOffAndSaySo) {
    for (std::size_t i = 0; i < kMainCommandCount; ++i) {
        const auto id = static_cast<C>(i);
        const CommandState s = stateOf(commandStates(with(SelectedMacro{kScopeGlobal, 5, true})), id);
        if (s.built) continue;
        EXPECT_FALSE(s.usable()) << s.caption;
        EXPECT_EQ(s.hint, kNotBuiltYet) << s.caption;
    }
    EXPECT_TRUE(mainCommandInfo(C::Recapture).built);
    EXPECT_TRUE(mainCommandInfo(C::RemoveMacro).built);
}

}  // namespace
}  // namespace orv
