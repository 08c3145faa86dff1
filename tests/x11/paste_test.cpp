// Characters the layout lacks pasted through the CLIPBOARD selection, checked from the other
// side: a small paste client on a connection and thread of its own asks for the selection when
// it gets Ctrl+V, as editors do.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <atomic>
#include <climits>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "platform/fake/fake_clipboard.h"
#include "platform/fake/transcript.h"
#include "platform/x11/selection_paste.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_window_system.h"
#include "x11_test_support.h"

namespace orv::x11 {
namespace {

using namespace test;
using Clock = std::chrono::steady_clock;

bool nextEvent(Display* d, XEvent& event, Clock::time_point end) {
    while (XPending(d) == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
    XNextEvent(d, &event);
    return true;
}

// A client with a window of its own that converts the CLIPBOARD selection to `target`: at
// once (convertNow), or each time its window gets Ctrl+V (a paste client). Every text it got
// is kept in order.
class PasteClient {
public:
    explicit PasteClient(std::string target, bool onCtrlV) : target_(std::move(target)), onCtrlV_(onCtrlV) {
        display_ = XOpenDisplay(nullptr);
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 200, 100, 0, 0, 0);
        XStoreName(display_, window_, "Paste client");
        XSelectInput(display_, window_, KeyPressMask | PropertyChangeMask);
        if (onCtrlV_) XMapWindow(display_, window_);
        XSync(display_, False);
        thread_ = std::thread([this] { run(); });
    }
    ~PasteClient() {
        stop_ = true;
        thread_.join();
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    unsigned long window() const { return window_; }
    // Waits for the `n`th text (from 1); nullopt when it did not come or the owner refused.
    std::optional<std::string> text(std::size_t n) {
        const auto end = Clock::now() + kDeadline;
        std::unique_lock lock(mutex_);
        cv_.wait_until(lock, end, [&] { return texts_.size() >= n; });
        if (texts_.size() < n) return std::nullopt;
        return texts_[n - 1];
    }

private:
    void convert() {
        XConvertSelection(display_, XInternAtom(display_, "CLIPBOARD", False),
                          XInternAtom(display_, target_.c_str(), False), XInternAtom(display_, "ORV_PASTE", False),
                          window_, CurrentTime);
        XFlush(display_);
    }
    void received(const XSelectionEvent& e) {
        std::optional<std::string> text;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (e.property != None &&
            XGetWindowProperty(display_, window_, e.property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format,
                               &count, &after, &data) == Success &&
            format == 8)
            text = std::string(reinterpret_cast<const char*>(data), count);
        if (data != nullptr) XFree(data);
        std::lock_guard lock(mutex_);
        texts_.push_back(text.value_or("(refused)"));
        cv_.notify_all();
    }
    void run() {
        if (!onCtrlV_) convert();
        XEvent event;
        while (!stop_) {
            if (!nextEvent(display_, event, Clock::now() + std::chrono::milliseconds(50))) continue;
            if (event.type == SelectionNotify) received(event.xselection);
            if (event.type == KeyPress && (event.xkey.state & ControlMask) != 0 &&
                XLookupKeysym(&event.xkey, 0) == XK_v)
                convert();
        }
    }

    std::string target_;
    bool onCtrlV_;
    Display* display_ = nullptr;
    Window window_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<std::string> texts_;
};

class PasteTest : public ::testing::Test {
protected:
    void SetUp() override { ORV_NEED_DISPLAY(); }
};

TEST_F(PasteTest, TheSelectionIsOfferedUntilTheWindowHasTakenTheText) {
    auto selection = SelectionPaste::open();
    ASSERT_TRUE(selection);
    const struct {
        const char* target;
        const char* utf8;
        std::string expected;
    } cases[] = {
        {"UTF8_STRING", "\xE2\x82\xAC", "\xE2\x82\xAC"},
        {"TEXT", "\xC3\xA9", "\xC3\xA9"},
        {"STRING", "\xC3\xA9\xE2\x82\xAC", "\xE9?"},  // Latin-1 where it can
        {"image/png", "\xC3\xA9", "(refused)"},       // no such form: refused, not taken
    };
    for (const auto& c : cases) {
        std::optional<PasteClient> client;
        const bool expectTaken = c.expected != "(refused)";
        const bool taken = selection->paste(
            c.utf8, [&] { client.emplace(c.target, false); },
            expectTaken ? kDeadline : std::chrono::milliseconds(1000));
        EXPECT_EQ(taken, expectTaken) << c.target;
        EXPECT_EQ(client->text(1), c.expected) << c.target;
        // The offer is withdrawn once it is over.
        Display* d = XOpenDisplay(nullptr);
        EXPECT_EQ(XGetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False)), static_cast<Window>(None));
        XCloseDisplay(d);
    }
}

TEST_F(PasteTest, CharactersTheLayoutLacksArrivePastedAndTheClipboardComesBack) {
    auto keyboard = X11KeyboardInput::create();
    auto windows = X11WindowSystem::create();
    ASSERT_TRUE(keyboard && windows);
    fake::Transcript trace;
    fake::FakeClipboard clipboard(trace);
    clipboard.preset("user's text");
    keyboard->pasteOutsideLayout(clipboard);

    PasteClient client("UTF8_STRING", true);
    ASSERT_TRUE(waitOnRoot([&] { return isManaged(client.window()); }));
    ASSERT_TRUE(activate(*windows, static_cast<WindowId>(client.window())));
    // The euro sign and the DOS code page's box corner are on no key of the test keyboard.
    const std::int16_t euro = keyboard->keyForChar('\x80');
    ASSERT_GT(euro, 0);
    keyboard->keyEvent(static_cast<std::uint8_t>(euro), 0, false);
    keyboard->keyEvent(static_cast<std::uint8_t>(euro), 0, true);
    EXPECT_EQ(client.text(1), "\xE2\x82\xAC");
    keyboard->altCode("218");
    EXPECT_EQ(client.text(2), "\xE2\x94\x8C");
    EXPECT_EQ(clipboard.content(), "user's text");
    EXPECT_EQ(trace.lines(), (std::vector<std::string>{
                                 "clipboard get text -> \"user's text\"", "clipboard set text \"user's text\"",
                                 "clipboard get text -> \"user's text\"", "clipboard set text \"user's text\""}));
    keyboard->endPlayback();
}

}  // namespace
}  // namespace orv::x11
