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
#include "bench_macro_file.h"
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
    const bool ok = bench::writeBenchMacros(store, table, wanted);
    if (!ok) {
        std::fprintf(stderr, "writing %s failed\n", path.c_str());
        return 1;
    }
    std::printf("%d\n", table.MacroCount());
    return 0;
}
