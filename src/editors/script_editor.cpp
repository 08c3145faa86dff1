#include "editors/script_editor.h"

#include <algorithm>
#include <utility>

namespace orv::script {

bool addsWithoutDialog(int command) {
    switch (command) {
        case cmd::RepeatEnd:
        case cmd::RepeatPromptStart:
        case cmd::ClipboardCopy:
        case cmd::ClipboardPaste:
        case cmd::ClipboardStartCopy:
        case cmd::ClipboardEndCopy:
        case cmd::ClipboardTypeText:
            return true;
        default:
            return false;
    }
}

LineValues defaultLineValues(int command) {
    using K = Clipboard::Kind;
    switch (command) {
        case cmd::RepeatEnd:
            return {command, Repeat{Repeat::Kind::End, 0, 1, 1, false}};
        case cmd::RepeatPromptStart:
            return {command, Repeat{Repeat::Kind::Prompted, 0, 1, 1, false}};
        case cmd::ClipboardCopy:
            return {command, Clipboard{K::Copy, {}, false}};
        case cmd::ClipboardPaste:
            return {command, Clipboard{K::Paste, {}, false}};
        case cmd::ClipboardStartCopy:
            return {command, Clipboard{K::StartCopy, {}, false}};
        case cmd::ClipboardEndCopy:
            return {command, Clipboard{K::EndCopy, {}, false}};
        default:
            return {cmd::ClipboardTypeText, Clipboard{K::TypeText, {}, false}};
    }
}

std::string sizeLimitMessage(std::size_t limit) {
    std::string n = std::to_string(limit);
    for (int at = static_cast<int>(n.size()) - 3; at > 0; at -= 3) n.insert(static_cast<std::size_t>(at), ",");
    return "The size of the macro exceeds the " + n + " character limit.  The macro " + "will be truncated to " + n +
           " characters.";
}

void ScriptModel::BuildTheScript(std::string_view text) {
    for (ScriptLine& line : readScriptLines(text)) lines_.push_back(std::move(line));
}

std::string ScriptModel::workingTextOf(const TMacroRecord& record) {
    std::string text = record.MacroText.substr(0, record.MacroText.find('\0'));
    if (text.size() > TMacroRecord::kMacroTextBytes) text.resize(TMacroRecord::kMacroTextBytes);
    return text;
}

void ScriptModel::select(int index) { selected_ = index >= 0 && index < static_cast<int>(lines_.size()) ? index : -1; }

void ScriptModel::SetIndents() {
    auto beginsWithLabelAnd = [](std::string_view text, int command, std::string_view ending) {
        const std::string_view label = commandLabel(command);
        return text.starts_with(label) && text.substr(label.size()).starts_with(ending);
    };
    auto heldKey = [&](std::string_view text, std::string_view ending) {
        return beginsWithLabelAnd(text, cmd::ControlKey, ending) || beginsWithLabelAnd(text, cmd::AltKey, ending) ||
               beginsWithLabelAnd(text, cmd::ShiftKey, ending) || beginsWithLabelAnd(text, cmd::WinKey, ending);
    };
    std::size_t indent = 0;
    for (ScriptLine& line : lines_) {
        const std::string stripped(stripBlanks(line.text));
        if (stripped.starts_with("Repeat End") || stripped.starts_with("Clipboard End Copy") ||
            heldKey(stripped, " Up")) {
            indent = indent >= 3 ? indent - 3 : 0;
        }
        line.text = std::string(indent, ' ') + stripped;
        if (stripped.starts_with("Clipboard Start Copy") || stripped.starts_with("Repeat Start") ||
            stripped.starts_with("Repeat Prompt Start") || heldKey(stripped, " Down")) {
            indent += 3;
        }
    }
}

LineButtons ScriptModel::EnableDisable() const {
    if (selected_ < 0) return {};
    const int last = static_cast<int>(lines_.size()) - 1;
    return LineButtons{selected_ > 0, selected_ < last, true, true, true};
}

void ScriptModel::insertLine(std::size_t index, ScriptLine line) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(std::min(index, lines_.size())), std::move(line));
}

