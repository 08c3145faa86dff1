// Writes the macro file of the resident benchmark through the store:
//   orv_bench_macro_file <path> <macros>
// A global Ctrl+Alt+N hotkey that types "hello", a ShortKey "qq" replaced by "replaced", and
// fillers up to <macros> records in all: ShortKeys "zk<n>" and macros run by name, each with
// some text. Prints the number of records the file holds.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"

int main(int argc, char** argv) {
    using namespace orv;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <path> <macros>\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    const int wanted = std::atoi(argv[2]);
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    settings.CurrentFile = path;
    MacroStore store(table, settings, hook, prompt, clock, "");
    if (!store.LoadMacroFile(path)) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        return 1;
    }
    auto add = [&](const std::string& nick, int code, const std::string& text, const std::string& shortKey = "") {
        TMacroRecord r;
        r.NickName = nick;
        r.HotKeyCode = static_cast<std::int16_t>(code);
        r.Scope = static_cast<std::int16_t>(kScopeGlobal);
        r.TopMostOnly = 1;
        r.ShortKeyText = shortKey;
        r.Active = 1;
        r.MacroText = text;
        r.IconName = "MAIN";
        table.setMacroCount(table.MacroCount() + 1);
        return store.WriteMacroRecord(-1, r);
    };
    constexpr int kCtrlAltN = 144 + 13;
    bool ok = add("Bench hotkey", kCtrlAltN, "hello") && add("Bench ShortKey", kCodeShortKey, "replaced", "qq");
    const std::string filler =
        "Dear customer,<ENTER>thank you for your message of <DATE>. We will answer within two working days."
        "<ENTER>Kind regards";
    for (int n = 0; ok && table.MacroCount() < wanted; ++n) {
        char name[32];
        if (n % 2 == 0) {
            std::snprintf(name, sizeof name, "zk%03d", n);
            ok = add(std::string("Abbreviation ") + name, kCodeShortKey, filler + " " + name, name);
        } else {
            std::snprintf(name, sizeof name, "Letter %03d", n);
            ok = add(name, kCodeNone, filler + " " + name);
        }
    }
    if (!ok) {
        std::fprintf(stderr, "writing %s failed\n", path.c_str());
        return 1;
    }
    std::printf("%d\n", table.MacroCount());
    return 0;
}
