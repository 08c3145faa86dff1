// libFuzzer target: any bytes read as macro text give script lines that save back to the same
// text, apart from the defined rewrites of the written form (see the property's header), and
// the editor's indentation and saving survive whatever the lines hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../tests/editors/script_roundtrip_property.h"
#include "editors/script_editor.h"
#include "platform/fake/fake_user_prompt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string broken = orv::test::checkScriptRoundTrip(text);
    if (!broken.empty()) {
        std::fprintf(stderr, "script round trip broken: %s\n", broken.c_str());
        std::abort();
    }

    orv::fake::FakeUserPrompt prompt;
    orv::script::ScriptModel model(prompt);
    model.BuildTheScript(text);
    model.SetIndents();
    const std::string saved = model.SaveIt();
    if (saved.size() > orv::kMaxMacroText ||
        (model.scriptText().size() > orv::kMaxMacroText) != !prompt.shown().empty()) {
        std::fprintf(stderr, "size limit not applied as it should be\n");
        std::abort();
    }
    return 0;
}
