// Writes the macro file of the resident benchmark through the store, and optionally the same
// phrases as the peer program's configuration:
//   orv_bench_macro_file <path> <macros> [--peer <config home>]
// A global Ctrl+Alt+N hotkey that types "hello", Ctrl+Alt+L that types a 500-character phrase
// with five characters outside the layout, a ShortKey "qq" replaced by "replaced", and fillers
// up to <macros> records in all: ShortKeys "zk<n>" and macros run by name, each with some text.
// With --peer, <config home>/autokey holds the same phrases (hotkeys, abbreviations typed at
// once with backspaces, fillers without a trigger) in the peer's folder format. The last record
// is a popup menu of the first 36 phrases on Ctrl+Alt+M (not given to the peer). Prints the
// number of records the macro file holds.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench_macro_file.h"
#include "bench_phrases.h"
#include "platform/cp1252.h"

namespace {

using namespace orv;

// One phrase as both programs get it: the macro, and what it types (UTF-8).
struct Phrase {
    bench::BenchMacro macro;
    std::string typed;
};

// What a filler types: its tags as the player expands them (the date as the peer's fixed text).
std::string typedText(std::string text) {
    for (const auto& [tag, typed] : {std::pair<std::string, std::string>{"<ENTER>", "\n"}, {"<DATE>", "12/10/2026"}}) {
        for (std::size_t at; (at = text.find(tag)) != std::string::npos;) text.replace(at, tag.size(), typed);
    }
    return text;
}

std::vector<Phrase> phrases(int count) {
    // (The three measured phrases come first, whatever the count.)
    using namespace orv::bench;
    std::vector<Phrase> out = {
        {{"Bench hotkey", kHotkeyCode, kHotkeyText, ""}, kHotkeyText},
        {{"Bench phrase", kPhraseCode, longPhrase(), ""}, cp1252ToUtf8(longPhrase())},
        {{"Bench ShortKey", kCodeShortKey, kShortKeyText, kShortKey}, kShortKeyText},
    };
    for (int n = 0; static_cast<int>(out.size()) < count; ++n) {
        BenchMacro filler = fillerMacro(n);
        std::string typed = typedText(filler.text);
        out.push_back({std::move(filler), std::move(typed)});
    }
    return out;
}

// Writes the phrases after the records a new file starts with (the system macros), as many as
// make `wanted` records in all; the phrases written, or nothing when writing failed.
std::optional<std::vector<Phrase>> writeMacroFile(const std::string& path, int wanted) {
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    settings.CurrentFile = path;
    MacroStore store(table, settings, hook, prompt, clock, "");
    if (!store.LoadMacroFile(path)) return std::nullopt;
    // The last record is the popup menu.
    const std::vector<Phrase> all = phrases(wanted - table.MacroCount() - 1);
    const int firstPhrase = table.MacroCount() + 1;
    for (const Phrase& p : all)
        if (!bench::writeBenchMacro(store, table, p.macro)) return std::nullopt;
    TMacroRecord menu;
    menu.NickName = "Bench menu";
    menu.HotKeyCode = static_cast<std::int16_t>(orv::bench::kMenuCode);
    menu.Scope = static_cast<std::int16_t>(kScopePopupMenu);
    menu.ShortKeyText = "N30";
    menu.Active = 1;
    menu.IconName = "MENU";
    for (int j = firstPhrase; j < firstPhrase + orv::bench::kMenuEntries && j <= table.MacroCount(); ++j)
        menu.MenuItems.push_back(static_cast<std::int16_t>(j));
    table.setMacroCount(table.MacroCount() + 1);
    if (!store.WriteMacroRecord(-1, menu)) return std::nullopt;
    return all;
}

std::string json(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The peer's description of one phrase.
std::string peerPhrase(const bench::BenchMacro& p) {
    const bool hotkey = p.code >= 0 && p.code < 721;
    const bool abbreviation = p.code == kCodeShortKey;
    const std::string key(1, static_cast<char>('a' + (p.code - orv::bench::kCtrlAlt)));
    return std::string("{\"type\": \"phrase\", \"description\": ") + json(p.name) + ", \"modes\": [" +
           (hotkey         ? "3"
            : abbreviation ? "1"
                           : "") +
           "], \"usageCount\": 0, \"prompt\": false, \"omitTrigger\": false, \"matchCase\": false, "
           "\"showInTrayMenu\": false, \"abbreviation\": {\"abbreviations\": [" +
           (abbreviation ? json(p.shortKey) : "") +
           "], \"backspace\": true, \"ignoreCase\": false, \"immediate\": true, \"triggerInside\": false, "
           "\"wordChars\": \"[\\\\w]\"}, \"hotkey\": {\"modifiers\": " +
           (hotkey ? "[\"<alt>\", \"<ctrl>\"], \"hotKey\": " + json(key) : "[], \"hotKey\": null") +
           "}, \"filter\": {\"regex\": null, \"isRecursive\": false}, \"sendMode\": \"kb\"}\n";
}

bool writePeer(const std::filesystem::path& configHome, const std::vector<Phrase>& all) {
    const auto dir = configHome / "autokey";
    const auto folder = dir / "data" / "Bench";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::ofstream(dir / "autokey.json")
        << "{\"version\": \"0.95.10\", \"userCodeDir\": " << json(dir.string())
        << ", \"settings\": {\"isFirstRun\": false, \"showTrayIcon\": false, \"serviceRunning\": true, "
           "\"promptToSave\": false}, \"folders\": [], "
           "\"toggleServiceHotkey\": {\"enabled\": false, \"modifiers\": [\"<shift>\", \"<super>\"], \"hotKey\": "
           "\"k\"}, "
           "\"configHotkey\": {\"enabled\": false, \"modifiers\": [\"<super>\"], \"hotKey\": \"k\"}}\n";
    std::ofstream(folder / ".folder.json")
        << "{\"type\": \"folder\", \"title\": \"Bench\", \"modes\": [], \"usageCount\": 0, \"showInTrayMenu\": false, "
           "\"abbreviation\": {\"abbreviations\": [], \"backspace\": true, \"ignoreCase\": false, \"immediate\": "
           "false, "
           "\"triggerInside\": false, \"wordChars\": \"[\\\\w]\"}, \"hotkey\": {\"modifiers\": [], \"hotKey\": null}, "
           "\"filter\": {\"regex\": null, \"isRecursive\": false}}\n";
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string base = "p" + std::to_string(i);
        std::ofstream(folder / (base + ".txt"), std::ios::binary) << all[i].typed;
        std::ofstream(folder / ("." + base + ".json")) << peerPhrase(all[i].macro);
    }
    return std::filesystem::exists(folder / ("p" + std::to_string(all.size() - 1) + ".txt"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--peer")) {
        std::fprintf(stderr, "usage: %s <path> <macros> [--peer <config home>]\n", argv[0]);
        return 2;
    }
    const int wanted = std::atoi(argv[2]);
    const std::optional<std::vector<Phrase>> all = writeMacroFile(argv[1], wanted);
    if (!all) {
        std::fprintf(stderr, "writing %s failed\n", argv[1]);
        return 1;
    }
    if (argc == 5 && !writePeer(argv[4], *all)) {
        std::fprintf(stderr, "writing the peer's configuration into %s failed\n", argv[4]);
        return 1;
    }
    std::printf("%d\n", wanted);
    return 0;
}
