#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editors/script_commands.h"
#include "editors/script_payload.h"

namespace orv::script {

// One line of the script: its display text (indentation, label, description of the
// parameters) and the parameters themselves.
struct ScriptLine {
    std::string text;
    Payload payload;
    // The tag's last text field ran to the end of the text it was read from, without a
    // closing ">".
    bool openEnd = false;
    friend bool operator==(const ScriptLine&, const ScriptLine&) = default;
};

// Where a line came from in the macro text it was read from.
struct SourceSpan {
    std::size_t begin = 0;
    std::size_t length = 0;
    friend bool operator==(const SourceSpan&, const SourceSpan&) = default;
};

// Reads macro text into script lines: every recognised command tag becomes a line of its own,
// everything between them (literal characters, key tags and anything not recognised) becomes
// "Text" lines. Never fails. `spans`, when given, receives each line's place in `text`.
std::vector<ScriptLine> readScriptLines(std::string_view text, std::vector<SourceSpan>* spans = nullptr);

// Whether `payload` is the record kind of `command` and its kind field names that command.
bool payloadFits(int command, const Payload& payload);

// The display text of a line of `command` with these parameters, without indentation.
// Requires payloadFits(command, payload).
std::string describeLine(int command, const Payload& payload);

// The macro text that a line of `command` with these parameters is saved as.
// Requires payloadFits(command, payload).
std::string writtenForm(int command, const Payload& payload);

// The text that saving the lines writes: their written forms in order. A last line whose tag
// ran to the end of the text it was read from is written without the closing ">" it lacked.
std::string scriptTextOf(const std::vector<ScriptLine>& lines);

// A new line; throws std::invalid_argument when the payload does not belong to the command.
ScriptLine makeLine(int command, Payload payload);

// Helpers shared by the display texts and the written forms.
namespace text {
// The part of a path after its last path separator ("\" or "/"); the whole path without one.
std::string_view fileNameOf(std::string_view path);
// `value` with zeros after an optional minus sign up to `width` characters; a wider number is
// written as it is.
std::string padded(long long value, int width);
// A real in the 5-character field of "<DELAY:" and "<SPEED:": two decimals, widened to five
// characters with a leading zero; fewer decimals when two do not fit.
std::string fieldReal(double value);
// Two decimals, then a trailing ".00", or a trailing zero after one decimal digit, dropped.
std::string shortReal(double value);
// Two decimals.
std::string fixed2(double value);
}  // namespace text

}  // namespace orv::script
