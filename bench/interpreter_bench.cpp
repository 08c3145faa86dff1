// The interpreter's cost per character of macro text on the recording fakes: a 5000-character
// literal text, and a 5000-character text dense with tags.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/playback_engine.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_keyboard_input.h"
#include "platform/fake/fake_message_pump.h"
#include "platform/fake/fake_playback_windows.h"
#include "store/app_settings.h"

namespace {

using namespace orv;

constexpr std::size_t kLength = 5000;

std::string literalText() {
    const std::string sentence = "The quick brown fox jumps over the lazy dog, 1234567890 times!\r\n";
    std::string text;
    while (text.size() < kLength) text += sentence;
    text.resize(kLength);
    return text;
}

std::string taggedText() {
    // Keys, modifiers, Alt codes, counters, remarks, zero waits and dates: every tag is matched
    // through the command table.
    const std::string chunk =
        "<TAB><SHIFT>a<ENTER><CTRL><F5><ALT:065><I><REM:note><MSD:0000><KEYP7><LEFT ARROW><HOME>"
        "<SHFD>b<SHFU><MM/DD/YY{N}><hh:mm{Y}><SPKEY:0000><WAITPB><NOSUCH>";
    std::string text;
    while (text.size() < kLength) text += chunk;
    text.resize(kLength);
    return text;
}

void playText(benchmark::State& state, const std::string& text) {
    fake::Transcript trace;
    fake::FakeKeyboardInput keyboard{trace};
    fake::FakeClock clock{LocalTime{2024, 3, 5, 14, 5, 9, 0, 2}};
    fake::FakeMessagePump pump{trace, &clock};
    fake::FakePlaybackWindows windows{trace};
    fake::FakeClipboard clipboard{trace};
    TAppSettings* settings = new TAppSettings();
    PlaybackEngine engine(PlaybackServices{.keyboard = keyboard,
                                           .pump = pump,
                                           .windows = windows,
                                           .clock = clock,
                                           .settings = settings,
                                           .clipboard = &clipboard});
    std::size_t lines = 0;
    for (auto _ : state) {
        trace.clear();
        engine.play(text, false, 1);
        lines = trace.lines().size();
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["ns_per_char"] =
        benchmark::Counter(static_cast<double>(text.size()) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["trace_lines"] = static_cast<double>(lines);
    delete settings;
}

void BM_LiteralText(benchmark::State& state) { playText(state, literalText()); }
void BM_TagDenseText(benchmark::State& state) { playText(state, taggedText()); }

BENCHMARK(BM_LiteralText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TagDenseText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
