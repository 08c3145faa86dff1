#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fake/transcript.h"
#include "platform/network_drives.h"

namespace orv::fake {

// Scripted network drives. Lines:
//   net connect "X:" "\\srv\share" user="" password="" persistent=no -> 0
//   net disconnect "X:" profile=no force=yes -> 0
//   net list -> X: Y:            (or `net list -> failed`)
// Without a scripted result a connect succeeds and adds the drive, and a disconnect of a
// connected drive succeeds (2250 otherwise).
class FakeNetworkDrives final : public INetworkDrives, public Recorder {
public:
    using Recorder::Recorder;

    int connect(const std::string& local, const std::string& remote, const std::string& user,
                const std::string& password, bool persistent) override;
    int disconnect(const std::string& name, bool updateProfile, bool force) override;
    bool connectedDrives(std::vector<std::string>& localNames) override;

    // The result the next connect / disconnect of that local name returns.
    void setConnectResult(const std::string& local, int result) { connectResults_[local] = result; }
    void setDisconnectResult(const std::string& name, int result) { disconnectResults_[name] = result; }
    void setListFails(bool fails) { listFails_ = fails; }
    void addConnected(const std::string& local, const std::string& remote) { connected_[local] = remote; }
    const std::map<std::string, std::string>& connected() const { return connected_; }

private:
    std::map<std::string, int> connectResults_;
    std::map<std::string, int> disconnectResults_;
    std::map<std::string, std::string> connected_;
    bool listFails_ = false;
};

}  // namespace orv::fake
