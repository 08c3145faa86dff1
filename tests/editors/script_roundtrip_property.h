#pragma once

// The round-trip property of the script model, shared by the property test and the fuzz
// target: reading any text into lines and saving the lines gives the text back, except where
// the written form of a line is defined to differ (newer shapes of repeats, launches and
// dates, zero-padded numbers, fixed separators). Where it differs, the saved line must still
// read back as the same line, and saving the saved text again must change nothing.
#include <string>
#include <string_view>
#include <vector>

#include "editors/script_lines.h"

namespace orv::test {

inline std::string quoteForReport(std::string_view s) {
    std::string out;
    for (unsigned char c : s) {
        if (c >= 32 && c < 127 && c != '\\') {
            out += static_cast<char>(c);
        } else {
            static const char* hex = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// Commands whose written form has a newer shape than some of the tags they are read from.
inline bool hasNewerShape(int command) {
    using namespace orv::script::cmd;
    return command == Date || command == RepeatStart || command == ProgramLaunch || command == ActivateOrLaunch ||
           command == LaunchAndActivate;
}

// "" when the property holds for `text`, else what broke.
inline std::string checkScriptRoundTrip(std::string_view text) {
    using namespace orv::script;
    std::vector<SourceSpan> spans;
    const std::vector<ScriptLine> lines = readScriptLines(text, &spans);
    if (spans.size() != lines.size()) return "one span per line expected";

    std::string pieces;
    std::vector<int> commands;
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i) + " \"" + quoteForReport(lines[i].text) + "\": ";
        if (spans[i].begin != at || spans[i].length == 0) return where + "lines do not cover the text in order";
        at += spans[i].length;
        const std::string_view source = text.substr(spans[i].begin, spans[i].length);
        const int command = commandOfLine(lines[i].text);
        if (command == 0 || !payloadFits(command, lines[i].payload)) return where + "label and payload disagree";
        if (i > 0 && command == cmd::Text && commands.back() == cmd::Text) return where + "two text lines in a row";
        if (lines[i].openEnd && i + 1 != lines.size()) return where + "only the last line can run to the end";
        commands.push_back(command);
        const std::string written = scriptTextOf({lines[i]});
        pieces += written;

        if (command == cmd::Text) {
            if (written != source) return where + "a text run changed";
            continue;
        }
        // The written form alone reads back as one line of the same command and meaning.
        const std::vector<ScriptLine> again = readScriptLines(written);
        if (again.size() != 1 || commandOfLine(again[0].text) != command || scriptTextOf(again) != written) {
            return where + "written form \"" + quoteForReport(written) + "\" does not read back as the same line";
        }
        if (hasNewerShape(command)) continue;
        // Otherwise only number fields and separators may be rewritten, in place.
        bool same = written.size() == source.size();
        for (std::size_t k = 0; same && k < source.size(); ++k) {
            same = written[k] == source[k] ||
                   std::string_view("0123456789-.,:").find(written[k]) != std::string_view::npos;
        }
        if (!same)
            return where + "\"" + quoteForReport(source) + "\" was written as \"" + quoteForReport(written) + "\"";
    }
    if (at != text.size()) return "lines do not cover the whole text";
    const std::string saved = scriptTextOf(lines);
    if (saved != pieces) return "the saved text is not the lines' written forms in order";

    // Saving what was saved changes nothing more, and reads as the same commands.
    const std::vector<ScriptLine> reread = readScriptLines(saved);
    std::vector<int> rereadCommands;
    for (const ScriptLine& line : reread) rereadCommands.push_back(commandOfLine(line.text));
    const std::string savedAgain = scriptTextOf(reread);
    if (savedAgain != saved) {
        return "saving twice differs: \"" + quoteForReport(saved) + "\" then \"" + quoteForReport(savedAgain) + "\"";
    }
    if (rereadCommands != commands) return "the saved text reads as other commands: \"" + quoteForReport(saved) + "\"";
    return {};
}

}  // namespace orv::test
