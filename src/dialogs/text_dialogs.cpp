#include "dialogs/text_dialogs.h"

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kNickKinds = {"run", "delete", "activate", "deactivate"};
constexpr CommandId kNickTags[] = {CommandId::Macrun, CommandId::Macdel, CommandId::Macact, CommandId::Macdeact};

std::string upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TDoRemark::TDoRemark() : ValuesDialog({textField("remark", "", 240)}) { overflowField_ = "remark"; }

Outcome TDoRemark::doCheck(const DialogEnv&) {
    Values v;
    v.remark = text("remark");
    if (const char c = firstOf(v.remark, ">")) return Outcome::fail("remark", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(CommandId::Rem, {}, v.remark));
}

std::vector<std::pair<std::string, std::string>> TDoRemark::results() const { return {{"remark", values_.remark}}; }

// ---------------------------------------------------------------------------------------------
TDoTBox::TDoTBox() : ValuesDialog({textField("header", "", 80), textField("content", "", 500)}) {
    overflowField_ = "content";
    unlimitedOutput_ = true;
}

void TDoTBox::load(const Values& v) {
    set("header", v.header);
    set("content", v.content);
}

Outcome TDoTBox::doCheck(const DialogEnv&) {
    Values v;
    v.header = text("header");
    // The content is a memo: its lines are kept as typed.
    v.content = get("content");
    if (const char c = firstOf(v.header, ">")) return Outcome::fail("header", forbiddenCharMessage(c));
    if (const char c = firstOf(v.content, ">")) return Outcome::fail("content", forbiddenCharMessage(c));
    values_ = v;
    if (v.header.empty()) return Outcome::ok("");
    return Outcome::ok(composeTag(CommandId::TextBox, {}, v.header + ">" + v.content));
}

std::vector<std::pair<std::string, std::string>> TDoTBox::results() const {
    return {{"header", values_.header}, {"content", values_.content}};
}

// ---------------------------------------------------------------------------------------------
TDoNick::TDoNick()
    : ValuesDialog({
          choiceField("kind", "run", kNickKinds),
          textField("nickname", "", 50),
          inputField("highlighted", "", 50),
      }) {
    overflowField_ = "nickname";
}

void TDoNick::load(const Values& v) {
    if (v.kind >= Run && v.kind <= Deactivate) set("kind", kNickKinds[static_cast<std::size_t>(v.kind - 1)]);
    set("nickname", v.nickname);
}

Outcome TDoNick::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.nickname = text("nickname");
    if (v.nickname.empty()) {
        const std::string entry = get("highlighted");
        if (entry.empty()) return Outcome::fail("nickname", "No nickname has been entered.  Please correct.");
        const std::string question =
            "No nickname has been entered.  \"" + entry + "\" is currently highlighted.  Would you like to use it?";
        if (env.prompt == nullptr ||
            env.prompt->messageBox("Error", question, PromptButtons::YesNo) != PromptAnswer::Yes)
            return Outcome::fail("nickname", "");
        v.nickname = entry;
    }
    if (const char c = firstOf(v.nickname, ">")) return Outcome::fail("nickname", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(kNickTags[v.kind - 1], {}, v.nickname));
}

std::vector<std::pair<std::string, std::string>> TDoNick::results() const {
    return {{"kind", std::to_string(values_.kind)}, {"nickname", values_.nickname}};
}

// ---------------------------------------------------------------------------------------------
TDoSwap::TDoSwap() : ValuesDialog({textField("file", "", 255)}) { overflowField_ = "file"; }

Outcome TDoSwap::doCheck(const DialogEnv& env) {
    Values v;
    v.path = text("file");
    if (env.files == nullptr || v.path.empty() || !env.files->fileExists(v.path))
        return Outcome::fail("file", "Specified Macro File does not exist.  Please correct.");
    if (const char c = firstOf(v.path, ">")) return Outcome::fail("file", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(CommandId::Swap, {}, env.files->shortPath(v.path)));
}

std::vector<std::pair<std::string, std::string>> TDoSwap::results() const { return {{"path", values_.path}}; }

// ---------------------------------------------------------------------------------------------
TDoWebStuff::TDoWebStuff()
    : ValuesDialog({
          choiceField("mode", "web", {"web", "ftp"}, true),
          textField("url", "http://", 255),
      }) {
    overflowField_ = "url";
}

void TDoWebStuff::fieldChanged(std::string_view name) {
    // A new command starts with the scheme of its mode.
    if (name != "mode") return;
    const std::string& url = get("url");
    if (url.empty() || url == "http://" || url == "ftp://") set("url", get("mode") == "ftp" ? "ftp://" : "http://");
}

Outcome TDoWebStuff::doCheck(const DialogEnv&) {
    Values v;
    v.url = text("url");
    const bool ftp = get("mode") == "ftp";
    if (!ftp && upper(v.url.substr(0, 3)) == "WWW") v.url = "http://" + v.url;
    if (const char c = firstOf(v.url, ">")) return Outcome::fail("url", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(ftp ? CommandId::Ftp : CommandId::Http, {}, v.url));
}

std::vector<std::pair<std::string, std::string>> TDoWebStuff::results() const { return {{"url", values_.url}}; }

// ---------------------------------------------------------------------------------------------
TDoSearch::TDoSearch()
    : ValuesDialog({
          choiceField("mode", "replace", {"find", "replace"}, true),
          textField("find", "", 255),
          textField("replace", "", 255),
      }) {}

Outcome TDoSearch::doCheck(const DialogEnv&) {
    // The texts are searched for as typed, blanks included.
    Values v;
    v.find = get("find");
    if (v.find.empty()) return Outcome::fail("find", "");
    if (get("mode") == "replace") v.replace = get("replace");
    values_ = v;
    return Outcome::ok("");
}

std::vector<std::pair<std::string, std::string>> TDoSearch::results() const {
    return {{"find", values_.find}, {"replace", values_.replace}};
}

// ---------------------------------------------------------------------------------------------
TDoTextInsert::TDoTextInsert() : ValuesDialog({textField("file", "", 255)}) { overflowField_ = "file"; }

Outcome TDoTextInsert::doCheck(const DialogEnv& env) {
    Values v;
    v.path = text("file");
    if (const char c = firstOf(v.path, ">")) return Outcome::fail("file", forbiddenCharMessage(c));
    if (env.files != nullptr && !v.path.empty() && env.files->fileExists(v.path)) {
        v.path = env.files->shortPath(v.path);
    } else {
        // A path kept although its file does not exist is written as typed.
        const bool correct =
            env.prompt == nullptr ||
            env.prompt->messageBox("Warning", "Specified Path and Program does not exist.  Do you wish to correct?",
                                   PromptButtons::YesNo) == PromptAnswer::Yes;
        if (correct) return Outcome::fail("file", "");
    }
    values_ = v;
    return Outcome::ok(composeTag(CommandId::Tfile, {}, v.path));
}

std::optional<Failure> TDoTextInsert::checkEditable(const DialogEnv& env) const {
    const std::string path = text("file");
    if (env.files != nullptr && !path.empty() && env.files->fileExists(path)) return std::nullopt;
    return Failure{"file", "Specified Path and Program does not exist.  Unable to open text file.", "Error"};
}

std::vector<std::pair<std::string, std::string>> TDoTextInsert::results() const { return {{"path", values_.path}}; }

}  // namespace orv::dialogs
