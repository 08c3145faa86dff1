// Windows, the pointer and the process list on a real display with a window manager.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/x11/key_injector.h"
#include "platform/x11/proc_list.h"
#include "platform/x11/x11_mouse_input.h"
#include "platform/x11/x11_window_system.h"
#include "x11_test_support.h"

namespace orv::x11 {
namespace {

using namespace test;

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        app_ = std::make_unique<TargetApp>(
            std::vector<std::string>{"Desk Target One", "Desk Fen\xC3\xAAtre \xE2\x82\xAC"});
        first_ = static_cast<WindowId>(app_->window(0));
        second_ = static_cast<WindowId>(app_->window(1));
        ASSERT_NE(first_, 0u);
        ASSERT_NE(second_, 0u);
        windows_ = X11WindowSystem::create();
        ASSERT_TRUE(windows_);
        ASSERT_TRUE(waitUntil(first_, [&] {
            const auto all = windows_->topLevelWindows();
            return std::count(all.begin(), all.end(), first_) + std::count(all.begin(), all.end(), second_) == 2;
        }));
    }

    std::unique_ptr<TargetApp> app_;
    WindowId first_ = 0, second_ = 0;
    std::unique_ptr<X11WindowSystem> windows_;
};

TEST_F(DesktopTest, WindowsAreListedWithTitlesInWindows1252AndTheirProcess) {
    EXPECT_EQ(windows_->windowTitle(first_), "Desk Target One");
    EXPECT_EQ(windows_->windowTitle(second_), "Desk Fen\xEAtre \x80");
    EXPECT_EQ(windows_->findWindowByTitle("Desk Target One"), first_);
    EXPECT_EQ(windows_->findWindowByTitle("Desk Target"), 0u);
    EXPECT_EQ(windows_->windowProcess(first_), app_->pid());
    // Activation puts a window on top of the z-order.
    ASSERT_TRUE(test::activate(*windows_, first_));
    EXPECT_EQ(windows_->foregroundWindow(), first_);
    ASSERT_TRUE(waitUntil(first_, [&] { return windows_->topLevelWindows().front() == first_; }));
    ASSERT_TRUE(test::activate(*windows_, second_));
    ASSERT_TRUE(waitUntil(second_, [&] { return windows_->topLevelWindows().front() == second_; }));

    const std::string name = processNameOf(app_->pid());
    EXPECT_EQ(name, "orv_x11_target_app");
    bool listed = false;
    for (const ProcessInfo& p : listUserProcesses()) listed = listed || (p.pid == app_->pid() && p.name == name);
    EXPECT_TRUE(listed);
}

TEST_F(DesktopTest, MoveResizeMinimiseRestoreMaximiseHideShowAndClose) {
    WindowRect rect;
    windows_->moveWindow(first_, 200, 150);
    EXPECT_TRUE(
        waitUntil(first_, [&] { return windows_->windowRect(first_, rect) && rect.left == 200 && rect.top == 150; }))
        << rect.left << "," << rect.top;
    windows_->resizeWindow(first_, 500, 400);
    EXPECT_TRUE(waitUntil(
        first_, [&] { return windows_->windowRect(first_, rect) && rect.width() == 500 && rect.height() == 400; }))
        << rect.width() << "x" << rect.height();
    EXPECT_EQ(rect.left, 200);

    windows_->windowAction(first_, WindowAction::Minimize);
    EXPECT_TRUE(waitUntil(first_, [&] { return windows_->isMinimized(first_); }));
    windows_->windowAction(first_, WindowAction::Restore);
    EXPECT_TRUE(waitUntil(first_, [&] { return !windows_->isMinimized(first_); }));

    const ScreenSize screen = windows_->screenSize();
    windows_->windowAction(first_, WindowAction::Maximize);
    EXPECT_TRUE(waitUntil(first_, [&] { return windows_->windowRect(first_, rect) && rect.width() == screen.width; }))
        << rect.width();
    windows_->windowAction(first_, WindowAction::Restore);
    EXPECT_TRUE(waitUntil(first_, [&] { return windows_->windowRect(first_, rect) && rect.width() == 500; }));

    windows_->windowAction(second_, WindowAction::Hide);
    auto listed = [&](WindowId w) {
        const auto all = windows_->topLevelWindows();
        return std::find(all.begin(), all.end(), w) != all.end();
    };
    EXPECT_TRUE(listed(second_));  // hidden windows are still enumerated
    windows_->windowAction(second_, WindowAction::Show);
    EXPECT_TRUE(test::activate(*windows_, second_));

    windows_->windowAction(first_, WindowAction::Close);
    EXPECT_EQ(app_->waitForLine([](const std::string& l) { return l == "closed 0"; }), "closed 0");
}

