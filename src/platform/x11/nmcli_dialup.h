#pragma once

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

}  // namespace orv::x11
