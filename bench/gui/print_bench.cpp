// Printing the list of the benchmarks' 500-macro file to a PDF file, as "&Print Macro List" does
// with the PDF printer chosen: read every macro, measure the columns, lay out and draw the pages
// (the budget is 1 s). Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_macro_file.h"
#include "gui/print_list.h"

namespace {

using namespace orv;

void BM_PrintListToPdf(benchmark::State& state) {
    std::string dir = (std::filesystem::temp_directory_path() / "orv-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    TActivationTable table;
    TAppSettings settings;
    settings.CurrentFile = dir + "/BENCH.ORV";
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store(table, settings, hook, prompt, clock, "");
    if (!store.LoadMacroFile(settings.CurrentFile) || !bench::writeBenchMacros(store, table, kMaxMacros)) std::abort();
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir + "/list.pdf"));
        std::vector<PrintLine> lines;
        for (int j = 1; j <= table.MacroCount(); ++j) {
            TMacroRecord record;
            if (!store.ReadMacroRecord(j, record)) std::abort();
            lines.push_back(printLineOf(record));
        }
        pages = gui::printMacroList(printer, settings.CurrentFile, lines, settings.PrintListFont);
        if (pages == 0) std::abort();
    }
    state.SetLabel(std::to_string(table.MacroCount()) + " macros, " + std::to_string(pages) + " pages");
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PrintListToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
