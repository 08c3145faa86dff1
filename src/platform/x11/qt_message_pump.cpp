#include "platform/x11/qt_message_pump.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>

#include <chrono>
#include <thread>

namespace orv::x11 {

void QtMessagePump::processMessages() {
    if (QCoreApplication::instance() == nullptr) return;
    // A playback asks after every character: looking at the queue (a poll of every source and
    // a read of each connection) once a millisecond keeps an abort or a hotkey as prompt and
    // leaves the processor to the typing.
    const auto now = std::chrono::steady_clock::now();
    if (now - lastProcessed_ < kProcessInterval) return;
    QCoreApplication::processEvents();
    lastProcessed_ = std::chrono::steady_clock::now();
}

void QtMessagePump::waitFor(std::uint32_t milliseconds) {
    if (QCoreApplication::instance() == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    // The loop sleeps in the event dispatcher until a message or the timer arrives.
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace orv::x11
