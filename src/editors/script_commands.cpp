#include "editors/script_commands.h"

namespace orv::script {

std::string_view commandLabel(int command) {
    if (command < 1 || command > static_cast<int>(kCommandCount)) return {};
    return kCommandLabels[static_cast<std::size_t>(command - 1)];
}

const std::array<std::size_t, kCommandCount>& labelLengths() {
    static const std::array<std::size_t, kCommandCount> lengths = [] {
        std::array<std::size_t, kCommandCount> result{};
        for (std::size_t k = 0; k < kCommandCount; ++k) result[k] = kCommandLabels[k].size();
        return result;
    }();
    return lengths;
}

std::string_view stripBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

int commandOfLine(std::string_view lineText) {
    const std::string_view text = stripBlanks(lineText);
    const auto& lengths = labelLengths();
    for (std::size_t k = 0; k < kCommandCount; ++k) {
        if (text.substr(0, lengths[k]) == kCommandLabels[k]) return static_cast<int>(k + 1);
    }
    return 0;
}

}  // namespace orv::script
