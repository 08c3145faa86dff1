#pragma once

// How a command family plugs into the interpreter
// ------------------------------------------------
// The interpreter (PlaybackEngine::DoMacro) walks the macro text. At each "<" it tries the
// commands of commandTable() (the catalogue of command_catalogue.h, where every tag's text,
// family and field layout are declared); for the one whose tag stands there it calls the
// family registered for that command's CommandFamily. A family has one handler per command,
// looked up by a HandlerTable (command_handlers.h):
//
//     std::optional<std::size_t> WindowCommands::perform(PlaybackEngine& engine, Interpretation& run,
//                                                        const CommandEntry& cmd) {
//         static constexpr HandlerTable<WindowCommands> kHandlers{
//             {CommandId::Wsize, &WindowCommands::resize}, ...};
//         return kHandlers.run(*this, engine, run, cmd);
//     }
//     engine.registerFamily(CommandFamily::Window, windowCommands);
//
// A handler finds the command's tag at run.text[run.pos] (the "<") and reads its parameters
// where cmd.layout puts them (text_fields.h: fieldNumber(text, at, cmd.field(0)), closedAt,
// textParameter). It returns the position at which interpretation goes on (cmd.end(at) just
// past the closing ">", the end of a free-text parameter, or run.text.size() when one ran to
// the end), or std::nullopt when the text there does not have the command's shape (a required
// ">" missing at its offset); the interpreter then types the "<" as a literal character. A
// command that must end the interpretation it stands in (without end processing) sets
// run.stop. Everything a command needs is reached through the engine: services() for the
// platform, state() for the engine state, and the shared primitives (PostVKey, pressKey,
// typeText, waitMs, PauseFor, DoAMessage, runNested ...).
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
    virtual std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run,
                                               const CommandEntry& cmd) = 0;
};

}  // namespace orv
