#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

#include "platform/unique_fd.h"

class QSocketNotifier;

namespace orv::gui {

// The hand-over between two starts of the program: the running one listens on a Unix-domain
// socket in the user's private runtime folder; a second start sends its command line there,
// one character per message (8-byte little-endian values, the last one 0), and exits. Each side
// makes sure the other runs as the same user.
class HandOverServer final : public QObject {
    Q_OBJECT
public:
    using Receiver = std::function<void(std::int64_t)>;
    explicit HandOverServer(Receiver receiver, QObject* parent = nullptr);
    ~HandOverServer() override;

    // Listens on `path`, taking over a socket that nobody answers on any more. Empty when
    // listening, otherwise why not.
    std::string listen(const std::string& path);

private:
    struct Connection;
    void accept();
    void read(Connection& connection);
    void drop(Connection& connection);

    Receiver receiver_;
    UniqueFd listener_;
    QSocketNotifier* acceptNotifier_ = nullptr;
    std::string path_;
    std::optional<std::pair<dev_t, ino_t>> socketId_;  // the socket file it made
    std::vector<std::unique_ptr<Connection>> connections_;
};

// The socket in the private runtime folder `runtimeDir`.
std::string handOverSocketPath(const std::string& runtimeDir);

enum class HandOver {
    Delivered,  // a running program of this user took the command line
    NoProgram,  // nobody listens
    Foreign,    // the program listening runs as another user: nothing was sent
    Failed,     // the program of this user did not take it all
};
// Sends `commandLine` to the program listening on `socketPath`.
HandOver sendHandOver(const std::string& socketPath, const std::string& commandLine);

}  // namespace orv::gui
