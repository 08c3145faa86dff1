#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace orv::test {

// The text the test window's field `index` received, from its "key <index> <hex bytes> ..."
// report lines ("-" stands for a key that typed nothing).
inline std::string typedText(const std::vector<std::string>& lines, int index) {
    std::string text;
    const std::string prefix = "key " + std::to_string(index) + " ";
    for (const auto& line : lines) {
        if (line.rfind(prefix, 0) != 0) continue;
        const std::string hex = line.substr(prefix.size(), line.find(' ', prefix.size()) - prefix.size());
        if (hex == "-") continue;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            text += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
        }
    }
    return text;
}

}  // namespace orv::test
