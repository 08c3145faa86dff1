#pragma once

#include <cstdint>

#include "platform/activation_table.h"
#include "platform/hook_library.h"

namespace orv {

// The hooks the program installs.
struct HookHandles {
    HookHandle keyboard = 0;
    HookHandle mouse = 0;
    HookHandle window = 0;
};

// Starts the hook library: installs the window hook, resets the table's run-time fields, hands
// the library its copy field group by field group, registers the hotkeys, then installs the
// keyboard and mouse hooks and tells the library their handles.
HookHandles startHookLibrary(TActivationTable& table, IHookLibrary& hook, std::int32_t mainWindow);

// Removes the installed hooks; the handles are 0 afterwards.
void stopHookLibrary(IHookLibrary& hook, HookHandles& handles);

}  // namespace orv
