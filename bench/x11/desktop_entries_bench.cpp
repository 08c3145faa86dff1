// Reading the installed programs of a desktop with 500 application entries (the list the
// program dialogs show; read once per run). Target: well under 200 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/x11/desktop_entries.h"

namespace {

namespace fs = std::filesystem;

// 500 entries in a data folder, each with its own program in a bin folder; one in ten is hidden
// from the menu, as on a real desktop with helpers and settings panels.
struct Desktop {
    fs::path root;
    Desktop() {
        std::string pattern = (fs::temp_directory_path() / "orvanta-entries-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        fs::create_directories(root / "share/applications/sub");
        fs::create_directories(root / "bin");
        for (int i = 0; i < 500; ++i) {
            const std::string name = "program" + std::to_string(i);
            const fs::path program = root / "bin" / name;
            std::ofstream(program) << "#!/bin/sh\n";
            fs::permissions(program, fs::perms::owner_all);
            const fs::path file = root / "share/applications" / (i % 5 == 0 ? "sub/" : "") / (name + ".desktop");
            std::ofstream(file) << "[Desktop Entry]\nType=Application\nName=Program " << i << "\nName[de]=Programm "
                                << i << "\nComment=A program of the desktop\nIcon=" << name << "\nExec=" << name
                                << " %U\nCategories=Utility;\n"
                                << (i % 10 == 0 ? "NoDisplay=true\n" : "") << "\n[Desktop Action new]\nExec=" << name
                                << " --new\n";
        }
    }
    ~Desktop() { fs::remove_all(root); }
};

void BM_ReadApplicationEntries(benchmark::State& state) {
    const Desktop desktop;
    for (auto _ : state) {
        auto entries = orv::x11::readApplicationEntries({desktop.root / "share"}, {desktop.root / "bin"});
        if (entries.size() != 450) state.SkipWithError("wrong number of entries");
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(BM_ReadApplicationEntries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
