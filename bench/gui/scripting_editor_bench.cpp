// Opening the Scripting Editor on a full macro of short commands: 5000 characters read into
// about 900 script lines, the window built, laid out and painted once (the budget is 100 ms).
// Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <string>

#include "editors/direct_editor.h"
#include "gui/forms/scripting_editor.h"
#include "platform/fake/fake_clock.h"

namespace {

using namespace orv;

// Short commands and runs of text in turn, cut to the stored limit of 5000 characters.
std::string shortCommandMacro() {
    static const char* const kPieces[] = {"a",       "<BEEP>", "<I>",    "b",        "<LCLK>",   "<II>",      "c",
                                          "<CLIPC>", "<MMC>",  "d<TAB>", "<CDPLAY>", "<ENDREP>", "<MSD:0100>"};
    std::string text;
    for (std::size_t i = 0; text.size() < 5000; ++i) text += kPieces[i % std::size(kPieces)];
    text.resize(5000);
    return text;
}

void BM_OpenScriptingEditor(benchmark::State& state) {
    fake::FakeClock clock;
    TAppSettings settings;
    gui::EditorContext context;
    context.env.settings = &settings;
    context.env.clock = &clock;
    TMacroRecord buffer;
    buffer.Scope = kScopeGlobal;
    buffer.MacroText = shortCommandMacro();
    std::size_t lines = 0;
    for (auto _ : state) {
        editors::DirectEditorModel model(buffer, {true, editors::EditorKind::HotKey, false, "Ctrl+H"}, clock.now(), "");
        gui::TDoScripting editor(model, context);
        editor.show();
        QPixmap canvas(editor.size());
        editor.render(&canvas);
        lines = editor.script().lines().size();
    }
    state.SetLabel(std::to_string(buffer.MacroText.size()) + " characters, " + std::to_string(lines) + " lines");
}
BENCHMARK(BM_OpenScriptingEditor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
