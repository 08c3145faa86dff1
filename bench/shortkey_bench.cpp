// The cost of one typed character with 500 ShortKey macros: the hook library reports every
// character, and in prefix mode each one is matched against all ShortKeys at once. One benchmark
// iteration is one character. The peer is the plain loop over every macro that builds and
// searches each pattern in turn.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "activation/hotkey_dispatch.h"
#include "activation/shortkeys.h"
#include "engine/ansi_upper.h"
#include "engine/window_control.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_process_list.h"
#include "platform/fake/fake_user_prompt.h"
#include "platform/fake/fake_window_system.h"
#include "store/macro_store.h"

namespace {

using namespace orv;

class IdleHost final : public IDispatchHost {
public:
    bool popupMenuShowing() const override { return false; }
    bool macroPaused() const override { return false; }
    int pausedMacro() const override { return 0; }
    void resumePause() override {}
    bool sharedFileChanged() override { return false; }
    void reloadSharedFile() override {}
    void ActivateMe() override {}
    void StartACapture() override {}
    void showTopWindowMenu() override {}
    int showPopupMenu(const TMacroRecord&) override { return -1; }
    void IntoProgram(const TMacroRecord&, bool, std::int32_t) override {}
    void startClearTimer() override {}
};

// 500 ShortKey macros of 4 to 10 characters: letters ending in a digit, so that the typed
// letters walk deep into the patterns without completing one (a completed match would run).
struct Desk {
    Desk()
        : store(table, settings, hook, prompt, clock, "/nonexistent"),
          control(windows, processes),
          shortKeys({table, settings, store, hook, prompt, control, keyboard, pump, host}) {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> letter('a', 'z');
        std::uniform_int_distribution<int> digit('0', '9');
        std::uniform_int_distribution<int> length(3, 9);
        table.setMacroCount(kMaxMacros);
        for (int j = 1; j <= kMaxMacros; ++j) {
            std::string text;
            for (int k = length(rng); k > 0; --k) text.push_back(static_cast<char>(letter(rng)));
            text.push_back(static_cast<char>(digit(rng)));
            settings.ShortKeyText[static_cast<std::size_t>(j - 1)] = text;
            table.setActive(j, true);
            table.setHotKeyCode(j, kCodeShortKey);
            table.setScope(j, kScopeGlobal);
        }
        table.setHaveShortKeys(true);
        settings.CurrentFile = "/nonexistent/m.ORV";
        // Typed words of 3 to 9 letters, each ended by a blank.
        for (int word = 0; word < 1000; ++word) {
            for (int k = length(rng); k > 0; --k) typed.push_back(static_cast<char>(letter(rng)));
            typed.push_back(' ');
        }
    }

    void configure(bool suffix, bool solitary, bool caseSensitive, const std::string& prefix) {
        settings.UseSuffix = suffix;
        settings.SolitaryUsage = solitary;
        settings.CaseSensitive = caseSensitive;
        settings.PrefixKeys = prefix;
        shortKeys.macrosChanged();
    }

    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    fake::FakeWindowSystem windows;
    fake::FakeProcessList processes;
    fake::FakeKeyboardInput keyboard;
    fake::FakeMessagePump pump;
    IdleHost host;
    MacroStore store;
    WindowControl control;
    ShortKeys shortKeys;
    std::string typed;
};

void typeChars(benchmark::State& state, bool suffix, bool solitary, bool caseSensitive, const std::string& prefix) {
    Desk desk;
    desk.configure(suffix, solitary, caseSensitive, prefix);
    std::size_t k = 0;
    for (auto _ : state) {
        desk.shortKeys.handleTyping(0, static_cast<unsigned char>(desk.typed[k]));
        if (++k == desk.typed.size()) k = 0;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    if (!desk.keyboard.transcript().lines().empty()) state.SkipWithError("a ShortKey ran");
}

void BM_PrefixModeContains(benchmark::State& state) { typeChars(state, false, false, true, ""); }
void BM_PrefixModeContainsCaseInsensitive(benchmark::State& state) { typeChars(state, false, false, false, ""); }
void BM_PrefixModeSolitary(benchmark::State& state) { typeChars(state, false, true, true, ""); }
void BM_SuffixMode(benchmark::State& state) { typeChars(state, true, false, false, ""); }

// The peer: per character, every active ShortKey's pattern built and searched in the buffer.
void BM_LinearScanPeer(benchmark::State& state) {
    Desk desk;
    std::string buffer;
    std::size_t k = 0;
    int found = 0;
    for (auto _ : state) {
        const char c = desk.typed[k];
        if (++k == desk.typed.size()) k = 0;
        if (!isShortKeyWordChar(c)) {
            buffer.clear();
            continue;
        }
        buffer.push_back(c);
        if (buffer.size() > kShortKeyChars) buffer.erase(0, buffer.size() - kShortKeyChars);
        const std::string subject = ansiUpper(buffer);
        for (int j = 1; j <= desk.table.MacroCount(); ++j) {
            if (!desk.table.Active(j) || desk.table.HotKeyCode(j) != kCodeShortKey) continue;
            if (subject.find(ansiUpper(desk.settings.shortKeyText(j))) != std::string::npos) ++found;
        }
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

BENCHMARK(BM_PrefixModeContains);
BENCHMARK(BM_PrefixModeContainsCaseInsensitive);
BENCHMARK(BM_PrefixModeSolitary);
BENCHMARK(BM_SuffixMode);
BENCHMARK(BM_LinearScanPeer);

}  // namespace

BENCHMARK_MAIN();
