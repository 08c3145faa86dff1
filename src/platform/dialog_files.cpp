#include "platform/dialog_files.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/cp1252.h"

namespace orv {

namespace {

std::filesystem::path toNative(const std::string& path) { return std::filesystem::path(cp1252ToUtf8(path)); }

}  // namespace

bool FileSystemDialogFiles::fileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    const auto status = std::filesystem::status(toNative(path), ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool FileSystemDialogFiles::canEnterFolder(const std::string& path) {
    if (path.empty()) return false;
    const std::filesystem::path native = toNative(path);
    std::error_code ec;
    if (!std::filesystem::is_directory(native, ec) || ec) return false;
    // Changing into a folder needs search permission on it.
    return ::access(native.c_str(), X_OK) == 0;
}

std::string FileSystemDialogFiles::shortPath(const std::string& path) { return path; }

}  // namespace orv
