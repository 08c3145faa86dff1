#include "activation/system_keys.h"

#include "activation/hotkey_table.h"
#include "store/macro_store.h"

namespace orv {

SystemKeysModel::SystemKeysModel(const TActivationTable& table, const TAppSettings& settings)
    : table_(table), systemMenu_(settings.SystemMenu) {
    for (int j = 1; j <= table.MacroCount(); ++j) {
        const std::string title = table.WindowTitle(j);
        if (table.Scope(j) != kScopeSystem || title.empty() || title[0] < '1' || title[0] > '4') continue;
        const auto field = static_cast<std::size_t>(title[0] - '1');
        if (macros_[field] != 0) continue;
        macros_[field] = j;
        codes_[field] = table.HotKeyCode(j);
    }
}

std::optional<std::string> SystemKeysModel::offerHotKey(int field, int code) {
    for (int j = 1; j <= table_.MacroCount(); ++j) {
        const int scope = table_.Scope(j);
        if (table_.HotKeyCode(j) == code && code >= 0 && code < kHotKeyCount &&
            (scope == kScopeGlobal || scope == kScopePopupMenu || scope == kScopeSystem)) {
            return "The hot key \"" + hotKeyName(code) +
                   "\" is already in use by a macro.  If you wish to use this hot key combination, you will first need "
                   "to either remove or move the macro which is assigned to it.";
        }
    }
    codes_[static_cast<std::size_t>(field)] = code;
    return std::nullopt;
}

std::optional<std::string> SystemKeysModel::apply(MacroStore& store, TAppSettings& settings) const {
    for (int a = 0; a < kFields; ++a)
        for (int b = a + 1; b < kFields; ++b)
            if (codes_[static_cast<std::size_t>(a)] == codes_[static_cast<std::size_t>(b)])
                return std::string("The same hot key has been assigned to more than one system command.");
    for (std::size_t field = 0; field < codes_.size(); ++field) {
        const int j = macros_[field];
        if (j == 0 || table_.HotKeyCode(j) == codes_[field]) continue;
        TMacroRecord record;
        if (!store.ReadMacroRecord(j, record)) continue;
        record.HotKeyCode = static_cast<std::int16_t>(codes_[field]);
        // The store has told the user why the write failed; the dialog stays open.
        if (!store.WriteMacroRecord(j, record)) return std::string();
    }
    settings.SystemMenu = systemMenu_;
    return std::nullopt;
}

}  // namespace orv
