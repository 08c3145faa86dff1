#include "dialogs/wait_dialog.h"

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kKinds = {"window", "losefocus", "program", "key",      "text",
                                         "left",   "right",     "middle",  "playback", "time"};

std::vector<std::string> keyChoices() {
    std::vector<std::string> out{""};
    for (const std::string& k : waitKeyNames()) out.push_back(k);
    return out;
}

}  // namespace

const std::array<std::string, 54>& waitKeyNames() {
    static const std::array<std::string, 54> names = [] {
        std::array<std::string, 54> n;
        std::size_t i = 0;
        for (char c = 'A'; c <= 'Z'; ++c) n[i++] = std::string(1, c);
        for (char c = '0'; c <= '9'; ++c) n[i++] = std::string(1, c);
        for (int f = 1; f <= 12; ++f) n[i++] = "F" + std::to_string(f);
        for (const char* k : {"ESC", "TAB", "ENTER", "CTRL", "ALT", "SHIFT"}) n[i++] = k;
        return n;
    }();
    return names;
}

TDoWaitWin::TDoWaitWin()
    : ValuesDialog({
          choiceField("kind", "window", kKinds),
          textField("title", "", 50),
          textField("program", "", 255),
          textField("text", "", 255),
          checkField("casesensitive", "0"),
          choiceField("key", "ENTER", keyChoices()),
          textField("minutes", "10", 4),
          textField("seconds", "0", 2),
          choiceField("limit", "maximum", {"indefinite", "maximum"}),
          textField("limitminutes", "10", 3),
      }) {
    overflowField_ = "text";
}

void TDoWaitWin::load(const Values& v) {
    if (v.kind < Window || v.kind > Time) return;
    set("kind", kKinds[static_cast<std::size_t>(v.kind - 1)]);
    switch (v.kind) {
        case Window:
        case LoseFocus:
            set("title", v.text);
            break;
        case Program:
            set("program", v.text);
            break;
        case Text:
            set("text", v.text);
            setFlag("casesensitive", v.caseSensitive);
            break;
        case Key:
            set("key", v.key >= 0 && v.key < 54 ? waitKeyNames()[static_cast<std::size_t>(v.key)] : "");
            break;
        default:
            break;
    }
    if (v.kind == Time) {
        set("minutes", std::to_string(v.number / 60));
        set("seconds", std::to_string(v.number % 60));
    } else if (v.number == 0) {
        set("limit", "indefinite");
    } else {
        set("limit", "maximum");
        set("limitminutes", std::to_string(v.number));
    }
}

std::optional<Outcome> TDoWaitWin::checkSubject(Values& v) {
    struct Subject {
        int kind;
        const char* field;
        const char* missing;
    };
    static constexpr Subject kSubjects[] = {
        {Window, "title", "No entry made for Window Title.  Please correct."},
        {LoseFocus, "title", "No entry made for Window Title.  Please correct."},
        {Program, "program", "No entry made for program name.  Please correct."},
        {Text, "text", "No text entered.  Please correct."},
    };
    if (v.kind == Key && v.key < 0) return Outcome::fail("key", "No key selected.  Please correct.");
    for (const Subject& s : kSubjects) {
        if (s.kind != v.kind) continue;
        v.text = text(s.field);
        if (v.text.empty()) return Outcome::fail(s.field, s.missing);
        if (const char c = firstOf(v.text, ">")) return Outcome::fail(s.field, forbiddenCharMessage(c));
        overflowField_ = s.field;
    }
    return std::nullopt;
}

std::optional<Outcome> TDoWaitWin::checkTime(Values& v) {
    v.number = 0;
    if (v.kind == Time) {
        const auto minutes = parseWhole(text("minutes"));
        if (!minutes || *minutes < 0) return Outcome::fail("minutes", "Invalid Minutes specified.");
        const auto seconds = parseWhole(text("seconds"));
        if (!seconds || *seconds < 0 || *seconds > 59) return Outcome::fail("seconds", "Invalid Seconds specified.");
        v.number = static_cast<long>(*minutes * 60 + *seconds);
    } else if (v.kind != Playback && get("limit") == "maximum") {
        const auto minutes = parseWhole(text("limitminutes"));
        if (!minutes || *minutes <= 0 || *minutes > 999)
            return Outcome::fail("limitminutes", "Value must be greater than zero.");
        v.number = static_cast<long>(*minutes);
    }
    return std::nullopt;
}

Outcome TDoWaitWin::doCheck(const DialogEnv&) {
    static constexpr CommandId kTags[] = {
        CommandId::Waitwin, CommandId::Waitwlf, CommandId::Waitprog, CommandId::Waitkey, CommandId::Waittxtn,
        CommandId::Waitlm,  CommandId::Waitrm,  CommandId::Waitmm,   CommandId::Waitpb,  CommandId::Waittime};
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.caseSensitive = flag("casesensitive");
    v.key = choiceIndex("key") - 1;
    if (auto failure = checkSubject(v)) return *failure;
    if (auto failure = checkTime(v)) return *failure;
    CommandId tag = kTags[v.kind - 1];
    if (v.kind == Text && v.caseSensitive) tag = CommandId::Waittxty;
    values_ = v;
    return Outcome::ok(composeTag(tag, {v.number}, v.kind == Key ? padNumber(v.key, 2) : v.text));
}

std::vector<std::pair<std::string, std::string>> TDoWaitWin::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"number", std::to_string(values_.number)},
            {"text", values_.text},
            {"casesensitive", values_.caseSensitive ? "1" : "0"},
            {"key", std::to_string(values_.key)}};
}

}  // namespace orv::dialogs
