#include "dialogs/network_dialogs.h"

#include <algorithm>

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"
#include "engine/password_substitution.h"

namespace orv::dialogs {

namespace {

std::vector<std::string> allDriveLetters() {
    std::vector<std::string> out{""};
    for (char c = 'A'; c <= 'Z'; ++c) out.push_back(std::string(1, c) + ":");
    return out;
}

// The substitution turns "W" into ">", which would end the command in the middle of the
// password; such a password cannot be stored.
std::optional<Failure> checkPassword(const std::string& field, const std::string& password) {
    if (password.find('W') == std::string::npos) return std::nullopt;
    return Failure{field, "The Logon Password cannot contain the letter W.  Please correct.", "Error"};
}

char upperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::vector<std::string> networkDriveList(IDesktopQueries& desktop) {
    const std::vector<char> local = desktop.localDrives();
    const std::vector<NetworkConnection> mapped = desktop.networkConnections(false);
    std::vector<std::string> out;
    for (char c = 'A'; c <= 'Z'; ++c) {
        const bool isLocal = std::any_of(local.begin(), local.end(), [c](char l) { return upperLetter(l) == c; });
        const bool isMapped = std::any_of(mapped.begin(), mapped.end(), [c](const NetworkConnection& n) {
            return !n.drive.empty() && upperLetter(n.drive[0]) == c;
        });
        if (!isLocal || isMapped) out.push_back(std::string(1, c) + ":");
    }
    return out;
}

std::vector<std::string> mappedDriveLines(IDesktopQueries& desktop, bool remembered) {
    std::vector<std::string> out;
    for (const NetworkConnection& n : desktop.networkConnections(remembered))
        out.push_back(n.drive + " mapped to " + n.remoteName);
    return out;
}

// ---------------------------------------------------------------------------------------------
TDoNetConn::TDoNetConn()
    : ValuesDialog({
          choiceField("kind", "connect", {"connect", "disconnect", "toggle"}),
          choiceField("drive", "", allDriveLetters()),
          textField("path", "", 255),
          checkField("usedefault", "1"),
          textField("name", "", 255),
          textField("password", "", 255),
          checkField("permanent", "0"),
          checkField("status", "0"),
          checkField("force", "0"),
      }) {
    overflowField_ = "path";
}

void TDoNetConn::show(const DialogEnv& env) {
    drives_ = env.desktop != nullptr ? networkDriveList(*env.desktop) : std::vector<std::string>{};
    // A new command starts on the second drive of the list.
    if (isNewCommand() && get("drive").empty() && drives_.size() >= 2) set("drive", drives_[1]);
}

void TDoNetConn::load(const Values& v) {
    static const char* kinds[] = {"connect", "disconnect", "toggle"};
    if (v.kind >= Connect && v.kind <= Toggle) set("kind", kinds[v.kind - 1]);
    set("drive", v.drive);
    set("path", v.path);
    setFlag("usedefault", v.useDefault);
    set("name", v.name);
    set("password", v.password);
    setFlag("permanent", v.permanent);
    setFlag("status", v.status);
    setFlag("force", v.force);
}

Outcome TDoNetConn::doCheck(const DialogEnv&) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.drive = get("drive");
    v.permanent = flag("permanent");
    v.status = flag("status");
    v.force = flag("force");
    v.useDefault = flag("usedefault");
    if (v.drive.empty()) return Outcome::fail("drive", "No drive selected.  Please correct.");
    if (v.kind == Disconnect) {
        values_ = v;
        return Outcome::ok(composeNetworkStart(CommandId::Nwd, v.permanent, v.force, v.status) + v.drive + ">");
    }
    v.path = text("path");
    if (v.path.empty()) return Outcome::fail("path", "No network path has been entered.  Please correct.");
    if (const char c = firstOf(v.path, ">")) return Outcome::fail("path", forbiddenCharMessage(c));
    std::string logon = composeLogon({}, {});
    if (!v.useDefault) {
        v.name = text("name");
        v.password = text("password");
        if (const char c = firstOf(v.name, ">")) return Outcome::fail("name", forbiddenCharMessage(c));
        if (auto f = checkPassword("password", v.password)) return {false, *f, {}};
        logon = composeLogon(v.name, substitutePassword(v.password));
    }
    values_ = v;
    return Outcome::ok(
        composeNetworkStart(v.kind == Connect ? CommandId::Nwc : CommandId::Nwt, v.permanent, false, v.status) + logon +
        v.drive + v.path + ">");
}

std::vector<std::pair<std::string, std::string>> TDoNetConn::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"drive", values_.drive},
            {"path", values_.path},
            {"name", values_.name},
            {"password", values_.password},
            {"usedefault", values_.useDefault ? "1" : "0"},
            {"permanent", values_.permanent ? "1" : "0"},
            {"force", values_.force ? "1" : "0"},
            {"status", values_.status ? "1" : "0"}};
}

// ---------------------------------------------------------------------------------------------
TDoDialup::TDoDialup()
    : ValuesDialog({
          choiceField("kind", "dial", {"dial", "hangup"}),
          textField("entry", "", 255),
          textField("name", "", 255),
          textField("password", "", 255),
      }) {
    overflowField_ = "entry";
}

void TDoDialup::load(const Values& v) {
    set("kind", v.kind == HangUp ? "hangup" : "dial");
    set("entry", v.entry);
    set("name", v.name);
    set("password", v.password);
}

Outcome TDoDialup::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    if (v.kind == HangUp) {
        values_ = v;
        return Outcome::ok(composeTag(CommandId::Hang));
    }
    // The entry is chosen from the phone book.
    v.entry = get("entry");
    const std::vector<std::string> book =
        env.desktop != nullptr ? env.desktop->phoneBookEntries() : std::vector<std::string>{};
    if (v.entry.empty() || std::find(book.begin(), book.end(), v.entry) == book.end())
        return Outcome::fail("entry", "No phone book entry has been selected.");
    if (const char c = firstOf(v.entry, ">")) return Outcome::fail("entry", forbiddenCharMessage(c));
    v.name = text("name");
    v.password = text("password");
    if (const char c = firstOf(v.name, ">")) return Outcome::fail("name", forbiddenCharMessage(c));
    if (auto f = checkPassword("password", v.password)) return {false, *f, {}};
    values_ = v;
    return Outcome::ok(composeDialTag(v.name, substitutePassword(v.password), v.entry));
}

std::vector<std::pair<std::string, std::string>> TDoDialup::results() const {
    return {{"kind", std::to_string(values_.kind)},
            {"entry", values_.entry},
            {"name", values_.name},
            {"password", values_.password}};
}

}  // namespace orv::dialogs
