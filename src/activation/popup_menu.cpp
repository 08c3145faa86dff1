#include "activation/popup_menu.h"

#include <algorithm>

#include "platform/hotkey_codes.h"
#include "store/popup_menu_entries.h"

namespace orv {

PopupMenuOptions PopupMenuOptions::parse(std::string_view text) {
    PopupMenuOptions o;
    o.tray = !text.empty() && text[0] == 'Y';
    const char display = text.size() > 1 ? text[1] : ' ';
    o.display = display == '1'   ? MenuDisplay::FirstPart
                : display == '2' ? MenuDisplay::Icons
                                 : MenuDisplay::NameAndScope;
    const char size = text.size() > 2 ? text[2] : '0';
    o.iconSizeIndex = size >= '0' && size < static_cast<char>('0' + kMenuIconSizes.size()) ? size - '0' : 0;
    return o;
}

std::string PopupMenuOptions::text() const {
    return {tray ? 'Y' : 'N', static_cast<char>(display), static_cast<char>('0' + iconSizeIndex)};
}

std::string activationLabel(int hotKeyCode, const std::string& shortKeyText) {
    switch (hotKeyCode) {
        case kCodeTimed:
            return "Timed Macro";
        case kCodeShortKey:
            return shortKeyText;
        case kCodeNone:
            return "None";
        case kCodeWindowTitle:
            return "Window Title";
        default:
            // A code outside the hotkey table can only come from a damaged file.
            return hotKeyCode >= 0 && hotKeyCode < kHotKeyCount ? hotKeyName(hotKeyCode)
                                                                : "Unknown (" + std::to_string(hotKeyCode) + ")";
    }
}

const char* fixedScopeName(int scope) {
    switch (scope) {
        case kScopeGlobal:
            return "GLOBAL";
        case kScopePopupMenu:
            return "Popup Menu";
        case kScopeSystem:
            return "SYSTEM";
        default:
            return nullptr;
    }
}

std::string menuScopeLabel(int scope, const std::string& windowTitle) {
    const char* fixed = fixedScopeName(scope);
    return fixed != nullptr ? fixed : windowTitle;
}

char entryKey(int index) { return static_cast<char>(index < 10 ? '0' + index : 'A' + (index - 10)); }

int entryForKey(char key, int count) {
    int index = -1;
    if (key >= '0' && key <= '9') index = key - '0';
    if (key >= 'A' && key <= 'Z') index = key - 'A' + 10;
    if (key >= 'a' && key <= 'z') index = key - 'a' + 10;
    return index < count ? index : -1;
}

IconGrid iconGrid(int count, int iconSize, int buttonRowHeight) {
    IconGrid g;
    g.cell = iconSize + 4;
    g.columns = std::min(count, IconGrid::kPerRow);
    g.rows = (count + IconGrid::kPerRow - 1) / IconGrid::kPerRow;
    g.height = g.rows * g.cell + buttonRowHeight;
    if (count > 8) {
        g.width = iconSize * 9 + 36;
    } else if (count >= 4) {
        g.width = count * g.cell;
    } else {
        g.width = 4 * g.cell;
    }
    return g;
}

MenuLists menuLists(int count, int lineHeight) {
    MenuLists l;
    l.leftLines = std::min(count, MenuLists::kLeftLines);
    l.rightLines = count - l.leftLines;
    // An empty menu still shows one line (the note that says so).
    l.leftHeight = std::max(l.leftLines, 1) * lineHeight + 8;
    l.rightHeight = l.rightLines > 0 ? l.rightLines * lineHeight + 8 : 0;
    const int baseWidth = l.rightLines > 0 ? 604 : 300;
    l.width = baseWidth * std::max(lineHeight, 17) / 17;
    l.height = l.leftHeight + 42;
    return l;
}

LineColumns lineColumns(int lineWidth, MenuDisplay display) {
    LineColumns c;
    c.key = lineWidth / 14;
    if (display == MenuDisplay::NameAndScope) {
        c.name = lineWidth * 9 / 14;
        c.scope = lineWidth - c.key - c.name;
    } else {
        c.name = lineWidth - c.key;
    }
    return c;
}

WindowPlace placeMenu(int width, int height, const WindowRect& area, const std::optional<MenuAnchor>& anchor) {
    if (!anchor) return {area.left + (area.width() - width) / 2, area.top + (area.height() - height) / 2};
    int left = anchor->x;
    if (left + width > area.right) left -= width;
    left = std::max(left, area.left);
    const bool lowerHalf = anchor->y >= area.top + area.height() / 2;
    return {left, lowerHalf ? area.bottom - height : area.top};
}

std::string macroTextFirstPart(const std::string& text) {
    std::string line = text.substr(0, kFirstPartChars);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
    return line;
}

ChooserModel chooserModel(const TMacroRecord& menu, const TActivationTable& index, const TAppSettings& settings,
                          const RecordReader& read) {
    ChooserModel m;
    m.options = PopupMenuOptions::parse(menu.ShortKeyText);
    const MenuEntryCheck check = checkMenuEntries(menu.MenuItems, index.MacroCount());
    for (const int j : check.valid) {
        if (m.entries.size() == static_cast<std::size_t>(kMaxPopupItems)) break;
        ChooserEntry e;
        e.macro = j;
        e.key = entryKey(static_cast<int>(m.entries.size()));
        e.icon = settings.macroIcon(j);
        e.popupMenu = index.Scope(j) == kScopePopupMenu;
        e.name = settings.nickName(j);
        if (m.options.display == MenuDisplay::NameAndScope) {
            if (e.name.find_first_not_of(' ') == std::string::npos)
                e.name = activationLabel(index.HotKeyCode(j), settings.shortKeyText(j));
            e.scope = menuScopeLabel(index.Scope(j), index.WindowTitle(j));
        } else if (m.options.display == MenuDisplay::FirstPart) {
            // A menu or system macro has no text of its own: its nickname stands in.
            TMacroRecord record;
            if (index.Scope(j) != kScopePopupMenu && index.Scope(j) != kScopeSystem && read(j, record))
                e.name = macroTextFirstPart(record.MacroText);
        }
        m.entries.push_back(std::move(e));
    }
    if (m.entries.empty()) m.emptyNote = kEmptyMenuNote;
    return m;
}

std::vector<TrayMenu> trayMenus(const TActivationTable& index, const TAppSettings& settings) {
    std::vector<TrayMenu> menus;
    for (int j = 1; j <= index.MacroCount() && menus.size() < static_cast<std::size_t>(kMaxTrayMenus); ++j) {
        if (index.Scope(j) != kScopePopupMenu || !PopupMenuOptions::parse(settings.shortKeyText(j)).tray) continue;
        menus.push_back({j, settings.nickName(j), settings.macroIcon(j)});
    }
    return menus;
}

}  // namespace orv
