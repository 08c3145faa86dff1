#pragma once

#include <cstdint>
#include <span>

#include "engine/command_catalogue.h"

namespace orv {

// Every command in the order in which the interpreter tries them: the catalogue, then the date
// commands and the time commands (one entry per format).
std::span<const CommandEntry> commandTable();

// The positions in commandTable() of the commands whose tag has `second` as its second character,
// in table order. Lets the interpreter skip the commands that cannot match.
std::span<const std::uint16_t> commandCandidates(unsigned char second);

}  // namespace orv
