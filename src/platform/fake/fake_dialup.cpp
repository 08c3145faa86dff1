#include "platform/fake/trace_quoted.h"
#include "platform/fake/fake_dialup.h"

#include <algorithm>
#include <string>

namespace orv::fake {

bool FakeDialUp::available() {
    record(std::string("dialup available -> ") + (available_ ? "yes" : "no"));
    return available_;
}

int FakeDialUp::dial(const std::string& entry, const std::string& user, const std::string& password,
                     DialConnection& connection) {
    connection = 0;
    if (dialResult_ == 0 || halfOpen_) {
        connection = next_++;
        connections_.push_back(connection);
    }
    record("dialup dial " + traceQuoted(entry) + " user=" + traceQuoted(user) + " password=" + traceQuoted(password) +
           " -> " + std::to_string(dialResult_) + " connection=" + std::to_string(connection));
    return dialResult_;
}

bool FakeDialUp::activeConnections(std::vector<DialConnection>& connections) {
    if (listFails_) {
        record("dialup list -> failed");
        return false;
    }
    connections = connections_;
    std::string line = "dialup list ->";
    for (DialConnection c : connections_) line += " " + std::to_string(c);
    record(line);
    return true;
}

int FakeDialUp::hangUp(DialConnection connection) {
    if (hangUpResult_ == 0) std::erase(connections_, connection);
    record("dialup hangup " + std::to_string(connection) + " -> " + std::to_string(hangUpResult_));
    return hangUpResult_;
}

}  // namespace orv::fake
