// The macro list as the window shows it, on the benchmarks' 500-macro file: refill and sort the
// rows, reload the grid's model and repaint the visible part of the grid (the budget is 5 ms).
// Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_macro_file.h"
#include "gui/macro_grid.h"
#include "mainwin/macro_list.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"

namespace {

using namespace orv;

void BM_FillSortRepaint(benchmark::State& state) {
    TActivationTable table;
    TAppSettings settings;
    std::string dir = (std::filesystem::temp_directory_path() / "orv-grid-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    settings.CurrentFile = dir + "/BENCH.ORV";
    {
        fake::FakeHookLibrary hook;
        fake::FakeUserPrompt prompt;
        fake::FakeClock clock;
        MacroStore store(table, settings, hook, prompt, clock, "");
        if (!store.LoadMacroFile(settings.CurrentFile) || !bench::writeBenchMacros(store, table, kMaxMacros))
            std::abort();
    }
    std::filesystem::remove_all(dir);
    MacroList list;
    gui::MacroGridModel model(list, table, settings);
    gui::MacroGridView view(list, model, settings);
    view.resize(760, 520);
    QPixmap canvas(view.size());
    for (auto _ : state) {
        list.FillList(table, settings);
        model.reload();
        view.showSelection();
        view.render(&canvas);
    }
    state.SetLabel(std::to_string(list.rowCount()) + " macros, " + std::to_string(view.width()) + "x" +
                   std::to_string(view.height()) + " grid");
}
BENCHMARK(BM_FillSortRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
