#include "platform/x11/qt_clipboard.h"

#include <QtCore/QAbstractNativeEventFilter>
#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QMimeData>
#include <QtCore/QString>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

// Qt before Xlib, whose macros (Status, Bool) break Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xproto.h>

#include <chrono>
#include <functional>
#include <memory>

#include "platform/cp1252.h"

namespace orv::x11 {

namespace {

QClipboard* clipboard() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    return QGuiApplication::clipboard();
}

// Qt takes a selection with the timestamp of the last X event it processed. When the program's
// windows have seen no event for a while and another client has taken the selection since,
// that timestamp is older than the other client's and the server ignores Qt's request. An
// empty append to a property of a window on Qt's own connection brings back a PropertyNotify
// with the server's current time; once Qt has processed it, its next request carries that time.
class ServerTimeRefresh final : public QAbstractNativeEventFilter {
public:
    // Returns once Qt has processed the PropertyNotify, or after a deadline when it never comes.
    static void run() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display* display = x11 != nullptr ? x11->display() : nullptr;
        if (display == nullptr) return;
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        const Window window = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent,
                                            InputOnly, nullptr, CWEventMask, &attributes);
        const Atom property = XInternAtom(display, "_ORV_SERVER_TIME", False);

        QEventLoop loop;
        ServerTimeRefresh watch(window, loop);
        QCoreApplication::instance()->installNativeEventFilter(&watch);
        QTimer::singleShot(std::chrono::seconds(2), &loop, &QEventLoop::quit);
        XChangeProperty(display, window, property, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
        XFlush(display);
        // Only events of the window system: a key or click stays queued for the program's
        // own loop rather than reaching its windows in the middle of a command.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        QCoreApplication::instance()->removeNativeEventFilter(&watch);
        XDestroyWindow(display, window);
        XFlush(display);
    }

    // Ends the wait at the PropertyNotify of the window but lets Qt handle it too: Qt learns
    // the event's time after the filters have seen it, before the loop returns.
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
            reinterpret_cast<const xcb_property_notify_event_t*>(event)->window == window_) {
            loop_.quit();
        }
        return false;
    }

private:
    ServerTimeRefresh(Window window, QEventLoop& loop) : window_(window), loop_(loop) {}

    Window window_;
    QEventLoop& loop_;
};

// Puts what `make` fills on the CLIPBOARD selection with a fresh timestamp, and once more when
// another client took the selection in between. Qt hands the selection back to our mime data
// only while its window owns the selection, which the server is asked for.
void takeClipboard(QClipboard& board, const std::function<void(QMimeData&)>& make) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        ServerTimeRefresh::run();
        auto data = std::make_unique<QMimeData>();
        make(*data);
        const QMimeData* const mine = data.get();
        board.setMimeData(data.release(), QClipboard::Clipboard);
        if (board.mimeData(QClipboard::Clipboard) == mine) return;
    }
}

// Every line feed not already preceded by a carriage return gets one.
std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

// CR LF becomes LF; a carriage return alone stays.
std::string withLf(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace

std::string QtClipboard::text() {
    QClipboard* board = clipboard();
    if (board == nullptr) return {};
    return withCrLf(utf8ToCp1252(board->text(QClipboard::Clipboard).toStdString()));
}

void QtClipboard::setText(const std::string& text) {
    if (QClipboard* board = clipboard()) {
        const QString unicode = QString::fromStdString(cp1252ToUtf8(withLf(text)));
        takeClipboard(*board, [&unicode](QMimeData& data) { data.setText(unicode); });
    }
}

bool QtClipboard::setBitmapFromFile(const std::string& path) {
    QClipboard* board = clipboard();
    if (board == nullptr || path.empty()) return false;
    QImage image;
    if (!image.load(QString::fromStdString(cp1252ToUtf8(path)))) return false;
    takeClipboard(*board, [&image](QMimeData& data) { data.setImageData(image); });
    return true;
}

}  // namespace orv::x11
