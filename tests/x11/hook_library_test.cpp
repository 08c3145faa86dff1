// The hook library on a real display: hotkeys, typed characters, window activation, the
// marker key, the abort key and idle time.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "platform/hotkey_codes.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_window_system.h"
#include "x11_test_support.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace orv::x11 {
namespace {

using namespace test;

constexpr std::int32_t kMainWindow = 4242;

class HookLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        app_ = std::make_unique<TargetApp>(std::vector<std::string>{"Hook Target One", "Hook Target Two"});
        first_ = app_->window(0);
        second_ = app_->window(1);
        ASSERT_NE(first_, 0u);
        ASSERT_NE(second_, 0u);
        windows_ = X11WindowSystem::create();
        ASSERT_TRUE(test::activate(*windows_, static_cast<WindowId>(first_)));
        hook_ = std::make_unique<X11HookLibrary>(sink_);
        ASSERT_TRUE(hook_->available());
        table_.setMainWindow(kMainWindow);
        hook_->OrvUpWindow(table_);
        ASSERT_NE(hook_->OrvHookKeyboard(), 0);
        ASSERT_NE(hook_->OrvHookMouse(), 0);
        ASSERT_NE(hook_->OrvHookCBT(), 0);
        ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
        xtest_ = XOpenDisplay(nullptr);
        // The program's own injection, as the engine sends it.
        own_ = X11KeyboardInput::create(hook_.get());
        ASSERT_TRUE(own_);
        sink_.clear();
    }
    void TearDown() override {
        own_.reset();
        if (xtest_ != nullptr) XCloseDisplay(xtest_);
    }

    // A key through XTest, as another program (an on-screen keyboard, xdotool) sends it.
    void xtestKey(unsigned long keysym, bool down) {
        XTestFakeKeyEvent(xtest_, XKeysymToKeycode(xtest_, keysym), down ? True : False, CurrentTime);
        XSync(xtest_, False);
    }
    void xtestChord(std::initializer_list<unsigned long> modifiers, unsigned long key) {
        for (unsigned long m : modifiers) xtestKey(m, true);
        xtestKey(key, true);
        xtestKey(key, false);
        for (unsigned long m : modifiers) xtestKey(m, false);
    }
    // A key as the program itself sends it (the engine's virtual keys).
    void ownKey(std::uint8_t vk) {
        own_->keyEvent(vk, 0, false);
        own_->keyEvent(vk, 0, true);
    }
    void ownChord(std::initializer_list<std::uint8_t> modifiers, std::uint8_t vk) {
        for (std::uint8_t m : modifiers) own_->keyEvent(m, 0, false);
        ownKey(vk);
        for (std::uint8_t m : modifiers) own_->keyEvent(m, 0, true);
    }
    // Everything the library saw before this has been handled once the program's marker key
    // comes back.
    void roundTrip() {
        const std::size_t before = sink_.messages().size();
        ownKey(43);
        ASSERT_EQ(sink_.waitFor(HookMsg::Marker, before).msg, HookMsg::Marker);
    }
    // Whether the target received a key whose keysym is `keysym`.
    bool appGotKey(unsigned long keysym) {
        app_->poll();
        const std::string needle = " " + std::to_string(keysym) + " ";
        for (const auto& line : app_->lines()) {
            if (line.rfind("key ", 0) == 0 && line.find(needle) != std::string::npos) return true;
        }
        return false;
    }
    void useHotKeys(std::initializer_list<int> codes) {
        for (int code : codes) table_.setHotKeyInUse(code, true);
        hook_->OrvUpKeys(table_);
        ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    }

    std::unique_ptr<TargetApp> app_;
    unsigned long first_ = 0, second_ = 0;
    std::unique_ptr<X11WindowSystem> windows_;
    WaitingSink sink_;
    std::unique_ptr<X11HookLibrary> hook_;
    TActivationTable table_;
    Display* xtest_ = nullptr;
    std::unique_ptr<X11KeyboardInput> own_;
};

int codeOf(std::int16_t vk, bool ctrl, bool alt, bool shift = false) {
    DecodedHotKey k;
    k.virtualKey = vk;
    k.ctrl = ctrl;
    k.alt = alt;
    k.shift = shift;
    return hotKeyCodeOf(k);
}