bool ScriptModel::runHandler(int command, bool add, AddPosition position, int target, ILineDialogs& dialogs) {
    std::optional<LineValues> values;
    if (add && addsWithoutDialog(command)) {
        values = defaultLineValues(command);
    } else {
        const Payload* current = add ? nullptr : &lines_[static_cast<std::size_t>(target)].payload;
        values = dialogs.runCommandDialog(command, current);
    }
    if (!values) return false;
    ScriptLine line = makeLine(values->command, std::move(values->payload));
    const auto at = static_cast<std::size_t>(target);
    if (!add) {
        insertLine(at, std::move(line));
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at) + 1);
        return true;
    }
    switch (position) {
        case AddPosition::Append:
            lines_.push_back(std::move(line));
            break;
        case AddPosition::Before:
            insertLine(at, std::move(line));
            break;
        case AddPosition::After:
            insertLine(lines_.empty() ? at : at + 1, std::move(line));
            break;
    }
    return true;
}

bool ScriptModel::AddALine(AddPosition position, std::optional<int> command, ILineDialogs& dialogs) {
    if (!command || *command < 1 || *command > static_cast<int>(kCommandCount)) {
        prompt_.messageBox("Error", "No command selected.  Please select one.");
        return false;
    }
    const int target = selected_ >= 0 ? selected_ : 0;
    // A cancelled dialog changes nothing, the selection included.
    if (!runHandler(*command, true, position, target, dialogs)) return false;
    switch (position) {
        case AddPosition::Append:
            selected_ = static_cast<int>(lines_.size()) - 1;
            break;
        case AddPosition::Before:
            selected_ = target;
            break;
        case AddPosition::After:
            selected_ = lines_.size() == 1 ? 0 : target + 1;
            break;
    }
    SetIndents();
    return true;
}

bool ScriptModel::addFromWizard(int command, ILineDialogs& dialogs) {
    if (command < 1 || command > static_cast<int>(kCommandCount)) return false;
    return runHandler(command, true, AddPosition::Append, 0, dialogs);
}

bool ScriptModel::editLine(ILineDialogs& dialogs) {
    if (selected_ < 0) {
        prompt_.messageBox("Error", "No Item Selected.");
        return false;
    }
    const int target = selected_;
    const int command = commandOfLine(lines_[static_cast<std::size_t>(target)].text);
    if (!runHandler(command, false, AddPosition::Append, target, dialogs)) return false;
    selected_ = target;
    SetIndents();
    return true;
}

void ScriptModel::copyLine() {
    if (selected_ < 0) {
        prompt_.messageBox("Error", "No script line selected.  Please select one.");
        return;
    }
    const auto at = static_cast<std::size_t>(selected_);
    ScriptLine copy = lines_[at];
    insertLine(at, std::move(copy));
    selected_ += 1;
    SetIndents();
}

void ScriptModel::deleteLine() {
    if (selected_ < 0) {
        prompt_.messageBox("Error", "No script line selected.  Please select one.");
        return;
    }
    lines_.erase(lines_.begin() + selected_);
    if (selected_ >= static_cast<int>(lines_.size())) selected_ = static_cast<int>(lines_.size()) - 1;
    SetIndents();
}

void ScriptModel::moveUp() {
    if (selected_ <= 0) return;
    std::swap(lines_[static_cast<std::size_t>(selected_)], lines_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
    SetIndents();
}

void ScriptModel::moveDown() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(lines_.size())) return;
    std::swap(lines_[static_cast<std::size_t>(selected_)], lines_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
    SetIndents();
}

std::string ScriptModel::scriptText() const { return scriptTextOf(lines_); }

std::string ScriptModel::SaveIt() const {
    std::string text = scriptText();
    if (text.size() > kMaxMacroText) {
        prompt_.messageBox("Error", sizeLimitMessage(kMaxMacroText));
        text.resize(kMaxMacroText);
    }
    return text;
}

}  // namespace orv::script
