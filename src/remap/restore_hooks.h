#pragma once

namespace orv::remap {

// The questions of "Restore &Keyboard Hooks" and "Restore &Mouse Hooks" (Tools menu).
inline constexpr const char* kKeyboardHooksTitle = "Keyboard Hooks";
inline constexpr const char* kKeyboardHooksQuestion =
    "It is possible for other programs which are run after Orvanta 99 to improperly install themselves into the "
    "system wide Windows keyboard hooks.  This causes Orvanta 99 to no longer be able to monitor keystrokes.  This "
    "option will reinstall the Windows keyboard hooks used by Orvanta 99 so that Orvanta 99 will have the first look "
    "at the keystrokes and will be able to monitor the keystrokes again.  Continue?";
inline constexpr const char* kMouseHooksTitle = "Mouse Hooks";
inline constexpr const char* kMouseHooksQuestion =
    "It is possible for other programs which are run after Orvanta 99 to improperly install themselves into the "
    "system wide Windows mouse hooks.  This causes Orvanta 99 to no longer be able to monitor mouse movements and "
    "clicks.  This option will reinstall the Windows mouse hooks used by Orvanta 99 so that Orvanta 99 will have the "
    "first look at the mouse movements and will be able to monitor the mouse again.  Continue?";

}  // namespace orv::remap
