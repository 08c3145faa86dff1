#include "platform/fake/fake_user_prompt.h"

namespace orv::fake {

PromptAnswer FakeUserPrompt::messageBox(const std::string& title, const std::string& text, PromptButtons buttons) {
    shown_.push_back({title, text, buttons});
    record("message \"" + title + "\" \"" + text + "\"");
    if (!answers_.empty()) {
        const PromptAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                    : PromptAnswer::Ok;
}

}  // namespace orv::fake
