#include "remap/remapper_model.h"

namespace orv::remap {

std::string entryText(std::uint8_t code) {
    if (code == kDisabled) return "none";
    return std::string(1, static_cast<char>(code));
}

bool RemapperModel::choose(std::size_t index, std::uint8_t code) {
    if (readOnly_ || !tables_.set(index, code)) return false;
    // Choosing a character again counts as a change: the file is written and the keys follow.
    changed_ = true;
    return true;
}

}  // namespace orv::remap
