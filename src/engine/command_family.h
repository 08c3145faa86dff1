#pragma once

// How a command family plugs into the interpreter
// ------------------------------------------------
// The interpreter (PlaybackEngine::DoMacro) walks the macro text. At each "<" it tries the
// commands of commandTable() in order; for the first whose tag stands there it calls the
// family registered for that command's CommandFamily:
//
//     class WindowCommands final : public ICommandFamily {
//         std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run,
//                                            const CommandSpec& cmd) override {
//             switch (cmd.id) { case CommandId::Wmax: ...; return run.pos + length; ... }
//         }
//     };
//     engine.registerFamily(CommandFamily::Window, windowCommands);
//
// perform() finds the command's tag at run.text[run.pos] (the "<"). It returns the position at
// which interpretation goes on (just past the closing ">", or run.text.size() when a free-text
// parameter ran to the end), or std::nullopt when the text there does not have the command's
// shape (a required ">" missing at its offset); the interpreter then tries the next command
// and finally types the "<" as a literal character. A command that must end the interpretation
// it stands in (without end processing) sets run.stop. Everything a command needs is reached
// through the engine: services() for the platform, state() for the engine state, and the
// shared primitives (PostVKey, pressKey, typeText, waitMs, PauseFor, DoAMessage, runNested ...).
// text_fields.h has the readers of fixed-width and free-text parameters.
//
// A family that has no registered implementation yet has its commands skipped: they are
// consumed up to and including the next ">" and do nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/command_table.h"

namespace orv {

class PlaybackEngine;

// The state of one interpretation of a text (each nested interpretation has its own).
struct Interpretation {
    std::string_view text;
    std::size_t pos = 0;
    int runNumber = 1;        // 1 for the first run
    int runsLeft = 0;         // runs still to go after this one
    std::uint16_t step = 1;   // counter step
    std::uint16_t start = 1;  // counter start value
    // Modifiers held down that are released after the next key.
    bool shiftMarked = false;
    bool ctrlMarked = false;
    bool altMarked = false;
    // Set by a command that ends this interpretation at once, without end processing.
    bool stop = false;
};

class ICommandFamily {
public:
    virtual ~ICommandFamily() = default;
    virtual std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) = 0;
};

}  // namespace orv
