// Every dialog model fed arbitrary field text: the first byte picks the dialog, the rest is
// split at NUL bytes into values for its fields in order. A check must never crash and an
// accepted command must fit in 255 characters (the text box excepted).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogs/dialog_registry.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialog_queries.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/app_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    const auto& registry = dialogs::dialogRegistry();
    if (size == 0) return 0;
    const dialogs::DialogInfo& info = registry[data[0] % registry.size()];
    auto model = info.make();
    fake::FakeDialogFiles files;
    fake::FakeDesktopQueries desktop;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    TAppSettings settings;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    files.addFile(rest.substr(0, rest.find('\0')));
    files.addFolder(rest.substr(0, rest.find('\0')));
    desktop.printerList = {rest.substr(0, 8)};
    dialogs::DialogEnv env{&files, &desktop, &prompt, &settings, &clock};
    model->show(env);
    std::size_t start = 0;
    for (const dialogs::FieldDef& f : model->fields()) {
        if (start > rest.size()) break;
        const std::size_t end = std::min(rest.find('\0', start), rest.size());
        const std::string value = rest.substr(start, end - start);
        if (f.kind == dialogs::FieldKind::Choice && !f.choices.empty()) {
            model->set(f.name, f.choices[value.size() % f.choices.size()]);
        } else {
            model->set(f.name, value);
        }
        start = end + 1;
    }
    const dialogs::Outcome o = model->check(env);
    if (o.accepted && info.name != "TDoTBox" && o.output.size() > dialogs::kMaxOutput) std::abort();
    if (!o.accepted && model->field(o.failure.field) == nullptr) std::abort();
    return 0;
}
