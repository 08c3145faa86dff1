#pragma once

namespace orv {

// The keyboard hook as an editor switches it: while the user types into an editor's memo, no
// hotkey and no ShortKey fires.
class IKeyboardHooks {
public:
    virtual ~IKeyboardHooks() = default;
    virtual void UnHookTheKeyboard() = 0;
    virtual void HookTheKeyboard() = 0;
};

// Keeps the keyboard hook off for as long as it lives: however the editor that holds it closes,
// the hook comes back.
class KeyboardHookPause {
public:
    explicit KeyboardHookPause(IKeyboardHooks* hooks) : hooks_(hooks) {
        if (hooks_ != nullptr) hooks_->UnHookTheKeyboard();
    }
    ~KeyboardHookPause() {
        if (hooks_ != nullptr) hooks_->HookTheKeyboard();
    }
    KeyboardHookPause(const KeyboardHookPause&) = delete;
    KeyboardHookPause& operator=(const KeyboardHookPause&) = delete;

private:
    IKeyboardHooks* hooks_;
};

}  // namespace orv