TEST_F(HookLibraryTest, HotKeyInUseIsReportedWithCapsLockAndForegroundAndNeverReachesTheApplication) {
    const int ctrlAltN = codeOf('N', true, true);
    ASSERT_GE(ctrlAltN, 0);
    ASSERT_FALSE(table_.HotKeyInUse(codeOf('M', true, true)));
    useHotKeys({ctrlAltN});
    EXPECT_TRUE(hook_->refusedHotKeys().empty());

    for (bool caps : {false, true}) {
        SCOPED_TRACE(caps ? "Caps Lock on" : "Caps Lock off");
        if (caps) xtestChord({}, XK_Caps_Lock);
        sink_.clear();
        const WindowId foreground = windows_->foregroundWindow();
        ASSERT_TRUE(foreground == first_ || foreground == second_);
        xtestChord({XK_Control_L, XK_Alt_L}, XK_n);
        const HookMessage m = sink_.waitFor(HookMsg::HotKey);
        EXPECT_EQ(m.wParam, ctrlAltN | (caps ? kHotKeyCapsFlag : 0));
        EXPECT_EQ(m.lParam, static_cast<std::int64_t>(foreground));
        EXPECT_EQ(m.window, kMainWindow);
        if (caps) xtestChord({}, XK_Caps_Lock);
    }
    // A combination not in use goes to the application; the one in use never did.
    xtestChord({XK_Control_L, XK_Alt_L}, XK_m);
    EXPECT_NE(app_->waitForLine(
                  [](const std::string& l) { return l.find(" " + std::to_string(XK_m) + " ") != std::string::npos; }),
              "");
    EXPECT_FALSE(appGotKey(XK_n));

    // With the picker active the code goes to the picker window instead.
    table_.setPicker(99, true);
    hook_->OrvUpWindow2(table_);
    ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    sink_.clear();
    xtestChord({XK_Control_L, XK_Alt_L}, XK_n);
    const HookMessage picked = sink_.waitFor(HookMsg::PickerHotKey);
    EXPECT_EQ(picked.wParam, ctrlAltN);
    EXPECT_EQ(picked.window, 99);
}

TEST_F(HookLibraryTest, GrabsFollowTheHotKeysInUse) {
    const int ctrlAltN = codeOf('N', true, true);
    useHotKeys({ctrlAltN});
    table_.setHotKeyInUse(ctrlAltN, false);
    hook_->OrvUpKeys(table_);
    ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    xtestChord({XK_Control_L, XK_Alt_L}, XK_n);
    EXPECT_NE(app_->waitForLine(
                  [](const std::string& l) { return l.find(" " + std::to_string(XK_n) + " ") != std::string::npos; }),
              "");
    roundTrip();
    for (const auto& m : sink_.messages()) EXPECT_NE(m.msg, HookMsg::HotKey);
}

TEST_F(HookLibraryTest, AHotKeyCombinationTypedByAPlayingMacroReachesTheApplication) {
    const int ctrlAltN = codeOf('N', true, true);
    useHotKeys({ctrlAltN});
    table_.setMacroInUse(true);
    hook_->OrvUpInUse(table_);
    ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    sink_.clear();
    ownChord({17, 18}, 'N');
    EXPECT_NE(app_->waitForLine(
                  [](const std::string& l) { return l.find(" " + std::to_string(XK_n) + " ") != std::string::npos; }),
              "");
    roundTrip();
    for (const auto& m : sink_.messages()) EXPECT_NE(m.msg, HookMsg::HotKey);
    // During the macro, the combination pressed by the user, on a keyboard or through another
    // program, is still the hotkey (refused as busy later).
    xtestChord({XK_Control_L, XK_Alt_L}, XK_n);
    EXPECT_EQ(sink_.waitFor(HookMsg::HotKey).wParam, ctrlAltN);
    sink_.clear();
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    user.key(XK_Control_L, true);
    user.key(XK_Alt_L, true);
    user.tap(XK_n);
    user.key(XK_Alt_L, false);
    user.key(XK_Control_L, false);
    EXPECT_EQ(sink_.waitFor(HookMsg::HotKey).wParam, ctrlAltN);
}

TEST_F(HookLibraryTest, TypingIsReportedWhoeverTypesItButTheProgramItself) {
    table_.setHaveShortKeys(true);
    hook_->OrvUpKeys(table_);
    ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    ownKey('Q');           // the program's own: not typing
    xtestChord({}, XK_x);  // another program's: typing, as the user's keyboard
    ownKey('Q');
    user.tap(XK_a);
    user.key(XK_Shift_L, true);
    user.tap(XK_b);
    user.key(XK_Shift_L, false);
    user.tap(XK_Caps_Lock);
    user.tap(XK_c);
    user.tap(XK_Caps_Lock);
    user.tap(XK_Left);
    user.tap(XK_BackSpace);
    sink_.waitFor([](const HookMessage& m) { return m.msg == HookMsg::ShortKeyChar && m.lParam == 8; });
    std::vector<std::pair<std::int64_t, std::int64_t>> got;
    for (const auto& m : sink_.messages()) {
        // The window manager may still move the focus between the target's windows as they
        // appear, and each activation resets the typed word: resets before the first
        // character change nothing.
        if (m.msg == HookMsg::ShortKeyChar && !(got.empty() && m.wParam == 1)) got.emplace_back(m.wParam, m.lParam);
    }
    const std::vector<std::pair<std::int64_t, std::int64_t>> expected = {{0, 'x'}, {0, 'a'}, {0, 'B'},
                                                                         {2, 'C'}, {1, 0},   {0, 8}};
    EXPECT_EQ(got, expected);
}

