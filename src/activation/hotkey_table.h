#pragma once

#include "platform/activation_table.h"
#include "platform/hook_library.h"
#include "platform/hotkey_codes.h"

namespace orv {

// Rebuilds HotKeyInUse and HaveShortKeys from the per-macro arrays and hands them to the hook
// library.
void SetHotKeys(TActivationTable& table, IHookLibrary& hook);

}  // namespace orv
