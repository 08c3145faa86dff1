// Capture on a real display: the user's typing and clicks become macro text, the program's own
// input does not, the stop key ends it, and the text plays back as what was typed.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "capture/capture_session.h"
#include "engine/playback_engine.h"
#include "platform/clock.h"
#include "platform/fake/fake_playback_windows.h"
#include "platform/hotkey_codes.h"
#include "platform/x11/hook/x11_hook_library.h"
#include "platform/x11/qt_message_pump.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_window_system.h"
#include "store/app_settings.h"
#include "x11_test_support.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace orv::x11 {
namespace {

using namespace test;

constexpr int kMacro = 3;

class CaptureRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        app_ = std::make_unique<TargetApp>(std::vector<std::string>{"Capture Target"});
        window_ = app_->window(0);
        ASSERT_NE(window_, 0u);
        windows_ = X11WindowSystem::create();
        ASSERT_TRUE(test::activate(*windows_, static_cast<WindowId>(window_)));
        hook_ = std::make_unique<X11HookLibrary>(sink_);
        ASSERT_TRUE(hook_->available());
        ASSERT_NE(hook_->OrvHookKeyboard(), 0);
        ASSERT_NE(hook_->OrvHookMouse(), 0);
        own_ = X11KeyboardInput::create(hook_.get());
        ASSERT_TRUE(own_);
        xtest_ = XOpenDisplay(nullptr);
        ASSERT_NE(xtest_, nullptr);
    }
    void TearDown() override {
        own_.reset();
        if (xtest_ != nullptr) XCloseDisplay(xtest_);
    }

    void startCapture(const capture::CaptureOptions& options) {
        DecodedHotKey stop;
        stop.virtualKey = 123;  // F12
        stop.ctrl = true;
        stop.alt = true;
        stopCode_ = hotKeyCodeOf(stop);
        ASSERT_GE(stopCode_, 0);
        capture::writeCaptureOptions(table_, options, false, kMacro, stopCode_, std::nullopt);
        table_.setCaptureOn(true);
        hook_->OrvUpCapture(table_);
        hook_->OrvUpCaptureOn(table_);
        ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
        sink_.clear();
    }
    // Ends with the stop key pressed by the user; the text recorded up to then.
    std::string stopAndCollect(PhysicalKeyboard& user) {
        user.key(XK_Control_L, true);
        user.key(XK_Alt_L, true);
        user.tap(XK_F12);
        user.key(XK_Alt_L, false);
        user.key(XK_Control_L, false);
        const HookMessage end = sink_.waitFor(HookMsg::CaptureEnd);
        EXPECT_EQ(end.wParam, kMacro);
        std::string text;
        for (const HookMessage& m : sink_.messages()) {
            if (m.msg == HookMsg::CaptureText) {
                EXPECT_EQ(m.wParam, kMacro);
                text += static_cast<char>(m.lParam);
            }
        }
        return text;
    }

    std::unique_ptr<TargetApp> app_;
    unsigned long window_ = 0;
    std::unique_ptr<X11WindowSystem> windows_;
    WaitingSink sink_;
    std::unique_ptr<X11HookLibrary> hook_;
    TActivationTable table_;
    std::unique_ptr<X11KeyboardInput> own_;
    Display* xtest_ = nullptr;
    int stopCode_ = -1;
};

TEST_F(CaptureRecorderTest, TypingIsRecordedWithoutTheProgramsOwnAndPlaysBackAsTyped) {
    capture::CaptureOptions options;
    options.timing = false;
    options.mouse = false;
    startCapture(options);
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    own_->keyEvent('Q', 0, false);  // the program's own key: never recorded
    own_->keyEvent('Q', 0, true);
    user.key(XK_Shift_L, true);
    user.tap(XK_h);
    user.key(XK_Shift_L, false);
    for (unsigned long sym : {XK_i, XK_comma, XK_space, XK_y, XK_o, XK_u}) user.tap(sym);
    user.key(XK_Shift_L, true);
    user.tap(XK_1);
    user.key(XK_Shift_L, false);
    user.tap(XK_Tab);
    const std::string recorded = stopAndCollect(user);
    EXPECT_EQ(recorded, "Hi, you!<TAB>");

    // What the target got from the user (after the program's "q"), played back once more.
    const std::string typed = app_->waitForText(0, 10);
    ASSERT_EQ(typed, "qHi, you!\t");
    own_->endPlayback();
    ASSERT_TRUE(own_->waitUntilDelivered(kDeadline));
    QtMessagePump pump;
    fake::FakePlaybackWindows playbackWindows;
    SystemClock clock;
    TAppSettings settings;
    PlaybackEngine engine(PlaybackServices{
        .keyboard = *own_, .pump = pump, .windows = playbackWindows, .clock = clock, .settings = &settings});
    engine.play(recorded, false, 0);
    own_->endPlayback();
    ASSERT_TRUE(own_->waitUntilDelivered(kDeadline));
    EXPECT_EQ(app_->waitForText(0, 2 * typed.size() - 1).substr(typed.size()), typed.substr(1));
}

