#pragma once

// The macro file of the benchmarks, written through the store: a global Ctrl+Alt+N hotkey that
// types "hello", a ShortKey "qq" replaced by "replaced", and fillers up to `wanted` records in
// all: ShortKeys "zk<n>" and macros run by name, each with some text. The store must have the
// file loaded (with its system macros). Returns false when a write failed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/activation_table.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"

namespace orv::bench {

inline bool writeBenchMacros(MacroStore& store, TActivationTable& table, int wanted) {
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
    return ok;
}

// The index of a file of `count` such macros, written in a private folder that is removed again.
inline void loadBenchIndex(TActivationTable& table, TAppSettings& settings, int count) {
    std::string dir = (std::filesystem::temp_directory_path() / "orv-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    settings.CurrentFile = dir + "/BENCH.ORV";
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store(table, settings, hook, prompt, clock, "");
    if (!store.LoadMacroFile(settings.CurrentFile) || !writeBenchMacros(store, table, count)) std::abort();
    std::filesystem::remove_all(dir);
}

}  // namespace orv::bench
