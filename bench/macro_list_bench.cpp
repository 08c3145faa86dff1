// The macro list on the benchmarks' 500-macro file: filling and sorting the row map in each
// primary order (the budget with repainting is 5 ms), and finding a macro by typing (1 ms a key).
#include <benchmark/benchmark.h>

#include <string>

#include "bench_macro_file.h"
#include "mainwin/macro_list.h"

namespace {

using namespace orv;

// The index of the 500-macro file.
struct BenchIndex {
    TActivationTable table;
    TAppSettings settings;
    BenchIndex() { bench::loadBenchIndex(table, settings, kMaxMacros); }
};

BenchIndex& index() {
    static BenchIndex x;
    return x;
}

void BM_FillAndSort(benchmark::State& state) {
    static const char* const kPrimary[] = {"123", "213", "321"};
    BenchIndex& x = index();
    x.settings.PrimarySort = kPrimary[state.range(0)];
    MacroList list;
    for (auto _ : state) {
        list.FillList(x.table, x.settings);
        benchmark::DoNotOptimize(list.rowMap().data());
    }
    state.SetLabel(std::string("primary ") + kPrimary[state.range(0)] + ", " + std::to_string(list.rowCount()) +
                   " macros");
}
BENCHMARK(BM_FillAndSort)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// One key of "ZK49" (the last matching row is found after scanning most of the list), then
// Backspace back to an empty search: each iteration is one key press.
void BM_TypeToFind(benchmark::State& state) {
    BenchIndex& x = index();
    x.settings.PrimarySort = "213";
    MacroList list;
    list.FillList(x.table, x.settings);
    const std::string keys = "zk49\b\b\b\b";
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.keyPress(keys[i]));
        i = (i + 1) % keys.size();
    }
}
BENCHMARK(BM_TypeToFind)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
