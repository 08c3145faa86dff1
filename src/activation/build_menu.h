#pragma once

#include <string>
#include <vector>

#include "activation/popup_menu.h"
#include "platform/activation_table.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

inline constexpr const char* kBuildMenuCaption = "Build Macro Menu";
inline constexpr const char* kNoMacroSelected = "No macro selected.  Please select one.";
inline constexpr const char* kResetMenuIconQuestion = "Reset icon to program default?";
inline constexpr const char* kMenuIconName = "MENU";

// "Build Macro Menu": a popup menu's name, options and icon, and its entries chosen from the
// file's other macros. Rows are 0-based positions in the two lists; -1 is no selection.
class BuildMenuModel {
public:
    // The longest nickname a record holds.
    static constexpr std::size_t kNickNameChars = 50;

    // `buffer` is the record being built: for an existing menu its fields fill the dialog; "&Ok"
    // writes the dialog back into it. `iconsDir` is the folder of the icon files.
    BuildMenuModel(TMacroRecord& buffer, bool newMenu, const TActivationTable& index, const TAppSettings& settings,
                   std::string iconsDir);

    std::string nickName;
    bool tray = false;
    MenuDisplay display = MenuDisplay::NameAndScope;
    int iconSizeIndex = 0;
    std::string iconName = kMenuIconName;

    bool isNew() const { return newMenu_; }
    const std::string& iconsDir() const { return iconsDir_; }
    // Macro numbers in menu order, and the macros that may still be added, in file order.
    const std::vector<int>& menu() const { return menu_; }
    const std::vector<int>& available() const { return available_; }
    // What the stored menu listed that it cannot keep, as a message; empty when nothing.
    const std::string& droppedEntries() const { return dropped_; }

    // The three columns of a macro in either list: activation, nickname, scope.
    struct Columns {
        std::string activation;
        std::string nickName;
        std::string scope;
    };
    Columns columns(int j) const;

    // Add and both inserts: an available macro is chosen and the menu has room.
    bool canAdd(int availableRow) const;
    bool canRemove(int menuRow) const { return menuRow >= 0 && menuRow < static_cast<int>(menu_.size()); }
    static bool canMoveUp(int menuRow) { return menuRow > 0; }
    bool canMoveDown(int menuRow) const { return canRemove(menuRow) && menuRow + 1 < static_cast<int>(menu_.size()); }

    // Where the lists' selections go after a change.
    struct Selection {
        int menuRow = -1;
        int availableRow = -1;
    };
    // "&Add": the available macro at the end of the menu; "I&nsert" before the selected entry,
    // "&Insert" after it (both at the top with no entry selected). The menu selects the moved
    // macro; the available list the next macro (the previous one at the end). Call only when
    // canAdd().
    Selection add(int availableRow);
    // "&Add" as the buttons call it: the selected menu entry does not matter.
    Selection append(int availableRow, int /*menuRow*/) { return add(availableRow); }
    Selection insertBefore(int availableRow, int menuRow);
    Selection insertAfter(int availableRow, int menuRow);
    // "&Remove": the entry goes back to its place in the available list, which selects it; the
    // menu selects the next entry (the previous one at the end).
    Selection remove(int menuRow);
    // "&Up", "&Down": the entry's new row.
    int moveUp(int menuRow);
    int moveDown(int menuRow);

    // "&Ok": the dialog into the record. True when the tray menus must be rebuilt: a new menu
    // that asks for a tray icon, or a menu whose name, tray choice or icon changed.
    bool apply();

private:
    Selection insertAt(int availableRow, int menuPosition);

    TMacroRecord& buffer_;
    bool newMenu_;
    const TActivationTable& index_;
    const TAppSettings& settings_;
    std::string iconsDir_;
    std::vector<int> menu_;
    std::vector<int> available_;
    std::string dropped_;
};

// The text of the "Quick Info" box a right click on a macro of either list shows.
std::string menuQuickInfo(const TMacroRecord& record);

}  // namespace orv
