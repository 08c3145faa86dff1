#pragma once

#include <vector>

#include "platform/fake/transcript.h"
#include "platform/hook_library.h"

namespace orv::fake {

// The hook library as a recorder. It keeps its own copy of the activation table, updated field
// group by field group exactly as each update call asks, records every call as a transcript line
// (`OrvUpItem 5`, `OrvHookKeyboard -> 101`) and lets tests post the library's messages.
class FakeHookLibrary final : public IHookLibrary, public Recorder {
public:
    using Recorder::Recorder;

    HookHandle OrvHookKeyboard() override { return hook("OrvHookKeyboard"); }
    HookHandle OrvHookMouse() override { return hook("OrvHookMouse"); }
    HookHandle OrvHookCBT() override { return hook("OrvHookCBT"); }
    HookHandle OrvHookSwap() override { return hook("OrvHookSwap"); }
    bool OrvUnHook(HookHandle handle) override;

    void OrvUpInit(const TActivationTable& t) override { update("OrvUpInit", t, TableGroup::Init); }
    void OrvUpKeys(const TActivationTable& t) override { update("OrvUpKeys", t, TableGroup::Keys); }
    void OrvUpItem(const TActivationTable& t, int j) override;
    void OrvUpNumKeys(const TActivationTable& t) override { update("OrvUpNumKeys", t, TableGroup::NumKeys); }
    void OrvUpWindow(const TActivationTable& t) override { update("OrvUpWindow", t, TableGroup::Window); }
    void OrvUpWindow2(const TActivationTable& t) override { update("OrvUpWindow2", t, TableGroup::Window2); }
    void OrvUpCapture(const TActivationTable& t) override { update("OrvUpCapture", t, TableGroup::Capture); }
    void OrvUpCaptureOn(const TActivationTable& t) override { update("OrvUpCaptureOn", t, TableGroup::CaptureOn); }
    void OrvUpInUse(const TActivationTable& t) override { update("OrvUpInUse", t, TableGroup::InUse); }
    void OrvUpProg(const TActivationTable& t) override { update("OrvUpProg", t, TableGroup::Prog); }
    void OrvUpProgs(const TActivationTable& t) override { update("OrvUpProgs", t, TableGroup::Progs); }
    void OrvUpWaits(const TActivationTable& t) override { update("OrvUpWaits", t, TableGroup::Waits); }
    void OrvUpIdle(const TActivationTable& t) override { update("OrvUpIdle", t, TableGroup::Idle); }
    void OrvUpKeyHook(const TActivationTable& t) override { update("OrvUpKeyHook", t, TableGroup::KeyHook); }
    void OrvUpMouseHook(const TActivationTable& t) override { update("OrvUpMouseHook", t, TableGroup::MouseHook); }
    void OrvGetIdle(TActivationTable& t) override;

    // The library's own copy, as the update calls left it.
    const TActivationTable& libraryTable() const { return copy_; }
    // Handles of the hooks currently installed.
    const std::vector<HookHandle>& installedHooks() const { return hooks_; }

    // What OrvGetIdle reports next.
    void setIdleSeconds(std::int32_t seconds) { idleSeconds_ = seconds; }

    // Posts a message as the library would, to the sink (when one is set).
    void setSink(IHookMessageSink* sink) { sink_ = sink; }
    void post(HookMsg msg, std::int64_t wParam = 0, std::int64_t lParam = 0);

private:
    HookHandle hook(const char* name);
    void update(const char* name, const TActivationTable& from, TableGroup group, int j = 0);

    TActivationTable copy_;
    std::vector<HookHandle> hooks_;
    HookHandle nextHandle_ = 101;
    std::int32_t idleSeconds_ = 0;
    IHookMessageSink* sink_ = nullptr;
};

// A sink that keeps the posted messages for a test to read.
class RecordingMessageSink final : public IHookMessageSink {
public:
    void postHookMessage(const HookMessage& message) override { messages.push_back(message); }
    std::vector<HookMessage> messages;
};

}  // namespace orv::fake
