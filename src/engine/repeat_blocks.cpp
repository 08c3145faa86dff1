#include "engine/repeat_blocks.h"

#include "engine/text_fields.h"

namespace orv {

std::optional<std::size_t> findMatchingEndRep(std::string_view text, std::size_t blockStart) {
    int depth = 0;
    for (std::size_t i = text.find('<', blockStart); i != std::string_view::npos; i = text.find('<', i + 1)) {
        if (startsAt(text, i, tagOf(CommandId::Rep)) || startsAt(text, i, tagOf(CommandId::Repeat)) ||
            startsAt(text, i, tagOf(CommandId::Promptrep)))
            ++depth;
        if (startsAt(text, i, tagOf(CommandId::Endrep))) {
            if (depth > 0)
                --depth;
            else
                return i;
        }
    }
    return std::nullopt;
}

}  // namespace orv
