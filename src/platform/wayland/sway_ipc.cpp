#include "platform/wayland/sway_ipc.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QtCore/QByteArray>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <cstdlib>
#include <cstring>

namespace orv::wayland {

namespace {

constexpr std::string_view kMagic = "i3-ipc";
constexpr std::uint32_t kRunCommand = 0;
constexpr std::uint32_t kSubscribe = 2;
constexpr std::uint32_t kGetTree = 4;
// Events carry their type with the high bit set.
constexpr std::uint32_t kEventBit = 0x80000000u;
// How long sway may take to answer one request.
constexpr int kReplyDeadlineMs = 2000;

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool readAll(int fd, char* data, std::size_t size) {
    while (size > 0) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, kReplyDeadlineMs) <= 0) return false;
        const ssize_t n = ::read(fd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void collect(const QJsonObject& node, std::vector<SwayWindow>& out) {
    if (node.contains(QStringLiteral("pid"))) {
        const QJsonObject r = node.value(QStringLiteral("rect")).toObject();
        const int x = r.value(QStringLiteral("x")).toInt();
        const int y = r.value(QStringLiteral("y")).toInt();
        out.push_back(
            {static_cast<long long>(node.value(QStringLiteral("id")).toDouble()),
             node.value(QStringLiteral("name")).toString().toStdString(),
             node.value(QStringLiteral("app_id")).toString().toStdString(),
             node.value(QStringLiteral("pid")).toInt(),
             {x, y, x + r.value(QStringLiteral("width")).toInt(), y + r.value(QStringLiteral("height")).toInt()},
             node.value(QStringLiteral("focused")).toBool()});
    }
    for (const auto* key : {"nodes", "floating_nodes"}) {
        for (const auto& child : node.value(QLatin1String(key)).toArray()) collect(child.toObject(), out);
    }
}

}  // namespace

std::vector<SwayWindow> swayWindows(std::string_view treeJson) {
    std::vector<SwayWindow> windows;
    const QJsonDocument tree =
        QJsonDocument::fromJson(QByteArray(treeJson.data(), static_cast<qsizetype>(treeJson.size())));
    collect(tree.object(), windows);
    return windows;
}

std::unique_ptr<SwayIpc> SwayIpc::connect() {
    const char* path = std::getenv("SWAYSOCK");
    if (path == nullptr || std::strlen(path) >= sizeof(sockaddr_un::sun_path)) return nullptr;
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path);
    if (!fd.valid() || ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return nullptr;
    }
    return std::unique_ptr<SwayIpc>(new SwayIpc(std::move(fd)));
}

std::optional<std::pair<std::uint32_t, std::string>> SwayIpc::readMessage() {
    char header[kMagic.size() + 8];
    if (!readAll(socket_.get(), header, sizeof header) || std::string_view(header, kMagic.size()) != kMagic) {
        broken_ = true;
        return std::nullopt;
    }
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::memcpy(&length, header + kMagic.size(), sizeof length);
    std::memcpy(&type, header + kMagic.size() + 4, sizeof type);
    std::string payload(length, '\0');
    if (!readAll(socket_.get(), payload.data(), payload.size())) {
        broken_ = true;
        return std::nullopt;
    }
    return std::make_pair(type, std::move(payload));
}

std::optional<std::string> SwayIpc::request(std::uint32_t type, std::string_view payload) {
    std::string message(kMagic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&type), sizeof type);
    message.append(payload);
    if (!writeAll(socket_.get(), message.data(), message.size())) {
        broken_ = true;
        return std::nullopt;
    }
    // Events that came before the reply are not wanted by the one who asked.
    for (;;) {
        auto reply = readMessage();
        if (!reply) return std::nullopt;
        if ((reply->first & kEventBit) == 0) return std::move(reply->second);
    }
}

bool SwayIpc::subscribe(std::string_view eventsJson) {
    const std::optional<std::string> reply = request(kSubscribe, eventsJson);
    if (!reply) return false;
    const QJsonObject answer =
        QJsonDocument::fromJson(QByteArray(reply->data(), static_cast<qsizetype>(reply->size()))).object();
    return answer.value(QStringLiteral("success")).toBool();
}

std::optional<std::string> SwayIpc::readEvent(int timeoutMs) {
    for (;;) {
        pollfd p{socket_.get(), POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready == 0) return std::nullopt;
        if (ready < 0) {
            broken_ = true;
            return std::nullopt;
        }
        auto message = readMessage();
        if (!message) return std::nullopt;
        if ((message->first & kEventBit) != 0) return std::move(message->second);
    }
}

std::vector<SwayWindow> SwayIpc::windows() {
    const std::optional<std::string> tree = request(kGetTree, {});
    return tree ? swayWindows(*tree) : std::vector<SwayWindow>{};
}

bool SwayIpc::command(const std::string& command) {
    const std::optional<std::string> reply = request(kRunCommand, command);
    if (!reply) return false;
    const QJsonArray results =
        QJsonDocument::fromJson(QByteArray(reply->data(), static_cast<qsizetype>(reply->size()))).array();
    if (results.isEmpty()) return false;
    for (const auto& r : results) {
        if (!r.toObject().value(QStringLiteral("success")).toBool()) return false;
    }
    return true;
}

}  // namespace orv::wayland
