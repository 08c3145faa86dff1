#include "activation/hotkey_table.h"

#include <algorithm>

namespace orv {

void SetHotKeys(TActivationTable& table, IHookLibrary& hook) {
    for (int c = 0; c < kHotKeyCount; ++c) table.setHotKeyInUse(c, false);
    bool haveShortKeys = false;
    const int count = std::min(table.MacroCount(), kMaxMacros);
    for (int j = 1; j <= count; ++j) {
        const int c = table.HotKeyCode(j);
        if (c == kCodeShortKey) haveShortKeys = true;
        if (c >= 0 && c < kHotKeyCount && table.Active(j)) table.setHotKeyInUse(c, true);
    }
    table.setHaveShortKeys(haveShortKeys);
    hook.OrvUpKeys(table);
}

}  // namespace orv
