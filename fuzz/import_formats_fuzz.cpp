// Reads arbitrary bytes as an import file of each format and imports everything offered into an
// empty index: nothing may crash or read out of bounds, the source file must stay as it was, and
// every offered macro must fit a macro record.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/fake/fake_user_prompt.h"
#include "transfer/import_model.h"

namespace {

std::string tempFolder() {
    static std::string path = [] {
        std::string pattern = "/tmp/orvanta-import-fuzz-XXXXXX";
        return std::string(::mkdtemp(pattern.data()));
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    for (const char* name : {"/in.ORV", "/in.BV2", "/in.SHK"}) {
        const std::string path = tempFolder() + name;
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        }
        fake::FakeUserPrompt prompt;
        ImportModel model;
        if (!model.OpenFile(path, prompt, 1.0)) std::abort();
        for (const ImportEntry& entry : model.entries()) {
            const TMacroRecord& r = entry.record;
            if (r.MacroText.size() > kMaxMacroText || r.NickName.size() > TMacroRecord::kNickName ||
                r.WindowTitle.size() > TMacroRecord::kWindowTitle ||
                r.ShortKeyText.size() > TMacroRecord::kShortKeyText ||
                r.MenuItems.size() > static_cast<std::size_t>(kMaxPopupItems))
                std::abort();
        }
        model.pickAll();
        const TActivationTable empty;
        const std::optional<ImportPlan> plan = model.Ok(empty, prompt);
        if (plan && plan->records.size() > static_cast<std::size_t>(kMaxMacros)) std::abort();
        std::ifstream in(path, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (after.size() != size || (size != 0 && std::memcmp(after.data(), data, size) != 0)) std::abort();
    }
    return 0;
}
