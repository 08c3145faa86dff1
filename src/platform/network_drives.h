#pragma once

#include <string>
#include <vector>

namespace orv {

// Results of network-drive operations, with the numbers the macro language reports.
namespace net_result {
inline constexpr int kNoError = 0;
inline constexpr int kAccessDenied = 5;
inline constexpr int kBadDevType = 66;
inline constexpr int kBadNetName = 67;
inline constexpr int kAlreadyAssigned = 85;
inline constexpr int kInvalidPassword = 86;
inline constexpr int kBusy = 170;
inline constexpr int kBadDevice = 1200;
inline constexpr int kNoNetwork = 1222;
inline constexpr int kNotConnected = 2250;
inline constexpr int kOpenFiles = 2401;
inline constexpr int kDeviceInUse = 2404;
}  // namespace net_result

// Drive letters bound to network shares.
class INetworkDrives {
public:
    virtual ~INetworkDrives() = default;
    // Binds the local name (a drive such as "X:") to the remote path. Empty user and password
    // mean the defaults. persistent: restore it at the next log-on. Returns a net_result.
    virtual int connect(const std::string& local, const std::string& remote, const std::string& user,
                        const std::string& password, bool persistent) = 0;
    // Removes a connection by its local or remote name. Returns a net_result.
    virtual int disconnect(const std::string& name, bool updateProfile, bool force) = 0;
    // Local names of the connected disk resources; false when they cannot be listed.
    virtual bool connectedDrives(std::vector<std::string>& localNames) = 0;
};

}  // namespace orv
