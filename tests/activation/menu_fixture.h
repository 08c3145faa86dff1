#pragma once

#include <string>
#include <vector>

#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv::test {

// An index of macros made in memory, as the popup-menu models read it.
struct MenuIndex {
    TActivationTable table;
    TAppSettings settings;

    // Adds macro number MacroCount + 1; returns it.
    int add(const std::string& nickName, int code, int scope, const std::string& windowTitle = "",
            const std::string& shortKeyText = "") {
        const int j = table.MacroCount() + 1;
        table.setMacroCount(j);
        table.setHotKeyCode(j, static_cast<std::int16_t>(code));
        table.setScope(j, static_cast<std::int16_t>(scope));
        table.setWindowTitle(j, windowTitle);
        table.setActive(j, true);
        const auto i = static_cast<std::size_t>(j - 1);
        settings.NickName[i] = nickName;
        settings.ShortKeyText[i] = shortKeyText;
        settings.MacroIcon[i] = {scope == kScopePopupMenu ? MacroIconRef::Kind::Menu : MacroIconRef::Kind::Main, {}};
        return j;
    }
};

inline TMacroRecord menuRecord(const std::string& options, std::vector<std::int16_t> items) {
    TMacroRecord menu;
    menu.NickName = "Menu";
    menu.Scope = kScopePopupMenu;
    menu.Active = 1;
    menu.HotKeyCode = kCodeNone;
    menu.ShortKeyText = options;
    menu.IconName = "MENU";
    menu.MenuItems = std::move(items);
    return menu;
}

}  // namespace orv::test
