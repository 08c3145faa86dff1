#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;

namespace orv::gui {

// The hand-over between two starts of the program: the running one listens on a local socket
// that only its user can reach; a second start sends its command line there, one character per
// message (8-byte little-endian values, the last one 0), and exits.
class HandOverServer final : public QObject {
    Q_OBJECT
public:
    using Receiver = std::function<void(std::int64_t)>;
    explicit HandOverServer(Receiver receiver, QObject* parent = nullptr);
    // Listens; false when the socket could not be set up.
    bool listen();

private:
    void accept();
    Receiver receiver_;
    QLocalServer* server_;
};

// The socket's name: a path in $XDG_RUNTIME_DIR (or a private folder under /tmp).
QString handOverSocketPath();

// Sends `commandLine` to a running program. False when none is listening.
bool sendHandOver(const std::string& commandLine);

}  // namespace orv::gui
