#pragma once

#include <deque>

#include "platform/fake/transcript.h"
#include "platform/shell.h"

namespace orv::fake {

// Records `shell open "<verb>" "<target>" "<parameters>" "<directory>" -> <result>` and answers
// from a queue of result numbers (42, a success, when it is empty).
class FakeShell final : public IShell, public Recorder {
public:
    using Recorder::Recorder;

    int shellOpen(const std::string& verb, const std::string& target, const std::string& parameters,
                  const std::string& directory) override;
    void queueResult(int result) { results_.push_back(result); }

private:
    std::deque<int> results_;
};

}  // namespace orv::fake
