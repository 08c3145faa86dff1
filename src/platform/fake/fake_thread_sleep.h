#pragma once

#include "platform/fake/fake_clock.h"
#include "platform/fake/transcript.h"
#include "platform/thread_sleep.h"

namespace orv::fake {

// Records `sleep <n> ms`, returns at once and moves an attached fake clock on by that much.
class FakeThreadSleep final : public IThreadSleep, public Recorder {
public:
    using Recorder::Recorder;
    FakeThreadSleep(Transcript& shared, FakeClock* clock) : Recorder(shared), clock_(clock) {}

    void sleepMs(std::uint64_t milliseconds) override {
        record("sleep " + std::to_string(milliseconds) + " ms");
        slept_ += milliseconds;
        if (clock_ != nullptr) clock_->advanceMs(milliseconds);
    }
    std::uint64_t slept() const { return slept_; }

private:
    FakeClock* clock_ = nullptr;
    std::uint64_t slept_ = 0;
};

}  // namespace orv::fake
