#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orv::test {

// Runs `step` on the next modal window of type W once it is on screen, from inside the event
// loop that shows it: the way a test answers a modal dialog or message box ahead of time.
template <typename W>
void whenModal(std::function<void(W*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (w == nullptr || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        step(w);
    });
    timer->start();
}

}  // namespace orv::test
