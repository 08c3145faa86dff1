#include "mainwin/macro_operations.h"

#include <algorithm>

#include "activation/hotkey_table.h"
#include "store/macro_store.h"
#include "store/popup_menu_removal.h"

namespace orv {

namespace {

constexpr const char* kError = "Error";
constexpr const char* kDelete = "Delete";

// How the remove questions name a macro: "this macro", "Timed Macro", its ShortKey text or its
// hotkey's name.
std::string removalName(int code, const std::string& shortKeyText) {
    if (code == kCodeTimed) return "Timed Macro";
    if (code == kCodeShortKey) return shortKeyText;
    if (code == kCodeWindowTitle || code == kCodeNone) return "this macro";
    return hotKeyName(code);
}

std::string firstQuestion(int code, const std::string& name) {
    if (code == kCodeShortKey) return "Are you sure you want to remove the ShortKey \"" + name + "\"?";
    if (code == kCodeWindowTitle || code == kCodeNone) return "Are you sure you want to remove this macro?";
    return "Are you sure you want to remove \"" + name + "\"?";
}

std::string menuQuestion(const std::string& name) {
    return "This macro is contained in a \"Popup Menu\".  It will be removed from the \"Popup Menu\".  Are you sure "
           "you want to remove \"" +
           name + "\"?";
}

bool isPopupAfter(const TActivationTable& table, int removed) {
    for (int j = removed + 1; j <= table.MacroCount(); ++j)
        if (table.Scope(j) == kScopePopupMenu) return true;
    return false;
}

}  // namespace

std::vector<bool> exclusiveHotKeys(const TActivationTable& table) {
    std::vector<bool> used(kHotKeyCount, false);
    for (int j = 1; j <= std::min(table.MacroCount(), kMaxMacros); ++j) {
        const int code = table.HotKeyCode(j);
        const int scope = table.Scope(j);
        if (code >= 0 && code < kHotKeyCount && (scope == kScopeGlobal || scope == kScopePopupMenu))
            used[static_cast<std::size_t>(code)] = true;
    }
    return used;
}

std::vector<int> hotKeyUseCounts(const TActivationTable& table) {
    std::vector<int> counts(kHotKeyCount, 0);
    for (int j = 1; j <= std::min(table.MacroCount(), kMaxMacros); ++j) {
        const int code = table.HotKeyCode(j);
        if (code >= 0 && code < kHotKeyCount) ++counts[static_cast<std::size_t>(code)];
    }
    return counts;
}

dialogs::DialogEnv MacroOperations::env() {
    dialogs::DialogEnv e;
    e.prompt = &s_.prompt;
    e.settings = &s_.settings;
    e.clock = &s_.clock;
    return e;
}

int selectedMacroToChange(const MacroList& list, IMacroFile& file, IUserPrompt& prompt) {
    if (list.rowCount() == 0) {
        prompt.messageBox(kError, kMsgNoMacros);
        return 0;
    }
    const int j = list.selectedMacro();
    if (j == 0) {
        prompt.messageBox(kError, kMsgNoneSelected);
        return 0;
    }
    return file.refuseWhenReadOnly() ? 0 : j;
}

int MacroOperations::selectedForChange() { return selectedMacroToChange(s_.list, s_.file, s_.prompt); }

bool MacroOperations::lock(bool lockHeld) { return lockHeld || s_.file.lockSharedFile(); }

void MacroOperations::release(bool lockHeld, bool changed) {
    if (!lockHeld) s_.file.releaseSharedFile(changed);
}

void MacroOperations::refill(int selectMacro, const MacroChange& change) {
    s_.list.FillList(s_.file.index(), s_.settings);
    if (const int row = s_.list.ReverseSort(selectMacro); row != -1) s_.list.select(row);
    s_.host.macrosChanged(change);
}

bool MacroOperations::askRemove(const std::string& question) {
    return s_.prompt.messageBox(kDelete, question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

void MacroOperations::DoClear() {
    const int j = selectedForChange();
    if (j == 0 || !lock(false)) return;
    const int row = s_.list.selectedRow();
    const int code = s_.file.index().HotKeyCode(j);
    const std::string name = removalName(code, s_.settings.shortKeyText(j));
    if (!askRemove(firstQuestion(code, name))) return release(false, false);
    const MacroRemovalPlan plan = s_.file.planRemoval(j);
    if (plan.listedInMenu && !askRemove(menuQuestion(name))) return release(false, false);

    MacroChange change;
    change.timed = code == kCodeTimed;
    change.menus = s_.file.index().Scope(j) == kScopePopupMenu || isPopupAfter(s_.file.index(), j);
    change.remap = true;
    if (!s_.file.removeMacro(j, plan)) return release(false, false);
    s_.list.FillList(s_.file.index(), s_.settings);
    // The same row shows the next macro; removing the last row selects the new last one.
    s_.list.select(std::min(row, s_.list.rowCount()));
    s_.host.macrosChanged(change);
    release(false, true);
}

bool MacroOperations::copyOrMove(TMacroRecord& record, bool move) {
    dialogs::TCopyOrMove dialog;
    dialog.set("mode", move ? "move" : "copy");
    dialog.setRecord(record);
    dialog.setExclusiveCodes(exclusiveHotKeys(s_.file.index()));
    dialog.setHotKeyNames([](int code) { return hotKeyName(code); });
    const dialogs::DialogEnv e = env();
    if (!s_.host.showCopyOrMove(dialog, e) || !dialog.accepted()) return false;
    record = dialog.record();
    // "Set Schedule" edits the schedule the macro now has; how it is closed does not matter.
    if (dialog.values().showSchedule) s_.host.showSchedule(record, e);
    record.LastModified = toDateSerial(s_.clock.now());
    return true;
}

void MacroOperations::DoCopy() {
    const int j = selectedForChange();
    if (j == 0) return;
    if (s_.file.index().MacroCount() >= kMaxMacros) {
        s_.prompt.messageBox(kError, kMsgMacroLimit);
        return;
    }
    if (!lock(false)) return;
    TMacroRecord record;
    if (!s_.file.readMacroRecord(j, record) || !copyOrMove(record, false)) return release(false, false);
    if (!s_.file.appendMacroRecord(record)) return release(false, false);
    refill(s_.file.index().MacroCount(), {record.HotKeyCode == kCodeTimed, record.isPopupMenu(), false});
    release(false, true);
}

void MacroOperations::DoMove(bool lockHeld) {
    const int j = selectedForChange();
    if (j == 0 || !lock(lockHeld)) return;
    TMacroRecord record;
    if (!s_.file.readMacroRecord(j, record)) return release(lockHeld, false);
    if (record.Scope == kScopeSystem) {
        const bool changed = s_.host.showSystemHotKeys(j);
        if (changed) refill(j, {});
        return release(lockHeld, changed);
    }
    const bool wasTimed = record.HotKeyCode == kCodeTimed;
    if (!copyOrMove(record, true) || !s_.file.writeMacroRecord(j, record)) return release(lockHeld, false);
    refill(j, {wasTimed || record.HotKeyCode == kCodeTimed, record.isPopupMenu(), false});
    release(lockHeld, true);
}

void MacroOperations::DoActivate() {
    const int j = selectedForChange();
    if (j == 0 || !lock(false)) return;
    // The store flips the flag in the file, then in the index, and reports it to the hook library.
    if (!s_.file.setMacroActive(j, !s_.file.index().Active(j))) return release(false, false);
    s_.host.macrosChanged({s_.file.index().HotKeyCode(j) == kCodeTimed, false, false});
    release(false, true);
}

}  // namespace orv
