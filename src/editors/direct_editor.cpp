#include "editors/direct_editor.h"

#include <algorithm>
#include <filesystem>

#include "dialogs/copy_move_dialog.h"
#include "dialogs/dialog_text.h"
#include "dialogs/schedule_dialog.h"
#include "editors/memo_editor.h"
#include "editors/script_editor.h"

namespace orv::editors {

namespace {

constexpr std::size_t kTitleField = 20;

bool iconFileExists(const std::string& iconsDir, const std::string& name) {
    if (name.empty() || name == "MAIN" || name.find('/') != std::string::npos || name == "." || name == "..")
        return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(iconsDir) / name, ec);
}

// The macro text as the editor shows it: up to its terminating NUL.
std::string storedText(const TMacroRecord& record) { return record.MacroText.substr(0, record.MacroText.find('\0')); }

}  // namespace

HeaderLayout headerLayout(EditorKind kind) {
    HeaderLayout l;
    switch (kind) {
        case EditorKind::Timed:
            l.timerLabel = "Timed Macros";
            l.timerLabelShown = true;
            l.setScheduleShown = true;
            break;
        case EditorKind::ShortKey:
            l.timerLabel = "ShortKey";
            l.timerLabelShown = true;
            l.nameFieldShown = true;
            l.nameMaxLength = static_cast<int>(TMacroRecord::kShortKeyText);
            break;
        case EditorKind::WindowTitle:
            l.timerLabel = "Window Title";
            l.timerLabelShown = true;
            l.nameFieldShown = true;
            l.nameMaxLength = static_cast<int>(kTitleField);
            l.scopeChoice = false;
            break;
        case EditorKind::None:
            l.timerLabel = "None";
            l.hotKeyLabelShown = true;
            break;
        default:
            l.hotKeyLabelShown = true;
            break;
    }
    return l;
}

EditorStart editorStartFor(const TActivationTable& table, int j, const std::string& hotKeyName) {
    EditorStart s;
    s.existing = true;
    const int code = table.HotKeyCode(j);
    switch (code) {
        case kCodeTimed:
            s.kind = EditorKind::Timed;
            return s;
        case kCodeNone:
            s.kind = EditorKind::None;
            return s;
        case kCodeWindowTitle:
            s.kind = EditorKind::WindowTitle;
            return s;
        case kCodeShortKey:
            s.kind = EditorKind::ShortKey;
            return s;
        default:
            break;
    }
    s.kind = EditorKind::HotKey;
    s.hotKeyLabel = hotKeyName;
    for (int k = 1; k <= std::min(table.MacroCount(), kMaxMacros); ++k) {
        const int scope = table.Scope(k);
        if (k != j && table.HotKeyCode(k) == code &&
            (scope == kScopeGlobal || scope == kScopePopupMenu || scope == kScopeSystem))
            s.exclusiveKey = true;
    }
    return s;
}

DirectEditorModel::DirectEditorModel(TMacroRecord& buffer, EditorStart start, const LocalTime& today,
                                     const std::string& iconsDir)
    : buffer_(buffer), start_(std::move(start)) {
    if (start_.existing) {
        nickName_ = buffer_.NickName;
        text_ = storedText(buffer_);
        scope_ = buffer_.Scope == kScopeGlobal || buffer_.Scope == kScopeWindow ? buffer_.Scope : kScopeProgram;
        iconName_ = iconFileExists(iconsDir, buffer_.IconName) ? buffer_.IconName : "MAIN";
    } else {
        if (start_.kind != EditorKind::WindowTitle) buffer_.WindowTitle.clear();
        buffer_.TopMostOnly = 1;
        dialogs::applySchedule(dialogs::defaultSchedule(today), buffer_);
    }
    if (start_.kind == EditorKind::ShortKey) name_ = buffer_.ShortKeyText;
    if (start_.kind == EditorKind::WindowTitle) name_ = buffer_.WindowTitle;
    if (start_.exclusiveKey && scope_ == kScopeGlobal) scope_ = kScopeWindow;
}

