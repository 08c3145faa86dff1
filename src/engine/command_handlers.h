#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>

#include "engine/command_family.h"

namespace orv {

// A family's commands and the member function that performs each one. perform() of a family is
// then one lookup: `return handlers.run(*this, engine, run, cmd);`.
template <typename Family>
class HandlerTable {
public:
    using Handler = std::optional<std::size_t> (Family::*)(PlaybackEngine&, Interpretation&, const CommandEntry&);
    struct Entry {
        CommandId id;
        Handler handler;
    };

    constexpr HandlerTable(std::initializer_list<Entry> entries) {
        for (const Entry& e : entries) byId_[static_cast<std::size_t>(e.id)] = e.handler;
    }

    constexpr void add(CommandId id, Handler handler) { byId_[static_cast<std::size_t>(id)] = handler; }

    // The handler's result, or std::nullopt for a command that is not the family's.
    std::optional<std::size_t> run(Family& family, PlaybackEngine& engine, Interpretation& interpretation,
                                   const CommandEntry& cmd) const {
        const Handler handler = byId_[static_cast<std::size_t>(cmd.id)];
        if (handler == nullptr) return std::nullopt;
        return (family.*handler)(engine, interpretation, cmd);
    }

private:
    std::array<Handler, kCommandIdCount> byId_{};
};

}  // namespace orv
