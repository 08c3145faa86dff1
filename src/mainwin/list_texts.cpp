#include "mainwin/list_texts.h"

#include "activation/popup_menu.h"
#include "engine/ansi_upper.h"

namespace orv {

std::string activationText(const TActivationTable& table, const TAppSettings& settings, int j) {
    return activationLabel(table.HotKeyCode(j), settings.shortKeyText(j));
}

std::string scopeText(const TActivationTable& table, int j) { return scopeText(table.Scope(j), table.WindowTitle(j)); }

std::string scopeText(int scope, const std::string& windowTitle) {
    if (const char* fixed = fixedScopeName(scope)) return fixed;
    return scope == kScopeProgram ? "Program: " + windowTitle.substr(0, 29) : "Window: " + windowTitle.substr(0, 28);
}

std::string activationFindText(const TActivationTable& table, const TAppSettings& settings, int j) {
    return ansiUpper(activationText(table, settings, j));
}

std::size_t fittedLength(std::size_t length, int available, const std::function<int(std::size_t)>& widthOf) {
    while (length > 0 && widthOf(length) > available) --length;
    return length;
}

}  // namespace orv
