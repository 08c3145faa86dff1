#include "platform/x11/mount_table.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/cp1252.h"

namespace orv::x11 {

namespace {

constexpr std::string_view kNetworkTypes[] = {"cifs",       "smb3",  "smbfs",      "nfs", "nfs4",  "sshfs",
                                              "fuse.sshfs", "davfs", "fuse.davfs", "afs", "ncpfs", "fuse.rclone"};

bool isNetworkType(std::string_view type) {
    return std::find(std::begin(kNetworkTypes), std::end(kNetworkTypes), type) != std::end(kNetworkTypes);
}

// A field with its octal escapes ("\040" for a blank) turned back into characters.
std::string unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                           std::all_of(field.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                       field.begin() + static_cast<std::ptrdiff_t>(i) + 4,
                                       [](char c) { return c >= '0' && c <= '7'; });
        if (octal) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool hasOption(const std::string& options, std::string_view wanted) {
    std::istringstream list(options);
    std::string option;
    while (std::getline(list, option, ','))
        if (option == wanted) return true;
    return false;
}

}  // namespace

std::vector<NetworkConnection> networkMounts(std::istream& table, bool atBoot) {
    std::vector<NetworkConnection> out;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string source, point, type, options;
        if (!(fields >> source >> point >> type) || source.front() == '#') continue;
        fields >> options;
        if (!isNetworkType(type) || (atBoot && hasOption(options, "noauto"))) continue;
        out.push_back({utf8ToCp1252(unescape(point)), utf8ToCp1252(unescape(source))});
    }
    return out;
}

std::vector<NetworkConnection> gvfsMounts(const std::filesystem::path& gvfsDir) {
    std::vector<NetworkConnection> out;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(gvfsDir, ec)) {
        const std::string name = entry.path().filename().string();
        const std::size_t colon = name.find(':');
        if (colon == std::string::npos) continue;
        const std::string scheme = name.substr(0, colon);
        std::map<std::string, std::string> keys;
        std::istringstream list(name.substr(colon + 1));
        std::string pair;
        while (std::getline(list, pair, ',')) {
            const std::size_t eq = pair.find('=');
            if (eq != std::string::npos) keys[pair.substr(0, eq)] = pair.substr(eq + 1);
        }
        const std::string host = keys.count("server") != 0 ? keys["server"] : keys["host"];
        if (host.empty()) continue;  // a phone or camera, not a network share
        const std::string remote = scheme == "smb-share" ? "//" + host + "/" + keys["share"] : scheme + "://" + host;
        out.push_back({utf8ToCp1252(entry.path().string()), utf8ToCp1252(remote)});
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.drive < b.drive; });
    return out;
}

}  // namespace orv::x11
