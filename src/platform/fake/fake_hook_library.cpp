#include "platform/fake/fake_hook_library.h"

#include <algorithm>
#include <string>

namespace orv::fake {

HookHandle FakeHookLibrary::hook(const char* name) {
    const HookHandle handle = nextHandle_++;
    hooks_.push_back(handle);
    record(std::string(name) + " -> " + std::to_string(handle));
    return handle;
}

bool FakeHookLibrary::OrvUnHook(HookHandle handle) {
    const auto it = std::find(hooks_.begin(), hooks_.end(), handle);
    const bool found = it != hooks_.end();
    if (found) hooks_.erase(it);
    record("OrvUnHook " + std::to_string(handle) + (found ? "" : " (not installed)"));
    return found;
}

void FakeHookLibrary::OrvUpItem(const TActivationTable& t, int j) { update("OrvUpItem", t, TableGroup::Item, j); }

void FakeHookLibrary::update(const char* name, const TActivationTable& from, TableGroup group, int j) {
    copy_.copyGroup(from, group, j);
    record(group == TableGroup::Item ? std::string(name) + " " + std::to_string(j) : std::string(name));
}

void FakeHookLibrary::OrvGetIdle(TActivationTable& t) {
    t.setIdleSeconds(idleSeconds_);
    record("OrvGetIdle -> " + std::to_string(idleSeconds_));
}

void FakeHookLibrary::post(HookMsg msg, std::int64_t wParam, std::int64_t lParam) {
    if (sink_ == nullptr) return;
    HookMessage message;
    message.msg = msg;
    message.wParam = wParam;
    message.lParam = lParam;
    const bool toPicker = msg == HookMsg::PickerHotKey;
    message.window = toPicker ? copy_.PickerWindow() : copy_.MainWindow();
    sink_->postHookMessage(message);
}

}  // namespace orv::fake
