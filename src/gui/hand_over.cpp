#include "gui/hand_over.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>
#include <vector>

#include "activation/command_line.h"

namespace orv::gui {

namespace {

constexpr int kConnectTimeoutMs = 2000;

// The peer of a local socket runs as this user.
bool sameUser(qintptr descriptor) {
    struct ucred credentials {};
    socklen_t length = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return false;
    return credentials.uid == ::getuid();
}

}  // namespace

QString handOverSocketPath() {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists()) {
        dir = QStringLiteral("/tmp/orvanta-%1").arg(::getuid());
        QDir().mkpath(dir);
        ::chmod(QFile::encodeName(dir).constData(), 0700);
    }
    return dir + QStringLiteral("/orvanta-%1.socket").arg(::getuid());
}

HandOverServer::HandOverServer(Receiver receiver, QObject* parent)
    : QObject(parent), receiver_(std::move(receiver)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &HandOverServer::accept);
}

bool HandOverServer::listen() {
    const QString path = handOverSocketPath();
    if (server_->listen(path)) return true;
    // A socket left by a program that died: nobody answers on it, so it can go.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(kConnectTimeoutMs)) return false;
    QLocalServer::removeServer(path);
    return server_->listen(path);
}

void HandOverServer::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (!sameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            std::vector<std::int64_t> values;
            while (socket->bytesAvailable() >= 8) {
                char bytes[8];
                socket->read(bytes, 8);
                values.push_back(qFromLittleEndian<qint64>(bytes));
            }
            // The receiver may play a macro, whose event loop can delete this socket once its
            // peer has gone: everything is read before the first value is handed on.
            for (const std::int64_t value : values) receiver_(value);
        });
    }
}

bool sendHandOver(const std::string& commandLine) {
    QLocalSocket socket;
    socket.connectToServer(handOverSocketPath());
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    for (const std::int64_t value : encodeHandOver(commandLine)) {
        char bytes[8];
        qToLittleEndian<qint64>(value, bytes);
        socket.write(bytes, 8);
    }
    socket.flush();
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

}  // namespace orv::gui
