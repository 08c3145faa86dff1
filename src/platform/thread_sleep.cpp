#include "platform/thread_sleep.h"

#include <chrono>
#include <thread>

namespace orv {

void SystemThreadSleep::sleepMs(std::uint64_t milliseconds) {
    // Slept in pieces of at most a day so that no duration type can overflow.
    constexpr std::uint64_t kDayMs = 86400000;
    while (milliseconds > 0) {
        const std::uint64_t piece = milliseconds < kDayMs ? milliseconds : kDayMs;
        std::this_thread::sleep_for(std::chrono::milliseconds(piece));
        milliseconds -= piece;
    }
}

}  // namespace orv