TEST_F(DesktopTest, MouseMovesLandWhereTheCommandsSayAndClicksReachTheWindow) {
    auto injector = KeyInjector::open();
    ASSERT_TRUE(injector);
    X11MouseInput mouse(*injector);
    const ScreenSize screen = windows_->screenSize();
    const ScreenPoint points[] = {{0, 0}, {1, 1}, {640, 512}, {screen.width - 1, screen.height - 1}, {333, 777}};
    for (const ScreenPoint& p : points) {
        // The engine's absolute coordinates: Trunc(X * 65535 / width).
        const auto dx = static_cast<std::int32_t>(p.x * 65535LL / screen.width);
        const auto dy = static_cast<std::int32_t>(p.y * 65535LL / screen.height);
        mouse.mouseEvent(mouse_flags::kMove | mouse_flags::kAbsolute, dx, dy, 0);
        EXPECT_EQ(mouse.cursorPos(), p) << p.x << "," << p.y;
    }
    ASSERT_TRUE(test::activate(*windows_, first_));
    WindowRect rect;
    ASSERT_TRUE(windows_->windowRect(first_, rect));
    const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
    EXPECT_TRUE(mouse.setCursorPos(x, y));
    mouse.mouseEvent(mouse_flags::kLeftDown, 0, 0, 0);
    mouse.mouseEvent(mouse_flags::kLeftUp, 0, 0, 0);
    const std::string click = "click " + std::to_string(x) + " " + std::to_string(y) + " 1";
    EXPECT_EQ(app_->waitForLine([&](const std::string& l) { return l == click; }), click);
    mouse.mouseEvent(mouse_flags::kMove, 10, -5, 0);
    EXPECT_EQ(mouse.cursorPos(), (ScreenPoint{x + 10, y - 5}));
}

// A client that takes the first left press anywhere with a synchronous grab, as a window
// manager's click-to-focus does, and replays it to the window after `hold` (never when
// `replay` is false: the pointer stays frozen until it goes).
class SlowClickGrab {
public:
    SlowClickGrab(std::chrono::milliseconds hold, bool replay) : display_(XOpenDisplay(nullptr)) {
        const Window root = DefaultRootWindow(display_);
        XGrabButton(display_, Button1, AnyModifier, root, False, ButtonPressMask, GrabModeSync, GrabModeAsync, None,
                    None);
        XSync(display_, False);
        thread_ = std::thread([this, hold, replay] {
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            while (!pressed_ && (XPending(display_) > 0 || ::poll(&fd, 1, 20000) > 0)) {
                XEvent event;
                XNextEvent(display_, &event);
                pressed_ = event.type == ButtonPress;
            }
            if (!replay) return;
            std::this_thread::sleep_for(hold);  // the window manager's work before it lets go
            XAllowEvents(display_, ReplayPointer, CurrentTime);
            XSync(display_, False);
        });
    }
    ~SlowClickGrab() {
        thread_.join();
        XUngrabButton(display_, Button1, AnyModifier, DefaultRootWindow(display_));
        XCloseDisplay(display_);  // ends a grab still active, which thaws the pointer
    }
    bool pressed() const { return pressed_; }

private:
    Display* display_;
    std::atomic<bool> pressed_ = false;
    std::thread thread_;
};

TEST_F(DesktopTest, KeysAfterAClickComeAfterItAlsoWhenAGrabHoldsThePointerAtThePress) {
    auto injector = KeyInjector::open();
    ASSERT_TRUE(injector);
    X11MouseInput mouse(*injector);
    ASSERT_TRUE(test::activate(*windows_, first_));
    WindowRect rect;
    ASSERT_TRUE(windows_->windowRect(first_, rect));
    const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
    mouse.setCursorPos(x, y);
    const std::string click = "click " + std::to_string(x) + " " + std::to_string(y) + " 1";
    {
        SlowClickGrab grab(std::chrono::milliseconds(300), true);
        mouse.mouseEvent(mouse_flags::kLeftDown, 0, 0, 0);
        mouse.mouseEvent(mouse_flags::kLeftUp, 0, 0, 0);
        injector->typeChar(U'z');
        injector->sync();
        EXPECT_TRUE(grab.pressed());
    }
    ASSERT_EQ(app_->waitForText(0, 1), "z");
    ASSERT_EQ(app_->waitForLine([&](const std::string& l) { return l == click; }), click);
    const auto& lines = app_->lines();
    const auto at = [&](auto it) { return std::distance(lines.begin(), it); };
    const auto typed = std::ranges::find_if(lines, [](const std::string& l) { return l.starts_with("key 0 7a "); });
    EXPECT_LT(at(std::ranges::find(lines, click)), at(typed)) << "the key overtook the click";

    // A client that never lets go holds up the release for a bounded time only.
    SlowClickGrab stuck(std::chrono::milliseconds(0), false);
    const auto started = std::chrono::steady_clock::now();
    mouse.mouseEvent(mouse_flags::kLeftDown, 0, 0, 0);
    mouse.mouseEvent(mouse_flags::kLeftUp, 0, 0, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_TRUE(stuck.pressed());
}

}  // namespace
}  // namespace orv::x11
