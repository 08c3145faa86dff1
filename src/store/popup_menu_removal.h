#pragma once

#include <vector>

#include "platform/activation_table.h"
#include "store/macro_record.h"

namespace orv {

class MacroStore;

// A popup menu as it must read once a macro is removed: its record number after the removal and
// its entries without the removed macro, later macro numbers lowered by one.
struct MenuRewrite {
    int number = 0;
    TMacroRecord menu;
};

struct MacroRemovalPlan {
    std::vector<MenuRewrite> menus;
    bool listedInMenu = false;  // some popup menu has the removed macro among its entries
};

// Works out, without writing anything, what removing macro `removed` does to the popup menus of
// the current file.
MacroRemovalPlan planMacroRemoval(const MacroStore& store, const TActivationTable& table, int removed);

// Deletes record `removed`, then writes the menus of `plan` and reloads the index. The menus are
// written only once the record is gone, so that a failed deletion leaves every menu as it was.
// False when the record was not deleted.
[[nodiscard]] bool removeMacro(MacroStore& store, int removed, const MacroRemovalPlan& plan);

}  // namespace orv
