// The clipboard through Qt, checked from the other side: another X client (on a thread of its
// own, with its own connection) reads what the program put on the CLIPBOARD selection, or owns
// the selection for the program to read.
#include <gtest/gtest.h>

// Qt before Xlib, whose macros (Status, Bool) break Qt's headers.
#include <QtCore/QEventLoop>
#include <QtGui/QColor>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/cp1252.h"
#include "platform/x11/qt_clipboard.h"
#include "x11_test_support.h"

namespace orv::x11 {
namespace {

using namespace test;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Waits for the next event of `d` until `end`; false at the deadline.
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

// The CLIPBOARD selection converted to `target` by another client; nothing when the owner
// refused or did not answer.
std::optional<std::string> convertOnOwnConnection(const char* target) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return std::nullopt;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = XInternAtom(d, "ORV_CLIPBOARD_TEST", False);
    XConvertSelection(d, XInternAtom(d, "CLIPBOARD", False), XInternAtom(d, target, False), property, w, CurrentTime);
    XFlush(d);
    std::optional<std::string> result;
    const auto end = Clock::now() + kDeadline;
    XEvent event;
    while (nextEvent(d, event, end)) {
        if (event.type != SelectionNotify) continue;
        if (event.xselection.property == None) break;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, w, property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count, &after,
                               &data) == Success &&
            format == 8) {
            result = std::string(reinterpret_cast<const char*>(data), count);
        }
        if (data != nullptr) XFree(data);
        break;
    }
    XDestroyWindow(d, w);
    XCloseDisplay(d);
    return result;
}

