#include "editors/add_macro.h"

#include <algorithm>

#include "dialogs/copy_move_dialog.h"
#include "dialogs/dialog_text.h"

namespace orv::editors {

namespace {

using T = AddType;

constexpr AddTypeInfo kTypes[] = {
    {T::HotKeys, "UseHotKey", "&Hot Keys", true, "", 0, true, true, "&Enter Directly"},
    {T::ShortKeys, "UseShortKeys", "S&hortKeys", false, "ShortKey Name", 10, true, true, "&Enter Directly"},
    {T::Timed, "TimedMacro", "&Timed Macro", false, "", 0, false, true, "&Enter Directly"},
    {T::WindowTitle, "UseTitle", "&Window Title", false, "Window Title", 20, true, true, "&Enter Directly"},
    {T::PopupMenu, "UsePopup", "&Popup Menu", true, "", 0, false, false, "&Build Menu"},
    {T::None, "UseBuilding", "&None (use later)", false, "", 0, false, true, "&Enter Directly"},
};
static_assert(std::size(kTypes) == kAddTypeCount);

constexpr const char* kNoHotKey = "No hot key selected.  Please select one.";
constexpr const char* kNoShortKey = "No ShortKey name entered.";
constexpr const char* kNoTitle = "No Window title has been entered.";
constexpr const char* kNoMacros = "No macros have been defined yet.  A popup menu is created with existing macros.";
constexpr const char* kKeyTaken =
    "Selected Hot Key is already either a GLOBAL or Popup Menu Hot Key.  Hot Key cannot be added.";

bool isHotKey(int code) { return code >= 0 && code < kHotKeyCount; }

AddPress refused(const char* field, std::string message) {
    return {false, dialogs::Failure{field, std::move(message), "Error"}, {}};
}

EditorKind editorKindOf(AddType type) {
    switch (type) {
        case T::ShortKeys:
            return EditorKind::ShortKey;
        case T::Timed:
            return EditorKind::Timed;
        case T::WindowTitle:
            return EditorKind::WindowTitle;
        case T::None:
            return EditorKind::NoneLater;
        default:
            return EditorKind::HotKey;
    }
}

int hotKeyCodeOf(AddType type, int selected) {
    switch (type) {
        case T::ShortKeys:
            return kCodeShortKey;
        case T::Timed:
            return kCodeTimed;
        case T::WindowTitle:
            return kCodeWindowTitle;
        case T::None:
            return kCodeNone;
        default:
            return selected;
    }
}

}  // namespace

const AddTypeInfo& addTypeInfo(AddType type) { return kTypes[static_cast<std::size_t>(type)]; }

std::vector<bool> exclusiveKeyFlags(const TActivationTable& table) {
    std::vector<bool> flags(kHotKeyCount, false);
    for (int j = 1; j <= std::min(table.MacroCount(), kMaxMacros); ++j) {
        const int code = table.HotKeyCode(j);
        const int scope = table.Scope(j);
        if (isHotKey(code) && (scope == kScopeGlobal || scope == kScopePopupMenu || scope == kScopeSystem))
            flags[static_cast<std::size_t>(code)] = true;
    }
    return flags;
}

AddMacroModel::AddMacroModel(const TActivationTable& table, HotKeyNames names)
    : names_(std::move(names)), exclusive_(exclusiveKeyFlags(table)) {
    const int count = std::clamp(table.MacroCount(), 0, kMaxMacros);
    newIndex_ = count + 1;
    std::vector<int> uses(kHotKeyCount, 0);
    for (int j = 1; j <= count; ++j) {
        if (table.Scope(j) != kScopeSystem) haveOtherMacros_ = true;
        if (const int code = table.HotKeyCode(j); isHotKey(code)) ++uses[static_cast<std::size_t>(code)];
    }
    rows_.reserve(kHotKeyCount);
    for (int code = 0; code < kHotKeyCount; ++code)
        rows_.push_back(dialogs::hotKeyListRow(names_(code), uses[static_cast<std::size_t>(code)]));
}

bool AddMacroModel::exclusive(int code) const { return isHotKey(code) && exclusive_[static_cast<std::size_t>(code)]; }

void AddMacroModel::selectHotKey(int code) {
    if (isHotKey(code)) selected_ = code;
}

bool AddMacroModel::CheckBad(int code, IUserPrompt& prompt) const {
    if (!dialogs::isReservedHotKey(code)) return false;
    return prompt.messageBox("Warning", dialogs::reservedHotKeyQuestion(names_(code)), PromptButtons::YesNo) !=
           PromptAnswer::Yes;
}

std::optional<dialogs::Failure> AddMacroModel::validate(IUserPrompt& prompt, TMacroRecord& buffer) const {
    const std::string name = dialogs::trimText(name_);
    switch (type_) {
        case T::HotKeys:
            if (selected_ < 0) return dialogs::Failure{kHotKeyField, kNoHotKey};
            if (CheckBad(selected_, prompt)) return dialogs::Failure{kHotKeyField, ""};
            break;
        case T::ShortKeys:
            if (name.empty()) return dialogs::Failure{kNameField, kNoShortKey};
            buffer.ShortKeyText = name.substr(0, TMacroRecord::kShortKeyText);
            break;
        case T::WindowTitle:
            if (name.empty()) return dialogs::Failure{kNameField, kNoTitle};
            buffer.WindowTitle = name.substr(0, 20);
            break;
        default:
            break;
    }
    return std::nullopt;
}

AddPress AddMacroModel::press(Builder builder, IUserPrompt& prompt, TMacroRecord& buffer) const {
    if (type_ == T::PopupMenu) {
        // The list of a popup menu leads to "Build Menu" only.
        if (builder != Builder::Direct && builder != Builder::PopupMenu) return {};
        return pressBuildMenu(prompt, buffer);
    }
    const AddTypeInfo& info = addTypeInfo(type_);
    if ((builder == Builder::Capture && !info.capture) || (builder == Builder::ScriptingEditor && !info.script))
        return {};
    TMacroRecord changed = buffer;
    if (std::optional<dialogs::Failure> failure = validate(prompt, changed)) return {false, std::move(*failure), {}};
    changed.HotKeyCode = static_cast<std::int16_t>(hotKeyCodeOf(type_, selected_));
    buffer = std::move(changed);
    AddPress out;
    out.accepted = true;
    out.start.builder = builder;
    out.start.kind = editorKindOf(type_);
    if (type_ == T::HotKeys) {
        out.start.hotKeyLabel = names_(selected_);
        out.start.exclusiveKey = selectedIsExclusive();
    }
    return out;
}

AddPress AddMacroModel::pressBuildMenu(IUserPrompt& prompt, TMacroRecord& buffer) const {
    if (!haveOtherMacros_) return refused(kHotKeyField, kNoMacros);
    if (selected_ < 0) return refused(kHotKeyField, kNoHotKey);
    if (selectedIsExclusive()) return refused(kHotKeyField, kKeyTaken);
    if (CheckBad(selected_, prompt)) return refused(kHotKeyField, "");
    buffer.HotKeyCode = static_cast<std::int16_t>(selected_);
    AddPress out;
    out.accepted = true;
    out.start.builder = Builder::PopupMenu;
    out.start.kind = EditorKind::HotKey;
    out.start.hotKeyLabel = names_(selected_);
    out.start.exclusiveKey = true;
    return out;
}

}  // namespace orv::editors
