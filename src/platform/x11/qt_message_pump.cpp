#include "platform/x11/qt_message_pump.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>

#include <chrono>
#include <thread>

namespace orv::x11 {

bool QtMessagePump::dueAt(Clock::time_point now) const {
    // A playback asks after every character: looking at the queue (a poll of every source and
    // a read of each connection, and whatever the toolkit does then, such as reading the
    // keyboard map again after the server switched keyboards) once a millisecond keeps an abort
    // or a hotkey as prompt and leaves the processor to the typing. A playback begins in a
    // handler of the event loop, which has just looked at the queue: a short macro is typed
    // whole before the queue is looked at again.
    return QCoreApplication::instance() != nullptr && now - lastAsked_ < kQuiet &&
           now - lastProcessed_ >= kProcessInterval;
}

bool QtMessagePump::due() const { return dueAt(Clock::now()); }

void QtMessagePump::processMessages() {
    const auto now = Clock::now();
    const bool due = dueAt(now);
    if (now - lastAsked_ >= kQuiet) lastProcessed_ = now;
    lastAsked_ = now;
    if (!due) return;
    QCoreApplication::processEvents();
    lastProcessed_ = lastAsked_ = Clock::now();
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
    lastProcessed_ = lastAsked_ = Clock::now();
}

}  // namespace orv::x11