void DirectEditorModel::setScope(int scope) {
    if (scope == kScopeGlobal && !globalEnabled()) return;
    if (scope != kScopeGlobal && !layout().scopeChoice) return;
    if (std::find(std::begin(kEditorScopes), std::end(kEditorScopes), scope) != std::end(kEditorScopes)) scope_ = scope;
}

void DirectEditorModel::setWindow(const std::string& title, int topMostOnly) {
    if (title.empty()) return;
    buffer_.WindowTitle = title.substr(0, TMacroRecord::kWindowTitle);
    buffer_.TopMostOnly = static_cast<std::uint8_t>(topMostOnly != 0 ? 1 : 0);
}

std::string DirectEditorModel::caption(std::string_view title) const {
    std::string text(title);
    if (scope_ == kScopeProgram) return text + "  (Program: " + buffer_.WindowTitle + ")";
    if (scope_ == kScopeWindow) return text + "  (Window Title: " + buffer_.WindowTitle + ")";
    return text + "  (GLOBAL)";
}

std::optional<dialogs::Failure> DirectEditorModel::headerProblem() const {
    const std::string name = dialogs::trimText(name_);
    if (start_.kind == EditorKind::ShortKey) {
        if (std::string problem = dialogs::shortKeyNameProblem(name); !problem.empty())
            return dialogs::Failure{kNameField, std::move(problem)};
    }
    if (start_.kind == EditorKind::WindowTitle && name.empty())
        return dialogs::Failure{kNameField, "No Window title has been entered."};
    // A Window or Program scope without its title would fit every window.
    if (scope_ == kScopeWindow && buffer_.WindowTitle.empty())
        return dialogs::Failure{kSelectField, "No window title has been entered.  Please correct."};
    if (scope_ == kScopeProgram && buffer_.WindowTitle.empty())
        return dialogs::Failure{kSelectField, "No program name has been entered.  Please correct."};
    return std::nullopt;
}

dialogs::Outcome DirectEditorModel::update(std::string_view memo, IUserPrompt& prompt, const IClock& clock) {
    if (std::optional<dialogs::Failure> problem = headerProblem())
        return dialogs::Outcome::fail(problem->field, problem->message);
    std::string text = tabsToTags(memo);
    if (text.size() > kMacroTextLimit) {
        const std::string question =
            script::sizeLimitMessage(kMacroTextLimit) + " Would you like to exit and have the macro truncated?";
        if (prompt.messageBox("Warning", question, PromptButtons::YesNo) != PromptAnswer::Yes)
            return dialogs::Outcome::fail(kMemoField, "");
        text.resize(kMacroTextLimit);
    }
    store(std::move(text), clock);
    return dialogs::Outcome::ok("");
}

void DirectEditorModel::store(std::string text, const IClock& clock) {
    if (!start_.existing) buffer_.Active = 1;
    buffer_.NickName = nickName_.substr(0, TMacroRecord::kNickName);
    buffer_.IconName = iconName_;
    buffer_.Scope = static_cast<std::int16_t>(scope_);
    const std::string name = dialogs::trimText(name_);
    buffer_.ShortKeyText = start_.kind == EditorKind::ShortKey ? name : std::string();
    if (start_.kind == EditorKind::WindowTitle) buffer_.WindowTitle = name;
    buffer_.MacroText = std::move(text);
    buffer_.LastModified = toDateSerial(clock.now());
}

std::string keystrokeText(std::string_view memo, IUserPrompt& prompt) {
    std::string text = tabsToTags(memo);
    if (text.size() > kMacroTextLimit) {
        prompt.messageBox("Error", script::sizeLimitMessage(kMacroTextLimit));
        text.resize(kMacroTextLimit);
    }
    return text;
}

}  // namespace orv::editors
