#include "platform/fake/fake_message_pump.h"

#include <utility>

namespace orv::fake {

void FakeMessagePump::processMessages() { deliver(); }

void FakeMessagePump::waitFor(std::uint32_t milliseconds) {
    record("wait " + std::to_string(milliseconds) + " ms");
    waited_ += milliseconds;
    if (clock_ != nullptr) clock_->advanceMs(milliseconds);
    deliver();
    if (waitLimit_ != 0 && ++waits_ > waitLimit_ && onWaitLimit_.second) {
        record("messages " + onWaitLimit_.first);
        std::exchange(onWaitLimit_.second, nullptr)();
    }
}

void FakeMessagePump::limitWaits(std::uint64_t limit, std::string label, std::function<void()> event) {
    waitLimit_ = limit;
    onWaitLimit_ = {std::move(label), std::move(event)};
}

void FakeMessagePump::at(std::uint64_t call, std::string label, std::function<void()> event) {
    events_.emplace(call, std::make_pair(std::move(label), std::move(event)));
}

void FakeMessagePump::deliver() {
    ++calls_;
    while (!events_.empty() && events_.begin()->first <= calls_) {
        auto node = events_.extract(events_.begin());
        record("messages " + node.mapped().first);
        if (node.mapped().second) node.mapped().second();
    }
}

}  // namespace orv::fake
