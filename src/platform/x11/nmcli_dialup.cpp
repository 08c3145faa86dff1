#include "platform/x11/nmcli_dialup.h"

#include <algorithm>
#include <sstream>

#include "platform/cp1252.h"
#include "platform/x11/run_program.h"

namespace orv::x11 {

namespace {

constexpr auto kDialDeadline = std::chrono::seconds(120);
constexpr int kNoAnswer = 1;  // nmcli's own code for an unknown error, used when it never ended

bool isDialUpType(const std::string& type) {
    static const char* const kinds[] = {"gsm", "cdma", "pppoe", "vpn", "bluetooth", "wireguard"};
    return std::any_of(std::begin(kinds), std::end(kinds), [&](const char* k) { return type == k; });
}

// The UUIDs of the active dial-up connections, in nmcli's order; false when nmcli fails.
bool activeDialUps(std::vector<std::string>& uuids) {
    const ProgramOutcome out = runProgram({"nmcli", "-t", "-f", "UUID,TYPE", "connection", "show", "--active"});
    if (!out.finished || out.exitCode != 0) return false;
    std::istringstream lines(out.output);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        if (isDialUpType(line.substr(colon + 1))) uuids.push_back(line.substr(0, colon));
    }
    return true;
}

}  // namespace

std::vector<std::string> parseDialUpProfiles(const std::string& nmcliOutput) {
    std::vector<std::string> names;
    std::istringstream lines(nmcliOutput);
    std::string line;
    while (std::getline(lines, line)) {
        // The name ends at the first colon that is not escaped; the type follows.
        std::string name;
        std::size_t i = 0;
        for (; i < line.size() && line[i] != ':'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            name += line[i];
        }
        if (i >= line.size() || name.empty() || !isDialUpType(line.substr(i + 1))) continue;
        names.push_back(utf8ToCp1252(name));
    }
    return names;
}

std::vector<std::string> dialUpProfiles(std::chrono::milliseconds deadline) {
    if (findProgram("nmcli").empty()) return {};
    const ProgramOutcome out = runProgram({"nmcli", "-t", "-f", "NAME,TYPE", "connection", "show"}, deadline);
    if (!out.finished || out.exitCode != 0) return {};
    return parseDialUpProfiles(out.output);
}

bool NmcliDialUp::available() { return !findProgram("nmcli").empty(); }

DialConnection NmcliDialUp::handleFor(const std::string& uuid) {
    auto it = std::find(uuids_.begin(), uuids_.end(), uuid);
    if (it == uuids_.end()) it = uuids_.insert(uuids_.end(), uuid);
    return static_cast<DialConnection>(it - uuids_.begin() + 1);
}

int NmcliDialUp::dial(const std::string& entry, const std::string& user, const std::string& password,
                      DialConnection& connection) {
    connection = 0;
    std::vector<std::string> args = {"nmcli", "--wait", "90", "connection", "up", "id", cp1252ToUtf8(entry)};
    // The password goes to nmcli through its standard input, never on the command line and
    // never into a file, which a program that dies while dialling would leave behind.
    std::string secrets;
    if (!password.empty()) {
        args.push_back("passwd-file");
        args.push_back("/dev/stdin");
        secrets = "ppp.password:" + cp1252ToUtf8(password) + "\n";
    }
    (void)user;  // a profile carries its own user name; nmcli cannot override it for one call
    const ProgramOutcome out = runProgram(args, kDialDeadline, secrets);
    if (!out.started || !out.finished) return kNoAnswer;
    if (out.exitCode != 0) return out.exitCode;
    const ProgramOutcome uuid =
        runProgram({"nmcli", "-g", "connection.uuid", "connection", "show", "id", cp1252ToUtf8(entry)});
    const std::string id = uuid.output.substr(0, uuid.output.find('\n'));
    if (!id.empty()) connection = handleFor(id);
    return 0;
}

bool NmcliDialUp::activeConnections(std::vector<DialConnection>& connections) {
    std::vector<std::string> uuids;
    if (!activeDialUps(uuids)) return false;
    connections.clear();
    for (const std::string& uuid : uuids) connections.push_back(handleFor(uuid));
    return true;
}

int NmcliDialUp::hangUp(DialConnection connection) {
    if (connection == 0 || connection > uuids_.size()) return kNoAnswer;
    const ProgramOutcome out = runProgram({"nmcli", "connection", "down", "uuid", uuids_[connection - 1]});
    if (!out.started || !out.finished) return kNoAnswer;
    return out.exitCode;
}

}  // namespace orv::x11
