#pragma once

#include <vector>

#include "platform/dialup.h"
#include "platform/fake/transcript.h"

namespace orv::fake {

// Scripted dial-up networking. Lines: `dialup available -> yes`,
// `dialup dial "entry" user="u" password="p" -> 0 connection=1`, `dialup list -> 1 2`
// (or `-> failed`), `dialup hangup 1 -> 0`.
class FakeDialUp final : public IDialUp, public Recorder {
public:
    using Recorder::Recorder;

    bool available() override;
    int dial(const std::string& entry, const std::string& user, const std::string& password,
             DialConnection& connection) override;
    bool activeConnections(std::vector<DialConnection>& connections) override;
    int hangUp(DialConnection connection) override;

    void setAvailable(bool available) { available_ = available; }
    // The error code of the next dials, and whether a failed dial leaves a half-open connection.
    void setDialResult(int result, bool halfOpen = false) {
        dialResult_ = result;
        halfOpen_ = halfOpen;
    }
    void setListFails(bool fails) { listFails_ = fails; }
    void setHangUpResult(int result) { hangUpResult_ = result; }
    void addConnection(DialConnection connection) { connections_.push_back(connection); }
    const std::vector<DialConnection>& connections() const { return connections_; }

private:
    bool available_ = true;
    int dialResult_ = 0;
    bool halfOpen_ = false;
    bool listFails_ = false;
    int hangUpResult_ = 0;
    DialConnection next_ = 1;
    std::vector<DialConnection> connections_;
};

}  // namespace orv::fake
