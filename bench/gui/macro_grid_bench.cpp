// The macro list as the window shows it, on the benchmarks' 500-macro file: refill and sort the
// rows, reload the grid's model and repaint the visible part of the grid (the budget is 5 ms).
// Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <string>

#include "bench_macro_file.h"
#include "gui/macro_grid.h"
#include "mainwin/macro_list.h"

namespace {

using namespace orv;

void BM_FillSortRepaint(benchmark::State& state) {
    TActivationTable table;
    TAppSettings settings;
    bench::loadBenchIndex(table, settings, kMaxMacros);
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
