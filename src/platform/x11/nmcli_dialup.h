#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/dialup.h"

namespace orv::x11 {

// Dial-up networking through NetworkManager's command-line client: a phone-book entry is a
// connection profile of a dial-up kind (mobile broadband, PPPoE, VPN); other connections
// (wired, wireless) are never listed or hung up. Without nmcli there is no dial-up.
class NmcliDialUp final : public IDialUp {
public:
    bool available() override;
    int dial(const std::string& entry, const std::string& user, const std::string& password,
             DialConnection& connection) override;
    bool activeConnections(std::vector<DialConnection>& connections) override;
    int hangUp(DialConnection connection) override;

private:
    // A connection's handle is its place in this list plus one; the list only grows.
    DialConnection handleFor(const std::string& uuid);
    std::vector<std::string> uuids_;
};

// The phone book: the names of the dial-up connection profiles in the terse output of
// `nmcli -t -f NAME,TYPE connection show` (a ":" or "\\" inside a name comes escaped with "\\"),
// in Windows-1252.
std::vector<std::string> parseDialUpProfiles(const std::string& nmcliOutput);
// The phone book as NetworkManager has it now; empty without nmcli or when it does not answer
// within the deadline.
std::vector<std::string> dialUpProfiles(std::chrono::milliseconds deadline = std::chrono::seconds(5));

}  // namespace orv::x11
