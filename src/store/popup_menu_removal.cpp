#include "store/popup_menu_removal.h"

#include <algorithm>

#include "store/macro_store.h"

namespace orv {

namespace {

// Drops `removed` from the menu's entries and renumbers the later ones; true when anything changed.
bool renumberEntries(TMacroRecord& menu, int removed, bool& listed) {
    bool changed = false;
    const auto it = std::find(menu.MenuItems.begin(), menu.MenuItems.end(), static_cast<std::int16_t>(removed));
    if (it != menu.MenuItems.end()) {
        menu.MenuItems.erase(it);
        listed = true;
        changed = true;
    }
    for (std::int16_t& item : menu.MenuItems) {
        if (item > removed) {
            --item;
            changed = true;
        }
    }
    return changed;
}

}  // namespace

MacroRemovalPlan planMacroRemoval(const MacroStore& store, const TActivationTable& table, int removed) {
    MacroRemovalPlan plan;
    const int count = std::min(table.MacroCount(), kMaxMacros);
    for (int j = 1; j <= count; ++j) {
        if (j == removed || table.Scope(j) != kScopePopupMenu) continue;
        TMacroRecord menu;
        if (!store.ReadMacroRecord(j, menu)) continue;
        // Records after the removed one move up by one.
        if (renumberEntries(menu, removed, plan.listedInMenu)) plan.menus.push_back({j > removed ? j - 1 : j, menu});
    }
    return plan;
}

bool removeMacro(MacroStore& store, int removed, const MacroRemovalPlan& plan) {
    if (!store.DeleteMacroRecord(removed)) return false;
    // The removal stands even when a menu cannot be rewritten: the store has shown why, and the
    // menus after it would fail the same way, so one message is enough.
    for (MenuRewrite rewrite : plan.menus) {
        if (!store.WriteMacroRecord(rewrite.number, rewrite.menu)) break;
    }
    store.ReloadMacroFile();
    return true;
}

}  // namespace orv
