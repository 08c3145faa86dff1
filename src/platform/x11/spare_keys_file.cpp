#include "platform/x11/spare_keys_file.h"

#include <sstream>

#include "platform/x11/runtime_file.h"

namespace orv::x11 {

namespace {

// More than any keymap has keycodes.
constexpr std::size_t kMaxFileBytes = 4096;

}  // namespace

std::string spareKeysPath(const std::string& runtimeDir, const std::string& displayName) {
    return displayFilePath(runtimeDir, "spare-keys", displayName);
}

std::vector<int> readSpareKeys(const std::string& path) {
    std::vector<int> keycodes;
    std::istringstream in(readPrivateText(path, kMaxFileBytes).value_or(std::string()));
    for (int kc = 0; in >> kc;) keycodes.push_back(kc);
    return keycodes;
}

bool writeSpareKeys(const std::string& path, const std::vector<int>& keycodes) {
    std::string text;
    for (int kc : keycodes) text += std::to_string(kc) + "\n";
    return writePrivateText(path, text);
}

}  // namespace orv::x11
