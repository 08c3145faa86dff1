#include "mainwin/list_texts.h"

#include "activation/hotkey_table.h"
#include "engine/ansi_upper.h"

namespace orv {

std::string activationText(const TActivationTable& table, const TAppSettings& settings, int j) {
    const int code = table.HotKeyCode(j);
    switch (code) {
        case kCodeTimed:
            return "Timed Macro";
        case kCodeShortKey:
            return settings.shortKeyText(j);
        case kCodeNone:
            return "None";
        case kCodeWindowTitle:
            return "Window Title";
        default:
            // A code outside the hotkey table can only come from a damaged file.
            return code >= 0 && code < kHotKeyCount ? hotKeyName(code) : "Unknown (" + std::to_string(code) + ")";
    }
}

std::string scopeText(const TActivationTable& table, int j) {
    switch (table.Scope(j)) {
        case kScopeGlobal:
            return "GLOBAL";
        case kScopePopupMenu:
            return "Popup Menu";
        case kScopeSystem:
            return "SYSTEM";
        case kScopeProgram:
            return "Program: " + table.WindowTitle(j).substr(0, 29);
        default:
            return "Window: " + table.WindowTitle(j).substr(0, 28);
    }
}

std::string activationFindText(const TActivationTable& table, const TAppSettings& settings, int j) {
    return ansiUpper(activationText(table, settings, j));
}

std::size_t fittedLength(std::size_t length, int available, const std::function<int(std::size_t)>& widthOf) {
    while (length > 0 && widthOf(length) > available) --length;
    return length;
}

}  // namespace orv
