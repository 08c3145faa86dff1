#include "platform/fake/trace_quoted.h"
#include "platform/fake/fake_network_drives.h"

namespace orv::fake {

int FakeNetworkDrives::connect(const std::string& local, const std::string& remote, const std::string& user,
                               const std::string& password, bool persistent) {
    int result = net_result::kNoError;
    if (const auto it = connectResults_.find(local); it != connectResults_.end())
        result = it->second;
    else if (connected_.count(local) != 0)
        result = net_result::kAlreadyAssigned;
    if (result == net_result::kNoError) connected_[local] = remote;
    record("net connect " + traceQuoted(local) + " " + traceQuoted(remote) + " user=" + traceQuoted(user) +
           " password=" + traceQuoted(password) + " persistent=" + (persistent ? "yes" : "no") + " -> " +
           std::to_string(result));
    return result;
}

int FakeNetworkDrives::disconnect(const std::string& name, bool updateProfile, bool force) {
    int result = net_result::kNoError;
    if (const auto it = disconnectResults_.find(name); it != disconnectResults_.end())
        result = it->second;
    else if (connected_.count(name) == 0)
        result = net_result::kNotConnected;
    if (result == net_result::kNoError) connected_.erase(name);
    record("net disconnect " + traceQuoted(name) + " profile=" + (updateProfile ? "yes" : "no") +
           " force=" + (force ? "yes" : "no") + " -> " + std::to_string(result));
    return result;
}

bool FakeNetworkDrives::connectedDrives(std::vector<std::string>& localNames) {
    if (listFails_) {
        record("net list -> failed");
        return false;
    }
    std::string line = "net list ->";
    localNames.clear();
    for (const auto& [local, remote] : connected_) {
        localNames.push_back(local);
        line += " " + local;
    }
    record(line);
    return true;
}

}  // namespace orv::fake
