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
#include <vector>

#include "bench_phrases.h"
#include "platform/cp1252.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"

namespace {

using namespace orv;

// One phrase as both programs get it.
struct Phrase {
    std::string name;
    int code = kCodeNone;   // hotkey code, kCodeShortKey or kCodeNone
    std::string macroText;  // Windows-1252, with tags
    std::string typed;      // UTF-8, what it types
    std::string shortKey;
};

std::vector<Phrase> phrases(int count) {
    // (The three measured phrases come first, whatever the count.)
    using namespace orv::bench;
    std::vector<Phrase> out = {
        {"Bench hotkey", kHotkeyCode, kHotkeyText, kHotkeyText, ""},
        {"Bench phrase", kPhraseCode, longPhrase(), cp1252ToUtf8(longPhrase()), ""},
        {"Bench ShortKey", kCodeShortKey, kShortKeyText, kShortKeyText, kShortKey},
    };
    const std::string head = "Dear customer,";
    const std::string tail = "thank you for your message of ";
    const std::string rest = ". We will answer within two working days.";
    for (int n = 0; static_cast<int>(out.size()) < count; ++n) {
        char name[32];
        const bool abbreviation = n % 2 == 0;
        std::snprintf(name, sizeof name, abbreviation ? "zk%03d" : "Letter %03d", n);
        Phrase p;
        p.name = abbreviation ? std::string("Abbreviation ") + name : name;
        p.code = abbreviation ? kCodeShortKey : kCodeNone;
        p.shortKey = abbreviation ? name : "";
        p.macroText = head + "<ENTER>" + tail + "<DATE>" + rest + "<ENTER>Kind regards " + name;
        p.typed = head + "\n" + tail + "12/10/2026" + rest + "\nKind regards " + name;
        out.push_back(std::move(p));
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
    for (const Phrase& p : all) {
        TMacroRecord r;
        r.NickName = p.name;
        r.HotKeyCode = static_cast<std::int16_t>(p.code);
        r.Scope = static_cast<std::int16_t>(kScopeGlobal);
        r.TopMostOnly = 1;
        r.ShortKeyText = p.shortKey;
        r.Active = 1;
        r.MacroText = p.macroText;
        r.IconName = "MAIN";
        table.setMacroCount(table.MacroCount() + 1);
        if (!store.WriteMacroRecord(-1, r)) return std::nullopt;
    }
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
std::string peerPhrase(const Phrase& p) {
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
        std::ofstream(folder / ("." + base + ".json")) << peerPhrase(all[i]);
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
