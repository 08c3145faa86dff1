#include "gui/forms/mouse_locator.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace orv::gui {

namespace {

constexpr int kFollowMs = 40;
constexpr int kOffset = 18;  // pixels between the pointer and the window

}  // namespace

MouseLocator::MouseLocator(QWidget* parent)
    : QLabel(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("MouseLocator"));
    setWindowTitle(QStringLiteral("Mouse Locator"));
    setAccessibleName(QStringLiteral("Mouse Locator"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(4);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::ToolTipBase));
    p.setColor(QPalette::WindowText, p.color(QPalette::ToolTipText));
    setPalette(p);
    setText(positionText(QPoint(88888, 88888)));
    adjustSize();
    timer_.setInterval(kFollowMs);
    connect(&timer_, &QTimer::timeout, this, &MouseLocator::follow);
}

QString MouseLocator::positionText(const QPoint& p) { return QStringLiteral("X: %1  Y: %2").arg(p.x()).arg(p.y()); }

void MouseLocator::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    last_ = QPoint(-1, -1);
    follow();
    timer_.start();
}

void MouseLocator::hideEvent(QHideEvent* event) {
    timer_.stop();
    QLabel::hideEvent(event);
}

void MouseLocator::follow() {
    const QPoint pos = QCursor::pos();
    if (pos == last_) return;
    last_ = pos;
    const QScreen* screen = QGuiApplication::screenAt(pos);
    // The mouse commands take the screen's own pixels, whatever the display scale.
    const qreal scale = screen != nullptr ? screen->devicePixelRatio() : 1.0;
    setText(positionText((QPointF(pos) * scale).toPoint()));
    // Below and right of the pointer, kept on its screen.
    QPoint at = pos + QPoint(kOffset, kOffset);
    if (screen != nullptr) {
        const QRect area = screen->geometry();
        if (at.x() + width() > area.right()) at.setX(pos.x() - kOffset - width());
        if (at.y() + height() > area.bottom()) at.setY(pos.y() - kOffset - height());
    }
    move(at);
}

}  // namespace orv::gui