// Converts on another connection while this thread runs Qt's event loop, which answers.
std::optional<std::string> readAsOtherClient(const char* target) {
    std::optional<std::string> result;
    QEventLoop loop;
    std::thread reader([&] {
        result = convertOnOwnConnection(target);
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    reader.join();
    return result;
}

// Another client that owns the CLIPBOARD selection with a UTF-8 text while it lives.
class ForeignOwner {
public:
    explicit ForeignOwner(std::string utf8) : text_(std::move(utf8)) {
        if (::pipe(stop_) != 0) return;
        std::promise<bool> owning;
        std::future<bool> owns = owning.get_future();
        thread_ = std::thread([this, p = std::move(owning)]() mutable { serve(p); });
        owns_ = owns.get();
    }
    ~ForeignOwner() {
        if (thread_.joinable()) {
            (void)::write(stop_[1], "x", 1);
            thread_.join();
        }
        ::close(stop_[0]);
        ::close(stop_[1]);
    }
    ForeignOwner(const ForeignOwner&) = delete;
    ForeignOwner& operator=(const ForeignOwner&) = delete;
    bool owns() const { return owns_; }

private:
    void serve(std::promise<bool>& owning) {
        Display* d = XOpenDisplay(nullptr);
        if (d == nullptr) {
            owning.set_value(false);
            return;
        }
        const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
        const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
        const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
        const Atom targets = XInternAtom(d, "TARGETS", False);
        XSetSelectionOwner(d, clipboard, w, CurrentTime);
        owning.set_value(XGetSelectionOwner(d, clipboard) == w);
        while (true) {
            while (XPending(d) > 0) {
                XEvent event;
                XNextEvent(d, &event);
                if (event.type != SelectionRequest) continue;
                const XSelectionRequestEvent& r = event.xselectionrequest;
                XSelectionEvent reply{};
                reply.type = SelectionNotify;
                reply.display = d;
                reply.requestor = r.requestor;
                reply.selection = r.selection;
                reply.target = r.target;
                reply.time = r.time;
                reply.property = None;
                const Atom property = r.property == None ? r.target : r.property;
                if (r.target == targets) {
                    Atom offered[] = {targets, utf8};
                    XChangeProperty(d, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                                    reinterpret_cast<unsigned char*>(offered), 2);
                    reply.property = property;
                } else if (r.target == utf8) {
                    XChangeProperty(d, r.requestor, property, utf8, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(text_.data()),
                                    static_cast<int>(text_.size()));
                    reply.property = property;
                }
                XSendEvent(d, r.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
                XFlush(d);
            }
            pollfd p[2] = {{ConnectionNumber(d), POLLIN, 0}, {stop_[0], POLLIN, 0}};
            ::poll(p, 2, -1);
            if ((p[1].revents & POLLIN) != 0) break;
        }
        XDestroyWindow(d, w);
        XCloseDisplay(d);
    }

    std::string text_;
    int stop_[2] = {-1, -1};
    std::thread thread_;
    bool owns_ = false;
};

// Waits until the server's clock has moved past every timestamp it has handed out so far, so
// that what any client does next carries a strictly later time. The clock is read from the
// PropertyNotify that an empty append to a window of its own brings back.
bool serverClockMovesOn() {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return false;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, w, PropertyChangeMask);
    const Atom property = XInternAtom(d, "ORV_CLIPBOARD_TEST_CLOCK", False);
    const auto end = Clock::now() + kDeadline;
    auto now = [&]() -> std::optional<Time> {
        XChangeProperty(d, w, property, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
        XFlush(d);
        XEvent event;
        while (nextEvent(d, event, end)) {
            if (event.type == PropertyNotify && event.xproperty.window == w) return event.xproperty.time;
        }
        return std::nullopt;
    };
    const std::optional<Time> start = now();
    std::optional<Time> later = start;
    while (later.has_value() && *later == *start) later = now();
    XDestroyWindow(d, w);
    XCloseDisplay(d);
    return later.has_value();
}

class ClipboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!haveDisplay()) return;
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        static int argc = 1;
        static char name[] = "clipboard_test";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }
    void SetUp() override {
        ORV_NEED_DISPLAY();
        ASSERT_NE(app_, nullptr);
        std::string pattern = (fs::temp_directory_path() / "orvanta-clipboard-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }

    static QGuiApplication* app_;
    fs::path dir_;
    QtClipboard clipboard_;
};

QGuiApplication* ClipboardTest::app_ = nullptr;

// Every character of Windows-1252 from the blank up, but the five it leaves undefined.
std::string allCharacters() {
    std::string text;
    for (int c = 32; c < 256; ++c) {
        if (c == 127 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) continue;
        text += static_cast<char>(c);
    }
    return text;
}

TEST_F(ClipboardTest, TextGoesOnTheSelectionAsUtf8WithLineFeeds) {
    const std::string text = allCharacters() + "\r\nsecond line\r\n";
    clipboard_.setText(text);
    const std::optional<std::string> seen = readAsOtherClient("UTF8_STRING");
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(*seen, cp1252ToUtf8(allCharacters() + "\nsecond line\n"));
    EXPECT_EQ(clipboard_.text(), text);
}

TEST_F(ClipboardTest, AnotherClientsTextReadsAsWindows1252WithCrLf) {
    // "Grüße\n€ 5 — ok\nλ": λ has no Windows-1252 byte.
    ForeignOwner owner(
        "Gr\xC3\xBC\xC3\x9F"
        "e\n\xE2\x82\xAC 5 \xE2\x80\x94 ok\n\xCE\xBB");
    ASSERT_TRUE(owner.owns());
    EXPECT_EQ(clipboard_.text(),
              "Gr\xFC\xDF"
              "e\r\n\x80 5 \x97 ok\r\n?");
}

// The program's windows may see no X event for a long time while the user copies elsewhere;
// the program's text must still replace what another client put on the selection later than
// anything the program's side has seen.
TEST_F(ClipboardTest, TextTakesTheSelectionFromALaterOwner) {
    clipboard_.setText("first");
    ASSERT_EQ(readAsOtherClient("UTF8_STRING"), std::optional<std::string>("first"));
    ASSERT_TRUE(serverClockMovesOn());
    ForeignOwner owner("theirs");
    ASSERT_TRUE(owner.owns());
    clipboard_.setText("mine again");
    EXPECT_EQ(readAsOtherClient("UTF8_STRING"), std::optional<std::string>("mine again"));
    EXPECT_EQ(clipboard_.text(), "mine again");
}

TEST_F(ClipboardTest, APictureFileGoesOnAsAnImage) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    picture.setPixelColor(2, 1, QColor(250, 0, 120));
    const fs::path file = dir_ / "picture.bmp";
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "BMP"));

    ASSERT_TRUE(clipboard_.setBitmapFromFile(file.string()));
    const std::optional<std::string> png = readAsOtherClient("image/png");
    ASSERT_TRUE(png.has_value());
    const QImage seen = QImage::fromData(QByteArray(png->data(), static_cast<qsizetype>(png->size())), "PNG");
    ASSERT_EQ(seen.size(), picture.size());
    EXPECT_EQ(seen.pixelColor(0, 0), QColor(10, 200, 30));
    EXPECT_EQ(seen.pixelColor(2, 1), QColor(250, 0, 120));
}

TEST_F(ClipboardTest, WhatIsNoPictureGivesFalseAndLeavesTheClipboard) {
    std::ofstream(dir_ / "words.bmp") << "not a picture";
    clipboard_.setText("kept");
    for (const fs::path& file : {dir_ / "missing.bmp", dir_ / "words.bmp", dir_}) {
        SCOPED_TRACE(file.string());
        EXPECT_FALSE(clipboard_.setBitmapFromFile(file.string()));
    }
    EXPECT_EQ(readAsOtherClient("UTF8_STRING"), std::optional<std::string>("kept"));
}

}  // namespace
}  // namespace orv::x11
