#include "activation/hook_start.h"

#include "activation/hotkey_table.h"

namespace orv {

HookHandles startHookLibrary(TActivationTable& table, IHookLibrary& hook, std::int32_t mainWindow) {
    HookHandles handles;
    handles.window = hook.OrvHookCBT();
    table.resetForStart(mainWindow);
    hook.OrvUpCapture(table);
    hook.OrvUpInit(table);
    hook.OrvUpIdle(table);
    hook.OrvUpWindow(table);
    hook.OrvUpWindow2(table);
    hook.OrvUpProg(table);
    hook.OrvUpCaptureOn(table);
    hook.OrvUpWaits(table);
    hook.OrvUpProgs(table);
    SetHotKeys(table, hook);
    handles.keyboard = hook.OrvHookKeyboard();
    table.setI32(TActivationTable::oKeyboardHook, handles.keyboard);
    handles.mouse = hook.OrvHookMouse();
    table.setI32(TActivationTable::oMouseHook, handles.mouse);
    hook.OrvUpKeyHook(table);
    hook.OrvUpMouseHook(table);
    return handles;
}

void stopHookLibrary(IHookLibrary& hook, HookHandles& handles) {
    for (HookHandle* handle : {&handles.keyboard, &handles.mouse, &handles.window}) {
        if (*handle != 0) hook.OrvUnHook(*handle);
        *handle = 0;
    }
}

}  // namespace orv
