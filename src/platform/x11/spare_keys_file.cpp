#include "platform/x11/spare_keys_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "platform/runtime_dir.h"

namespace orv::x11 {

namespace {

// More than any keymap has keycodes.
constexpr std::size_t kMaxFileBytes = 4096;

}  // namespace

std::string spareKeysPath(const std::string& runtimeDir, const std::string& displayName) {
    std::string name = displayName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == ':'; }, '_');
    return runtimeDir + "/orvanta-spare-keys-" + std::to_string(::geteuid()) + "-" + name;
}

std::vector<int> readSpareKeys(const std::string& path) {
    const UniqueFd fd = openPrivateFile(path, O_RDONLY);
    if (!fd) return {};
    std::string text(kMaxFileBytes, '\0');
    ssize_t n = 0;
    while ((n = ::read(fd.get(), text.data(), text.size())) < 0 && errno == EINTR) {
    }
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    std::vector<int> keycodes;
    std::istringstream in(text);
    for (int kc = 0; in >> kc;) keycodes.push_back(kc);
    return keycodes;
}

bool writeSpareKeys(const std::string& path, const std::vector<int>& keycodes) {
    ::unlink(path.c_str());
    const UniqueFd fd = openPrivateFile(path, O_WRONLY | O_CREAT | O_EXCL);
    if (!fd) return false;
    std::string text;
    for (int kc : keycodes) text += std::to_string(kc) + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace orv::x11
