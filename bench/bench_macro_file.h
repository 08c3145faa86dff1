#pragma once

// The macro file of the benchmarks, written through the store: a global Ctrl+Alt+N hotkey that
// types "hello", a ShortKey "qq" replaced by "replaced", and fillers up to `wanted` records in
// all: ShortKeys "zk<n>" and macros run by name, each with some text. The store must have the
// file loaded (with its system macros).
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

// One macro of a benchmark file.
struct BenchMacro {
    std::string name;
    int code = kCodeNone;  // hotkey code, kCodeShortKey or kCodeNone
    std::string text;      // Windows-1252, with tags
    std::string shortKey;
};

// The n-th filler: every other one a ShortKey "zk<n>", the others run by name, each a short
// letter with tags.
inline BenchMacro fillerMacro(int n) {
    char name[32];
    const bool abbreviation = n % 2 == 0;
    std::snprintf(name, sizeof name, abbreviation ? "zk%03d" : "Letter %03d", n);
    BenchMacro m;
    m.name = abbreviation ? std::string("Abbreviation ") + name : name;
    m.code = abbreviation ? kCodeShortKey : kCodeNone;
    m.shortKey = abbreviation ? name : "";
    m.text = std::string(
                 "Dear customer,<ENTER>thank you for your message of <DATE>. We will answer within two working "
                 "days.<ENTER>Kind regards ") +
             name;
    return m;
}

// Appends the macro as a new global record; false when the write failed.
inline bool writeBenchMacro(MacroStore& store, TActivationTable& table, const BenchMacro& m) {
    TMacroRecord r;
    r.NickName = m.name;
    r.HotKeyCode = static_cast<std::int16_t>(m.code);
    r.Scope = static_cast<std::int16_t>(kScopeGlobal);
    r.TopMostOnly = 1;
    r.ShortKeyText = m.shortKey;
    r.Active = 1;
    r.MacroText = m.text;
    r.IconName = "MAIN";
    table.setMacroCount(table.MacroCount() + 1);
    return store.WriteMacroRecord(-1, r);
}

inline bool writeBenchMacros(MacroStore& store, TActivationTable& table, int wanted) {
    constexpr int kCtrlAltN = 144 + 13;
    bool ok = writeBenchMacro(store, table, {"Bench hotkey", kCtrlAltN, "hello", ""}) &&
              writeBenchMacro(store, table, {"Bench ShortKey", kCodeShortKey, "replaced", "qq"});
    for (int n = 0; ok && table.MacroCount() < wanted; ++n) ok = writeBenchMacro(store, table, fillerMacro(n));
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
