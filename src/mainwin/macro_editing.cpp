#include "mainwin/macro_editing.h"

#include "platform/hotkey_codes.h"

namespace orv {

namespace {

constexpr const char* kError = "Error";

}  // namespace

void MacroEditing::saved(int j, bool timed, bool menus) {
    s_.list.FillList(s_.file.index(), s_.settings);
    if (const int row = s_.list.ReverseSort(j); row != -1) s_.list.select(row);
    s_.host.macrosChanged({timed, menus, false});
}

void MacroEditing::DoAdd() {
    if (s_.file.index().MacroCount() >= kMaxMacros) {
        s_.prompt.messageBox(kError, kMsgMacroLimit);
        return;
    }
    if (s_.file.refuseWhenReadOnly() || !s_.file.lockSharedFile()) return;
    buffer_ = TMacroRecord{};
    editors::AddMacroModel model(s_.file.index(), [](int code) { return hotKeyName(code); });
    const BuilderResult result = s_.host.showAddMacro(model, buffer_);
    if (result.handedOver) return;
    if (!result.saved || !s_.file.appendMacroRecord(buffer_)) {
        s_.file.releaseSharedFile(false);
        return;
    }
    s_.host.clearShortKeyBuffer();
    saved(s_.file.index().MacroCount(), buffer_.HotKeyCode == kCodeTimed, result.trayMenusChanged);
    s_.file.releaseSharedFile(true);
}

void MacroEditing::DoModify(bool lockHeld) { modify(lockHeld, false); }

void MacroEditing::DoTheScript() { modify(false, true); }

void MacroEditing::modify(bool lockHeld, bool scripting) {
    const int j = selectedMacroToChange(s_.list, s_.file, s_.prompt);
    if (j == 0 || (!lockHeld && !s_.file.lockSharedFile())) return;
    const auto release = [&](bool changed) {
        if (!lockHeld) s_.file.releaseSharedFile(changed);
    };
    if (!s_.file.readMacroRecord(j, buffer_)) return release(false);
    const bool wasTimed = buffer_.HotKeyCode == kCodeTimed;
    if (buffer_.Scope == kScopePopupMenu) {
        const BuilderResult r = s_.host.showBuildMenu(buffer_, hotKeyName(buffer_.HotKeyCode), false);
        if (!r.saved || !s_.file.writeMacroRecord(j, buffer_)) return release(false);
        saved(j, false, true);
        return release(true);
    }
    const editors::EditorStart start = editors::editorStartFor(s_.file.index(), j, hotKeyName(buffer_.HotKeyCode));
    const bool edited =
        scripting ? s_.host.showScriptingEditor(buffer_, start) : s_.host.showDirectEditor(buffer_, start);
    if (!edited || !s_.file.writeMacroRecord(j, buffer_)) return release(false);
    s_.host.clearShortKeyBuffer();
    saved(j, wasTimed || buffer_.HotKeyCode == kCodeTimed, false);
    release(true);
}

}  // namespace orv
