#include "dialogs/copy_move_dialog.h"

#include <algorithm>

#include "dialogs/dialog_text.h"
#include "dialogs/schedule_dialog.h"
#include "platform/activation_table.h"

namespace orv::dialogs {

namespace {

constexpr int kReserved[] = {89, 185, 233, 590, 557, 558, 559, 566, 571, 607};

bool isShortKeyChar(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("!#$%&*+,-./;<=>?^_@").find(c) != std::string_view::npos;
}

}  // namespace

std::string shortKeyNameProblem(const std::string& name) {
    if (name.empty()) return "No ShortKey name was entered.";
    if (!std::all_of(name.begin(), name.end(), isShortKeyChar))
        return "The ShortKey name has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ "
               "# $ % ^ & _ = < > ? . ; , * - / +";
    return {};
}

bool isReservedHotKey(int code) {
    return std::find(std::begin(kReserved), std::end(kReserved), code) != std::end(kReserved);
}

std::string reservedHotKeyQuestion(const std::string& name) {
    return name +
           " may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to function "
           "correctly. Would you still like to use " +
           name + "?";
}

std::string hotKeyListRow(const std::string& name, int macrosUsing) {
    if (macrosUsing <= 0) return name + "  (Not in Use)";
    if (macrosUsing == 1) return name + "  (1 macro in use)";
    return name + "  (" + std::to_string(macrosUsing) + " macros in use)";
}

TCopyOrMove::TCopyOrMove()
    : ValuesDialog({
          choiceField("mode", "copy", {"copy", "move"}, true),
          inputField("scope", "1", 1),
          inputField("code", "30000", 5),
          inputField("exclusive", "", 4000),
          choiceField("kind", "hotkey", {"hotkey", "shortkey", "timed", "none", "window"}),
          textField("hotkey", "", 3),
          textField("shortkey", "", 10),
          textField("title", "", 20),
      }) {
    // The command line hands the record's scope and activation and the exclusive codes in
    // through the input fields; a caller in the program uses the setters.
    record_.Scope = kScopeGlobal;
    record_.HotKeyCode = static_cast<std::int16_t>(kCodeNone);
}

void TCopyOrMove::fieldChanged(std::string_view name) {
    if (name == "scope") {
        if (const auto s = parseWhole(text("scope")); s && *s >= 1 && *s <= 5)
            record_.Scope = static_cast<std::int16_t>(*s);
    } else if (name == "code") {
        if (const auto c = parseWhole(text("code")); c && *c >= 0 && *c <= 30000)
            record_.HotKeyCode = static_cast<std::int16_t>(*c);
    } else if (name == "exclusive") {
        exclusive_.assign(kHotKeyCount, false);
        std::string list = get("exclusive");
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(',', start), list.size());
            if (const auto c = parseWhole(trimText(std::string_view(list).substr(start, end - start)));
                c && *c >= 0 && *c < kHotKeyCount)
                exclusive_[static_cast<std::size_t>(*c)] = true;
            start = end + 1;
        }
    }
}

std::string TCopyOrMove::heading() const {
    std::string activation;
    const int code = record_.HotKeyCode;
    if (code == kCodeTimed)
        activation = "Timed Macro";
    else if (code == kCodeWindowTitle || code == kCodeNone)
        activation = "Macro";
    else if (code == kCodeShortKey)
        activation = record_.ShortKeyText.substr(0, 15);
    else
        activation = nameOf(code).substr(0, 29);
    return (get("mode") == "move" ? "MOVE " : "COPY ") + activation + " TO";
}

Outcome TCopyOrMove::doCheck(const DialogEnv& env) {
    Values v;
    TMacroRecord r = record_;
    const std::string kind = get("kind");
    if (kind == "timed") {
        if (r.HotKeyCode != kCodeTimed) {
            applySchedule(defaultSchedule(env.clock != nullptr ? env.clock->now() : SystemClock().now()), r);
            v.scheduleDefaulted = true;
        }
        r.HotKeyCode = static_cast<std::int16_t>(kCodeTimed);
        v.showSchedule = true;
    } else if (kind == "shortkey") {
        const std::string name = text("shortkey");
        if (const std::string problem = shortKeyNameProblem(name); !problem.empty())
            return Outcome::fail("shortkey", problem);
        r.HotKeyCode = static_cast<std::int16_t>(kCodeShortKey);
        r.ShortKeyText = name;
    } else if (kind == "none") {
        r.HotKeyCode = static_cast<std::int16_t>(kCodeNone);
    } else if (kind == "window") {
        const std::string title = text("title");
        if (title.empty()) return Outcome::fail("title", "No Window Title was entered.");
        r.HotKeyCode = static_cast<std::int16_t>(kCodeWindowTitle);
        r.WindowTitle = title;
    } else {
        const auto code = parseWhole(text("hotkey"));
        if (!code || *code < 0 || *code >= kHotKeyCount)
            return Outcome::fail("hotkey", "No hot key selected.  Please select one.");
        const auto c = static_cast<std::size_t>(*code);
        if (r.Scope == kScopeGlobal && c < exclusive_.size() && exclusive_[c]) {
            const std::string verb = get("mode") == "move" ? "MOVE" : "COPY";
            return Outcome::fail(
                "hotkey", "A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this selection. The \"" + verb +
                              "\" did not take place.");
        }
        if (isReservedHotKey(static_cast<int>(*code))) {
            const std::string question = reservedHotKeyQuestion(nameOf(static_cast<int>(*code)));
            if (env.prompt == nullptr ||
                env.prompt->messageBox("Warning", question, PromptButtons::YesNo) != PromptAnswer::Yes)
                return Outcome::fail("hotkey", "");
        }
        r.HotKeyCode = static_cast<std::int16_t>(*code);
    }
    v.hotKeyCode = r.HotKeyCode;
    v.raiseMacroCount = get("mode") == "copy";
    record_ = r;
    values_ = v;
    return Outcome::ok("");
}

std::vector<std::pair<std::string, std::string>> TCopyOrMove::results() const {
    return {{"hotkeycode", std::to_string(values_.hotKeyCode)},
            {"shortkeytext", record_.ShortKeyText},
            {"windowtitle", record_.WindowTitle},
            {"scheduledefaulted", values_.scheduleDefaulted ? "1" : "0"},
            {"showschedule", values_.showSchedule ? "1" : "0"},
            {"raisemacrocount", values_.raiseMacroCount ? "1" : "0"}};
}

}  // namespace orv::dialogs
