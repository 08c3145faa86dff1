#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orv {

// The position of the "<ENDREP>" that closes a repeat block starting at `blockStart`: repeats
// opened inside the block ("<REP:", "<REPEAT:", "<PROMPTREP>") are closed by their own
// "<ENDREP>" first. Nothing when the block is never closed.
std::optional<std::size_t> findMatchingEndRep(std::string_view text, std::size_t blockStart);

}  // namespace orv
