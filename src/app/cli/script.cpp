// orvanta-cli script: the Scripting Editor's lines of a macro, or the text that saving them
// writes back.
#include <iostream>
#include <optional>
#include <string>

#include "app/cli/commands.h"
#include "editors/script_editor.h"
#include "engine/ansi_upper.h"
#include "platform/cp1252.h"
#include "store/macro_file.h"

namespace orv::cli {
namespace {

constexpr const char* kUsage =
    "Usage: orvanta-cli script (--text TEXT | --file FILE --macro NICKNAME) [--save]\n"
    "\n"
    "Prints the Scripting Editor's lines for a macro text, one line each, indented as the\n"
    "editor indents them. TEXT is taken as UTF-8 and converted to Windows-1252; NICKNAME is\n"
    "compared with the nicknames of FILE without regard to case. Control characters in a\n"
    "line are shown as the Unicode control pictures (U+2400..U+2421).\n"
    "\n"
    "  --save   print instead the macro text that saving those lines writes back, exactly\n"
    "           (UTF-8, no line feed added); the size-limit message goes to standard error.\n";

// Message boxes of the save become lines on standard error.
class StderrPrompt final : public IUserPrompt {
public:
    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons) override {
        std::cerr << "orvanta-cli: " << cp1252ToUtf8(title) << ": " << cp1252ToUtf8(text) << '\n';
        return PromptAnswer::Ok;
    }
};

// A display line as UTF-8 on one output line: control characters become their pictures.
std::string printable(const std::string& line) {
    std::string out;
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            const char32_t picture = byte == 0x7F ? 0x2421 : 0x2400 + byte;
            out += static_cast<char>(0xE0 | (picture >> 12));
            out += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (picture & 0x3F));
        } else {
            out += cp1252ToUtf8(std::string_view(&c, 1));
        }
    }
    return out;
}

// The working text of the macro `nickname` (compared without regard to case) of the macro file
// `file`; the error when there is none.
std::optional<std::string> workingTextFromFile(const std::string& file, const std::string& nickname,
                                               std::string& working) {
    const MacroFileContents contents = readMacroFile(file);
    if (contents.status == MacroFileContents::Status::Missing) return "no such macro file: " + file;
    if (contents.status == MacroFileContents::Status::Unreadable) return "cannot read " + file + ": " + contents.error;
    const std::string wanted = ansiUpper(utf8ToCp1252(nickname));
    for (const TMacroRecord& record : contents.records) {
        if (ansiUpper(record.NickName) != wanted) continue;
        if (record.isPopupMenu()) return "macro \"" + nickname + "\" is a popup menu and has no macro text";
        working = script::ScriptModel::workingTextOf(record);
        return std::nullopt;
    }
    return "no macro \"" + nickname + "\" in " + file;
}

}  // namespace

int cmdScript(const Args& args) {
    std::optional<std::string> text;
    std::optional<std::string> file;
    std::optional<std::string> nickname;
    bool save = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (a == "--save") {
            save = true;
        } else if (a == "--text") {
            if (!value(text)) return fail("--text needs a macro text");
        } else if (a == "--file") {
            if (!value(file)) return fail("--file needs a macro file");
        } else if (a == "--macro") {
            if (!value(nickname)) return fail("--macro needs a nickname");
        } else {
            return fail("script: unknown argument \"" + a + "\" (try script --help)");
        }
    }
    if (text.has_value() == (file.has_value() || nickname.has_value())) {
        return fail("script: give either --text TEXT or --file FILE --macro NICKNAME (try script --help)");
    }

    std::string working;
    if (text) {
        working = utf8ToCp1252(*text);
    } else {
        if (!file || !nickname) return fail("script: --file and --macro go together");
        if (const std::optional<std::string> error = workingTextFromFile(*file, *nickname, working)) {
            return fail(*error);
        }
    }

    StderrPrompt prompt;
    script::ScriptModel model(prompt);
    model.BuildTheScript(working);
    if (save) {
        std::cout << cp1252ToUtf8(model.SaveIt());
        return 0;
    }
    model.SetIndents();
    for (const script::ScriptLine& line : model.lines()) std::cout << printable(line.text) << '\n';
    return 0;
}

}  // namespace orv::cli