TEST_F(HookLibraryTest, KeyWaitsAndTextWaitsTakeAnotherProgramsTypingButNotTheProgramsOwn) {
    table_.setU8(TActivationTable::oWaitKeyPress, 1);
    table_.setU8(TActivationTable::oWaitText, 1);
    hook_->OrvUpWaits(table_);
    ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    ownKey('Q');
    xtestChord({}, XK_z);
    roundTrip();
    std::vector<std::pair<HookMsg, std::int64_t>> got;
    for (const auto& m : sink_.messages()) {
        if (m.msg == HookMsg::WaitKey) got.emplace_back(m.msg, m.wParam);
        if (m.msg == HookMsg::WaitText && m.wParam == 0) got.emplace_back(m.msg, m.lParam);
    }
    const std::vector<std::pair<HookMsg, std::int64_t>> expected = {{HookMsg::WaitKey, 'Z'}, {HookMsg::WaitText, 'z'}};
    EXPECT_EQ(got, expected);
}

TEST_F(HookLibraryTest, ActivatingAnotherWindowIsReported) {
    // From the first window to the second, whichever the window manager left active. The
    // marker's round trip makes sure the library has seen the first one active: two quick
    // changes read late would look like none.
    ASSERT_TRUE(test::activate(*windows_, static_cast<WindowId>(first_)));
    roundTrip();
    ASSERT_TRUE(test::activate(*windows_, static_cast<WindowId>(second_)));
    const HookMessage m = sink_.waitFor([&](const HookMessage& h) {
        return h.msg == HookMsg::WindowActivated && static_cast<unsigned long>(h.wParam) == second_;
    });
    EXPECT_EQ(m.msg, HookMsg::WindowActivated);
}

TEST_F(HookLibraryTest, TheMarkerKeyComesBackAfterTheKeysBeforeItAndNeverReachesTheApplication) {
    for (bool waiting : {false, true}) {
        SCOPED_TRACE(waiting ? "WaitMarker" : "MacroInUse");
        table_.setU8(TActivationTable::oWaitMarker, waiting ? 1 : 0);
        hook_->OrvUpWaits(table_);
        ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
        sink_.clear();
        own_->keyEvent('X', 0, false);
        own_->keyEvent('X', 0, true);
        own_->keyEvent(43, 0, false);
        own_->keyEvent(43, 0, true);
        const HookMsg expected = waiting ? HookMsg::WaitMarker : HookMsg::Marker;
        EXPECT_EQ(sink_.waitFor(expected).msg, expected);
    }
    EXPECT_NE(app_->waitForLine(
                  [](const std::string& l) { return l.find(" " + std::to_string(XK_x) + " ") != std::string::npos; }),
              "");
    EXPECT_FALSE(appGotKey(XK_Execute));
}

TEST_F(HookLibraryTest, PauseAbortsUnlessTheProgramItselfSendsIt) {
    ownKey(19);
    roundTrip();
    for (const auto& m : sink_.messages()) EXPECT_NE(m.msg, HookMsg::Abort);
    xtestChord({}, XK_Pause);
    EXPECT_EQ(sink_.waitFor(HookMsg::Abort).msg, HookMsg::Abort);
    sink_.clear();
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    user.tap(XK_Pause);
    EXPECT_EQ(sink_.waitFor(HookMsg::Abort).msg, HookMsg::Abort);
}

TEST_F(HookLibraryTest, IdleSecondsGrowUntilInputThatIsNotTheProgramsOwn) {
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    user.tap(XK_Shift_L);
    roundTrip();
    TActivationTable mine;
    hook_->OrvGetIdle(mine);
    EXPECT_EQ(mine.IdleSeconds(), 0);  // input since the previous call
    // Idle time is what is measured here, so the test lets time pass.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    hook_->OrvGetIdle(mine);
    EXPECT_GE(mine.IdleSeconds(), 2);
    ownKey(16);
    roundTrip();
    hook_->OrvGetIdle(mine);
    EXPECT_GE(mine.IdleSeconds(), 2) << "the program's own keys are not the user's";
    xtestChord({}, XK_Shift_L);
    roundTrip();
    hook_->OrvGetIdle(mine);
    EXPECT_EQ(mine.IdleSeconds(), 0) << "another program's keys are";
}

}  // namespace
}  // namespace orv::x11
