#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>

namespace orv::gui {

// A small window that stays on top, follows the pointer and shows its screen coordinates, to
// fill in the mouse commands. It never takes input, so it does not get in the way of clicks.
class MouseLocator final : public QLabel {
    Q_OBJECT
public:
    explicit MouseLocator(QWidget* parent = nullptr);

    // The text shown for a pointer position.
    static QString positionText(const QPoint& p);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void follow();

    // The pointer's position is asked for on each tick while the window shows: the desktop sends
    // no motion events to a window that is not under the pointer.
    QTimer timer_;
    QPoint last_{-1, -1};
};

}  // namespace orv::gui
