#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>

#include <chrono>
#include <thread>

#include "platform/x11/qt_message_pump.h"

namespace orv::x11 {
namespace {

// A playback starts in a handler of the event loop, which has just looked at the queue: the
// pump's first look comes a millisecond later, so that a short macro leaves whole, and then it
// comes again while the playback asks.
TEST(QtMessagePump, TheFirstLookOfAPlaybackWaitsThenMessagesAreHandled) {
    int argc = 1;
    char name[] = "test_x11";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    bool handled = false;
    QMetaObject::invokeMethod(
        &app, [&] { handled = true; }, Qt::QueuedConnection);
    QtMessagePump pump;
    EXPECT_FALSE(pump.due());
    pump.processMessages();
    EXPECT_FALSE(handled);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!handled && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        pump.processMessages();
    }
    EXPECT_TRUE(handled);
}

}  // namespace
}  // namespace orv::x11