// A dead key bound to a free keycode for one test, the keycode emptied again afterwards.
class DeadKey {
public:
    explicit DeadKey(Display* display) : display_(display) {
        int min = 0, max = 0, per = 0;
        XDisplayKeycodes(display, &min, &max);
        KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(min), max - min + 1, &per);
        for (int k = max; k >= min && keycode_ == 0; --k) {
            bool empty = true;
            for (int i = 0; i < per; ++i) empty = empty && map[(k - min) * per + i] == NoSymbol;
            if (empty) keycode_ = static_cast<KeyCode>(k);
        }
        XFree(map);
        KeySym sym = XK_dead_acute;
        if (keycode_ != 0) XChangeKeyboardMapping(display, keycode_, 1, &sym, 1);
        XSync(display, False);
    }
    ~DeadKey() {
        KeySym none = NoSymbol;
        if (keycode_ != 0) XChangeKeyboardMapping(display_, keycode_, 1, &none, 1);
        XSync(display_, False);
    }
    KeyCode keycode() const { return keycode_; }

private:
    Display* display_;
    KeyCode keycode_ = 0;
};

TEST_F(CaptureRecorderTest, ADeadKeyAndTheLetterAfterItAreOneCharacter) {
    const DeadKey dead(xtest_);
    ASSERT_NE(dead.keycode(), 0);
    capture::CaptureOptions options;
    options.timing = false;
    options.mouse = false;
    startCapture(options);
    // The library reloads its keymap on the change; a marker round trip is not needed because
    // the mapping notify comes before the keys below.
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    for (unsigned long sym : {XK_c, XK_a, XK_f}) user.tap(sym);
    XTestFakeKeyEvent(xtest_, dead.keycode(), True, CurrentTime);
    XTestFakeKeyEvent(xtest_, dead.keycode(), False, CurrentTime);
    XSync(xtest_, False);
    user.tap(XK_e);
    EXPECT_EQ(stopAndCollect(user), "caf\xe9");
}

TEST_F(CaptureRecorderTest, ClicksAreRecordedWhereThePointerWas) {
    XTestFakeMotionEvent(xtest_, -1, 0, 0, CurrentTime);  // where the capture starts
    XSync(xtest_, False);
    capture::CaptureOptions options;
    options.timing = false;
    startCapture(options);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(xtest_, static_cast<Window>(window_), DefaultRootWindow(xtest_), 20, 30, &x, &y, &child);
    XTestFakeMotionEvent(xtest_, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(xtest_, 1, True, CurrentTime);
    XTestFakeButtonEvent(xtest_, 1, False, CurrentTime);
    XTestFakeButtonEvent(xtest_, 4, True, CurrentTime);
    XTestFakeButtonEvent(xtest_, 4, False, CurrentTime);
    XSync(xtest_, False);
    // The wheel is the last of the input: once its tag is being recorded, the stop key comes after
    // everything (on a fresh display the stop key's device can otherwise overtake the XTest events).
    const HookMessage wheel =
        sink_.waitFor([](const HookMessage& m) { return m.msg == HookMsg::CaptureText && m.lParam == 'F'; });
    ASSERT_EQ(wheel.msg, HookMsg::CaptureText);
    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    char move[32];
    std::snprintf(move, sizeof move, "<MMS:%05d,%05d>", x, y);
    EXPECT_EQ(stopAndCollect(user), std::string(move) + "<LCLK><WFW:001>");

    // Until the program turns the capture off, another update does not start a new recording.
    hook_->OrvUpKeys(table_);
    ASSERT_TRUE(hook_->waitUntilApplied(kDeadline));
    const std::size_t before = sink_.messages().size();
    user.tap(XK_z);
    own_->keyEvent(43, 0, false);  // the marker key: everything before it has been handled
    own_->keyEvent(43, 0, true);
    ASSERT_EQ(sink_.waitFor(HookMsg::Marker, before).msg, HookMsg::Marker);
    const auto messages = sink_.messages();
    EXPECT_TRUE(std::none_of(messages.begin() + static_cast<std::ptrdiff_t>(before), messages.end(),
                             [](const HookMessage& m) { return m.msg == HookMsg::CaptureText; }));
}

}  // namespace
}  // namespace orv::x11
