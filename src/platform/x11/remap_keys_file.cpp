#include "platform/x11/remap_keys_file.h"

#include <sstream>

#include "platform/x11/runtime_file.h"

namespace orv::x11 {
namespace {

// Far more than 93 characters on every key of 4 groups of 8 levels ever need.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

}  // namespace

std::string remapKeysPath(const std::string& runtimeDir, const std::string& displayName) {
    return displayFilePath(runtimeDir, "remap-keys", displayName);
}

std::vector<RemappedSym> readRemappedSyms(const std::string& path) {
    std::vector<RemappedSym> syms;
    std::istringstream lines(readPrivateText(path, kMaxFileBytes).value_or(std::string()));
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
    std::ostringstream out;
    for (const RemappedSym& s : syms)
        out << s.keycode << ' ' << s.group << ' ' << s.level << ' ' << std::hex << s.original << ' ' << s.applied
            << std::dec << '\n';
    return writePrivateText(path, out.str());
}

}  // namespace orv::x11
