#include "activation/build_menu.h"

#include <algorithm>
#include <filesystem>

#include "activation/scheduler.h"
#include "platform/hotkey_codes.h"
#include "store/popup_menu_entries.h"

namespace orv {

namespace {

bool iconFileExists(const std::string& iconsDir, const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(iconsDir + "/" + name, ec);
}

// The row the selection moves to once row `removed` has left a list of `size` entries (the size
// after the removal): the same row, or the last one.
int nextRow(int removed, std::size_t size) {
    if (size == 0) return -1;
    return std::min(removed, static_cast<int>(size) - 1);
}

}  // namespace

BuildMenuModel::BuildMenuModel(TMacroRecord& buffer, bool newMenu, const TActivationTable& index,
                               const TAppSettings& settings, std::string iconsDir)
    : buffer_(buffer), newMenu_(newMenu), index_(index), settings_(settings), iconsDir_(std::move(iconsDir)) {
    if (!newMenu_) {
        nickName = buffer_.NickName;
        const PopupMenuOptions options = PopupMenuOptions::parse(buffer_.ShortKeyText);
        tray = options.tray;
        display = options.display;
        iconSizeIndex = options.iconSizeIndex;
        iconName = buffer_.IconName;
        if (iconName != kMenuIconName && !iconFileExists(iconsDir_, iconName)) iconName = kMenuIconName;
        const MenuEntryCheck check = checkMenuEntries(buffer_.MenuItems, index_.MacroCount());
        menu_ = check.valid;
        if (!check.clean())
            dropped_ = "This menu's " + check.problem() + ". Only the macros the file holds are kept in the menu.";
    }
    for (int j = 1; j <= index_.MacroCount(); ++j) {
        if (index_.Scope(j) != kScopeSystem && std::find(menu_.begin(), menu_.end(), j) == menu_.end())
            available_.push_back(j);
    }
}

BuildMenuModel::Columns BuildMenuModel::columns(int j) const {
    return {activationLabel(index_.HotKeyCode(j), settings_.shortKeyText(j)), settings_.nickName(j),
            menuScopeLabel(index_.Scope(j), index_.WindowTitle(j))};
}

bool BuildMenuModel::canAdd(int availableRow) const {
    return availableRow >= 0 && availableRow < static_cast<int>(available_.size()) &&
           menu_.size() < static_cast<std::size_t>(kMaxPopupItems);
}

BuildMenuModel::Selection BuildMenuModel::insertAt(int availableRow, int menuPosition) {
    const int j = available_[static_cast<std::size_t>(availableRow)];
    available_.erase(available_.begin() + availableRow);
    menu_.insert(menu_.begin() + menuPosition, j);
    return {menuPosition, nextRow(availableRow, available_.size())};
}

BuildMenuModel::Selection BuildMenuModel::add(int availableRow) {
    return insertAt(availableRow, static_cast<int>(menu_.size()));
}

BuildMenuModel::Selection BuildMenuModel::insertBefore(int availableRow, int menuRow) {
    return insertAt(availableRow, canRemove(menuRow) ? menuRow : 0);
}

BuildMenuModel::Selection BuildMenuModel::insertAfter(int availableRow, int menuRow) {
    return insertAt(availableRow, canRemove(menuRow) ? menuRow + 1 : 0);
}

BuildMenuModel::Selection BuildMenuModel::remove(int menuRow) {
    const int j = menu_[static_cast<std::size_t>(menuRow)];
    menu_.erase(menu_.begin() + menuRow);
    const auto place = std::lower_bound(available_.begin(), available_.end(), j);
    const int availableRow = static_cast<int>(place - available_.begin());
    available_.insert(place, j);
    return {nextRow(menuRow, menu_.size()), availableRow};
}

int BuildMenuModel::moveUp(int menuRow) {
    std::swap(menu_[static_cast<std::size_t>(menuRow)], menu_[static_cast<std::size_t>(menuRow - 1)]);
    return menuRow - 1;
}

int BuildMenuModel::moveDown(int menuRow) {
    std::swap(menu_[static_cast<std::size_t>(menuRow)], menu_[static_cast<std::size_t>(menuRow + 1)]);
    return menuRow + 1;
}

bool BuildMenuModel::apply() {
    const std::string name = nickName.substr(0, kNickNameChars);
    const bool wasTray = PopupMenuOptions::parse(buffer_.ShortKeyText).tray;
    const bool rebuild =
        newMenu_ ? tray : name != buffer_.NickName || tray != wasTray || (tray && iconName != buffer_.IconName);
    if (newMenu_) buffer_.Active = 1;
    buffer_.NickName = name;
    buffer_.IconName = iconName;
    buffer_.Scope = kScopePopupMenu;
    buffer_.ShortKeyText = PopupMenuOptions{tray, display, iconSizeIndex}.text();
    buffer_.MacroText.clear();
    buffer_.MenuItems.assign(menu_.begin(), menu_.end());
    return rebuild;
}

std::string menuQuickInfo(const TMacroRecord& r) {
    std::string text;
    switch (r.HotKeyCode) {
        case kCodeTimed:
            text = "Timed Macro";
            break;
        case kCodeShortKey:
            text = "ShortKey: " + r.ShortKeyText;
            break;
        case kCodeNone:
            text = "None";
            break;
        case kCodeWindowTitle:
            text = "Window Title";
            break;
        default:
            text = "Hot Key: " + activationLabel(r.HotKeyCode, r.ShortKeyText);
    }
    text += "\nName: " + r.NickName + "\nScope: ";
    if (r.Scope == kScopeWindow || r.Scope == kScopeProgram) {
        text += r.WindowTitle + (r.Scope == kScopeProgram ? " \"Program\"" : " \"Window\"") +
                (r.TopMostOnly != 0 ? " (Top Most Only)" : " (If Active)");
    } else {
        text += menuScopeLabel(r.Scope, r.WindowTitle);
    }
    text += std::string("\nActive: ") + (r.Active != 0 ? "Yes" : "No");
    if (r.HotKeyCode == kCodeTimed) text += "\nSchdedule: " + GetSched(r);
    if (r.Scope != kScopePopupMenu && r.Scope != kScopeSystem) text += "\nMacro: " + macroTextFirstPart(r.MacroText);
    return text;
}

}  // namespace orv
