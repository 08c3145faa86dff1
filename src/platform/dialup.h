#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

using DialConnection = std::uint32_t;  // 0: no connection

// What the user is told when dial-up networking is missing.
inline constexpr const char* kDialUpMissingText =
    "Dial-Up Connections cannot be performed on this computer. The necessary Windows files have not been "
    "installed.  Missing RASAPI32.DLL";

// Dial-up networking. It may be missing on a machine; then available() is false and nothing
// else is called.
class IDialUp {
public:
    virtual ~IDialUp() = default;
    virtual bool available() = 0;
    // Dials a phone-book entry and waits for the outcome. Returns 0 or an error code; the
    // connection, possibly half-open after an error, is returned in `connection`.
    virtual int dial(const std::string& entry, const std::string& user, const std::string& password,
                     DialConnection& connection) = 0;
    // Active connections; false when they cannot be listed.
    virtual bool activeConnections(std::vector<DialConnection>& connections) = 0;
    // Returns 0 or an error code.
    virtual int hangUp(DialConnection connection) = 0;
};

}  // namespace orv
