#include "platform/x11/remap_keys_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "platform/runtime_dir.h"

namespace orv::x11 {
namespace {

// Far more than 93 characters on every key of 4 groups of 8 levels ever need.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string remapKeysPath(const std::string& runtimeDir, const std::string& displayName) {
    std::string name = displayName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == ':'; }, '_');
    return runtimeDir + "/orvanta-remap-keys-" + std::to_string(::geteuid()) + "-" + name;
}

std::vector<RemappedSym> readRemappedSyms(const std::string& path) {
    const UniqueFd fd = openPrivateFile(path, O_RDONLY);
    if (!fd) return {};
    std::string text(kMaxFileBytes, '\0');
    ssize_t n = 0;
    while ((n = ::read(fd.get(), text.data(), text.size())) < 0 && errno == EINTR) {
    }
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    std::vector<RemappedSym> syms;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        RemappedSym s;
        in >> s.keycode >> s.group >> s.level >> std::hex >> s.original >> s.applied;
        if (!in || s.keycode < 8 || s.keycode > 255 || s.group < 0 || s.group > 3 || s.level < 0 || s.level > 63)
            return {};
        syms.push_back(s);
    }
    return syms;
}

bool writeRemappedSyms(const std::string& path, const std::vector<RemappedSym>& syms) {
    ::unlink(path.c_str());
    const UniqueFd fd = openPrivateFile(path, O_WRONLY | O_CREAT | O_EXCL);
    if (!fd) return false;
    std::ostringstream out;
    for (const RemappedSym& s : syms)
        out << s.keycode << ' ' << s.group << ' ' << s.level << ' ' << std::hex << s.original << ' ' << s.applied
            << std::dec << '\n';
    return writeAll(fd.get(), out.str()) && ::fsync(fd.get()) == 0;
}

}  // namespace orv::x11
