#include "platform/x11/runtime_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/runtime_dir.h"

namespace orv::x11 {

std::string displayFilePath(const std::string& runtimeDir, const std::string& stem, const std::string& displayName) {
    std::string name = displayName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == ':'; }, '_');
    return runtimeDir + "/orvanta-" + stem + "-" + std::to_string(::geteuid()) + "-" + name;
}

std::optional<std::string> readPrivateText(const std::string& path, std::size_t maxBytes) {
    const UniqueFd fd = openPrivateFile(path, O_RDONLY);
    if (!fd) return std::nullopt;
    std::string text(maxBytes, '\0');
    ssize_t n = 0;
    while ((n = ::read(fd.get(), text.data(), text.size())) < 0 && errno == EINTR) {
    }
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

bool writePrivateText(const std::string& path, const std::string& text) {
    ::unlink(path.c_str());
    const UniqueFd fd = openPrivateFile(path, O_WRONLY | O_CREAT | O_EXCL);
    if (!fd) return false;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd.get()) == 0;
}

}  // namespace orv::x11
