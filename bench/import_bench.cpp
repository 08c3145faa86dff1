// Importing a ".BV2" file of 500 macros into a new macro file (its four system macros leave room
// for 496): list the file, pick every macro, pass the checks and append them in one replace of
// the file (the budget is 50 ms).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../tests/transfer/foreign_fixtures.h"
#include "activation/open_macro_file.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"
#include "store/shared_file_lock.h"
#include "transfer/import_model.h"

namespace {

using namespace orv;

struct NoLockHost final : ISharedFileHost {
    void reloadSharedMacroFile() override {}
    void setHeartbeatTimer(bool) override {}
    void setSyncTimer(bool) override {}
};

std::string bv2File(const std::string& dir) {
    test::Bv2Fixture f;
    f.code = kCodeNone;
    f.text = "Dear customer,<ENTER>thank you for your message of <DATE>. We will answer within two working days.";
    std::string bytes;
    for (int i = 0; i < kMaxMacros; ++i) {
        f.nick = "Imported " + std::to_string(i);
        bytes += f.bytes();
    }
    const std::string path = dir + "/FIVE.BV2";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

void BM_ImportBv2(benchmark::State& state) {
    std::string dir = (std::filesystem::temp_directory_path() / "orv-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
    const std::string source = bv2File(dir);
    TActivationTable table;
    TAppSettings settings;
    settings.CurrentFile = dir + "/TARGET.ORV";
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store(table, settings, hook, prompt, clock, "");
    NoLockHost lockHost;
    SharedFileLock lock{settings, clock, prompt, lockHost};
    OpenMacroFile file{table, store, lock};
    std::size_t imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(settings.CurrentFile);
        if (!store.LoadMacroFile(settings.CurrentFile)) std::abort();
        state.ResumeTiming();
        ImportModel model;
        if (!model.OpenFile(source, prompt, 1.0)) std::abort();
        model.pickAll();
        prompt.queueAnswer(PromptAnswer::Ok);   // the capacity warning
        prompt.queueAnswer(PromptAnswer::Yes);  // import what fits
        const auto plan = importMacros(file, [&] { return model.Ok(table, prompt); });
        if (!plan) std::abort();
        imported = plan->records.size();
    }
    state.SetLabel(std::to_string(kMaxMacros) + " records listed, " + std::to_string(imported) + " appended");
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ImportBv2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
