#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/activation_table.h"
#include "platform/window_system.h"
#include "store/app_settings.h"
#include "store/macro_record.h"

namespace orv {

// How many popup menus may have an icon of their own in the tray.
inline constexpr int kMaxTrayMenus = 15;
// The icon sizes a menu in icon mode can show, by index.
inline constexpr std::array<int, 5> kMenuIconSizes{16, 24, 32, 48, 64};

// How "Choose A Macro" shows a menu's entries (the second option character).
enum class MenuDisplay : char { FirstPart = '1', Icons = '2', NameAndScope = '3' };

// The three option characters a popup-menu record keeps in its ShortKey field.
struct PopupMenuOptions {
    bool tray = false;  // the menu has an icon of its own in the tray
    MenuDisplay display = MenuDisplay::NameAndScope;
    int iconSizeIndex = 0;  // into kMenuIconSizes

    int iconSize() const { return kMenuIconSizes[static_cast<std::size_t>(iconSizeIndex)]; }
    // Any display character other than "1" or "2" shows nickname and scope; any size character
    // other than "0".."4" is the smallest size.
    static PopupMenuOptions parse(std::string_view text);
    std::string text() const;

    friend bool operator==(const PopupMenuOptions&, const PopupMenuOptions&) = default;
};

// How a macro is started, as the menus and their builder show it: "None", "Window Title",
// "Timed Macro", the ShortKey text or the hotkey's name.
std::string activationLabel(int hotKeyCode, const std::string& shortKeyText);
// The name of a scope that follows no window or program, the same in every list: "GLOBAL",
// "Popup Menu" or "SYSTEM"; nullptr for the window and program scopes.
const char* fixedScopeName(int scope);
// A macro's scope as the menus show it: a fixed scope's name, or the window or program name.
std::string menuScopeLabel(int scope, const std::string& windowTitle);

// --- keys ---

// The key that chooses entry `index` (0-based): "0".."9", then "A".."Z".
char entryKey(int index);
// The entry a key chooses (either case), or -1 for any other key or a position past `count`.
int entryForKey(char key, int count);

// --- layout, in pixels of a 17-pixel list line ---

// Icon mode: one square button per entry, nine to a row.
struct IconGrid {
    static constexpr int kPerRow = 9;
    int cell = 0;  // side of one button: the icon size + 4
    int columns = 0;
    int rows = 0;
    int width = 0;   // client width
    int height = 0;  // client height: the rows and the button row below them
};
IconGrid iconGrid(int count, int iconSize, int buttonRowHeight = 22);
// Column and row of entry `index` (0-based).
inline int iconColumn(int index) { return index % IconGrid::kPerRow; }
inline int iconRow(int index) { return index / IconGrid::kPerRow; }

// The list modes: up to 18 lines in one list, the rest in a second list beside it.
struct MenuLists {
    static constexpr int kLeftLines = 18;
    int leftLines = 0;
    int rightLines = 0;
    int leftHeight = 0;
    int rightHeight = 0;  // 0 without a right list
    int width = 0;        // client width
    int height = 0;       // client height
};
// `lineHeight` above 17 (a larger font) widens the window in proportion.
MenuLists menuLists(int count, int lineHeight = 17);

// The parts of one list line: the key box, the name (or the macro's text) and the scope.
struct LineColumns {
    int key = 0;
    int name = 0;
    int scope = 0;
};
LineColumns lineColumns(int lineWidth, MenuDisplay display);

// --- placement ---

// Where a menu opened from the tray was clicked.
struct MenuAnchor {
    int x = 0;
    int y = 0;
    friend bool operator==(const MenuAnchor&, const MenuAnchor&) = default;
};
struct WindowPlace {
    int left = 0;
    int top = 0;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};
// Without an anchor the menu is centred on `area`. From the tray it stands on the screen edge
// nearest the click (the bottom for a tray in the lower half, the top for one in the upper half)
// with its left edge at the click, moved left by its own width when it would pass the right edge,
// and never left of the area.
WindowPlace placeMenu(int width, int height, const WindowRect& area, const std::optional<MenuAnchor>& anchor);

// --- what the chooser shows ---

struct ChooserEntry {
    int macro = 0;
    char key = 0;
    std::string name;   // nickname (or activation), the first part of the macro's text, or the hint
    std::string scope;  // nickname-and-scope mode only
    MacroIconRef icon;  // icon mode
    bool popupMenu = false;
};

struct ChooserModel {
    PopupMenuOptions options;
    std::vector<ChooserEntry> entries;
    // A line in place of the entries when the menu has none.
    std::string emptyNote;
};
inline constexpr const char* kEmptyMenuNote = "There are no macros in this menu.";

// How many characters of a macro's text a list line takes at most.
inline constexpr std::size_t kFirstPartChars = 160;
// The first part of a macro's text on one line: line breaks and tabs become spaces.
std::string macroTextFirstPart(const std::string& text);

using RecordReader = std::function<bool(int, TMacroRecord&)>;
// The entries of `menu` that name macros of the index (each once, at most 36), as the chooser
// shows them; `read` gives a macro's record where its text is shown.
ChooserModel chooserModel(const TMacroRecord& menu, const TActivationTable& index, const TAppSettings& settings,
                          const RecordReader& read);

// --- tray ---

struct TrayMenu {
    int macro = 0;
    std::string nickName;  // the tooltip
    MacroIconRef icon;
    friend bool operator==(const TrayMenu&, const TrayMenu&) = default;
};
// The popup menus that asked for a tray icon, in file order, at most 15.
std::vector<TrayMenu> trayMenus(const TActivationTable& index, const TAppSettings& settings);

}  // namespace orv
