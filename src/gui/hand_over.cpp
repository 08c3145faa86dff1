#include "gui/hand_over.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QtEndian>
#include <cerrno>
#include <cstring>

#include "activation/command_line.h"

namespace orv::gui {

namespace {

constexpr std::size_t kValueBytes = 8;
constexpr int kSendTimeoutMs = 2000;
constexpr int kBacklog = 16;

bool addressOf(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// The peer of a connected socket runs as this user (for a listening peer: it did when it
// started listening).
bool sameUser(int fd) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return false;
    return credentials.uid == ::geteuid();
}

// A connection to the program listening on `path`; invalid when nobody listens there.
UniqueFd connectTo(const std::string& path) {
    sockaddr_un address;
    if (!addressOf(path, address)) return {};
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd) return {};
    // Bounds both a connect to a program too busy to accept and the sending.
    const timeval timeout{kSendTimeoutMs / 1000, (kSendTimeoutMs % 1000) * 1000};
    ::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return {};
    return fd;
}

bool sendAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The socket file at `path`, as a device and inode pair; none when it is not a socket of ours.
std::optional<std::pair<dev_t, ino_t>> ownSocketAt(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode) || st.st_uid != ::geteuid()) return std::nullopt;
    return std::make_pair(st.st_dev, st.st_ino);
}

}  // namespace

struct HandOverServer::Connection {
    UniqueFd fd;
    QSocketNotifier* notifier = nullptr;
    std::string pending;  // the bytes of a value not yet complete
};

std::string handOverSocketPath(const std::string& runtimeDir) {
    return runtimeDir + "/orvanta-" + std::to_string(::geteuid()) + ".socket";
}

HandOverServer::HandOverServer(Receiver receiver, QObject* parent) : QObject(parent), receiver_(std::move(receiver)) {}

HandOverServer::~HandOverServer() {
    // The socket goes with the program, unless something else took its place meanwhile.
    if (listener_ && ownSocketAt(path_) == socketId_) ::unlink(path_.c_str());
}

std::string HandOverServer::listen(const std::string& path) {
    sockaddr_un address;
    if (!addressOf(path, address)) return "the socket path is too long: " + path;
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd) return std::string("no socket: ") + std::strerror(errno);
    const auto* raw = reinterpret_cast<const sockaddr*>(&address);
    if (::bind(fd.get(), raw, sizeof address) != 0) {
        if (errno != EADDRINUSE) return path + ": " + std::strerror(errno);
        if (connectTo(path)) return "another program answers on " + path;
        // Left by a program that died: nobody answers on it, so it can go.
        if (!ownSocketAt(path)) return path + " is in the way";
        ::unlink(path.c_str());
        if (::bind(fd.get(), raw, sizeof address) != 0) return path + ": " + std::strerror(errno);
    }
    if (::listen(fd.get(), kBacklog) != 0) {
        const std::string error = path + ": " + std::strerror(errno);
        ::unlink(path.c_str());
        return error;
    }
    path_ = path;
    socketId_ = ownSocketAt(path);
    listener_ = std::move(fd);
    acceptNotifier_ = new QSocketNotifier(listener_.get(), QSocketNotifier::Read, this);
    connect(acceptNotifier_, &QSocketNotifier::activated, this, &HandOverServer::accept);
    return {};
}

void HandOverServer::accept() {
    for (;;) {
        UniqueFd fd(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!fd) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // none left
        }
        // Another user's program never hands anything over.
        if (!sameUser(fd.get())) continue;
        auto connection = std::make_unique<Connection>();
        connection->fd = std::move(fd);
        connection->notifier = new QSocketNotifier(connection->fd.get(), QSocketNotifier::Read, this);
        Connection* c = connection.get();
        connect(c->notifier, &QSocketNotifier::activated, this, [this, c] { read(*c); });
        connections_.push_back(std::move(connection));
    }
}

void HandOverServer::read(Connection& c) {
    bool open = true;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(c.fd.get(), buffer, sizeof buffer);
        if (n > 0) {
            c.pending.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        open = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        break;
    }
    std::vector<std::int64_t> values;
    std::size_t used = 0;
    for (; c.pending.size() - used >= kValueBytes; used += kValueBytes)
        values.push_back(qFromLittleEndian<qint64>(c.pending.data() + used));
    c.pending.erase(0, used);
    // The receiver may play a macro, and events are handled while it plays: the connection is
    // finished with before the first value is handed on.
    if (!open) drop(c);
    for (const std::int64_t value : values) receiver_(value);
}

void HandOverServer::drop(Connection& c) {
    c.notifier->setEnabled(false);
    c.notifier->deleteLater();
    std::erase_if(connections_, [&c](const std::unique_ptr<Connection>& p) { return p.get() == &c; });
}

HandOver sendHandOver(const std::string& socketPath, const std::string& commandLine) {
    const UniqueFd fd = connectTo(socketPath);
    if (!fd) return HandOver::NoProgram;
    if (!sameUser(fd.get())) return HandOver::Foreign;
    std::string bytes;
    for (const std::int64_t value : encodeHandOver(commandLine)) {
        char encoded[kValueBytes];
        qToLittleEndian<qint64>(value, encoded);
        bytes.append(encoded, kValueBytes);
    }
    return sendAll(fd.get(), bytes) ? HandOver::Delivered : HandOver::Failed;
}

}  // namespace orv::gui
