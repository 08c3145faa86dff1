#include "platform/file_system.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace orv {

StdFileSystem::StdFileSystem() : followProcess_(true) {}

StdFileSystem::StdFileSystem(std::string start) : followProcess_(false), current_(std::move(start)) {}

std::string StdFileSystem::currentDirectory() {
    if (!followProcess_) return current_;
    std::error_code ec;
    const fs::path p = fs::current_path(ec);
    return ec ? std::string() : p.string();
}

std::string StdFileSystem::resolve(const std::string& path) {
    const fs::path p(path);
    if (p.is_absolute() || path.empty()) return path;
    return (fs::path(currentDirectory()) / p).lexically_normal().string();
}

bool StdFileSystem::setCurrentDirectory(const std::string& path) {
    if (path.empty()) return false;
    const std::string target = resolve(path);
    std::error_code ec;
    if (!fs::is_directory(target, ec)) return false;
    if (followProcess_) {
        fs::current_path(target, ec);
        return !ec;
    }
    current_ = target;
    return true;
}

std::optional<std::string> StdFileSystem::readFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::string target = resolve(path);
    std::error_code ec;
    if (!fs::is_regular_file(target, ec)) return std::nullopt;
    // Opened for reading and writing, as a file that cannot be written is skipped too.
    std::ifstream probe(target, std::ios::binary | std::ios::in | std::ios::out);
    if (!probe) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(probe), {});
}

bool StdFileSystem::fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(resolve(path), ec);
}

bool StdFileSystem::isDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(resolve(path), ec);
}

bool StdFileSystem::createDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::create_directory(resolve(path), ec) && !ec;
}

bool StdFileSystem::deleteFile(const std::string& path) {
    std::error_code ec;
    const std::string target = resolve(path);
    if (path.empty() || fs::is_directory(target, ec)) return false;
    return fs::remove(target, ec) && !ec;
}

bool StdFileSystem::copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (from.empty() || to.empty()) return false;
    fs::copy_file(resolve(from), resolve(to), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

bool StdFileSystem::renameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (from.empty() || to.empty()) return false;
    const std::string target = resolve(to);
    // Like a move on the original system: an existing destination is not replaced.
    if (fs::exists(target, ec)) return false;
    fs::rename(resolve(from), target, ec);
    return !ec;
}

}  // namespace orv
