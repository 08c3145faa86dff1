#include "platform/x11/qt_clipboard.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QString>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include "platform/cp1252.h"

namespace orv::x11 {

namespace {

QClipboard* clipboard() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    return QGuiApplication::clipboard();
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
        board->setText(QString::fromStdString(cp1252ToUtf8(withLf(text))), QClipboard::Clipboard);
    }
}

bool QtClipboard::setBitmapFromFile(const std::string& path) {
    QClipboard* board = clipboard();
    if (board == nullptr || path.empty()) return false;
    QImage image;
    if (!image.load(QString::fromStdString(cp1252ToUtf8(path)))) return false;
    board->setImage(image, QClipboard::Clipboard);
    return true;
}

}  // namespace orv::x11
