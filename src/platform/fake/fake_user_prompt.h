#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/fake/transcript.h"
#include "platform/user_prompt.h"

namespace orv::fake {

// Message boxes that answer from a script. Each box is recorded as
// `message "<title>" "<text>"`; unscripted boxes get Ok (or Yes for yes/no boxes).
class FakeUserPrompt final : public IUserPrompt, public Recorder {
public:
    using Recorder::Recorder;

    struct Shown {
        std::string title;
        std::string text;
        PromptButtons buttons;
    };

    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons) override;

    void queueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }
    void clearShown() { shown_.clear(); }

private:
    std::deque<PromptAnswer> answers_;
    std::vector<Shown> shown_;
};

}  // namespace orv::fake
