#pragma once

#include "platform/user_prompt.h"

class QWidget;

namespace orv::gui {

// Message boxes as modal, always-on-top Qt message boxes.
class QtUserPrompt final : public IUserPrompt {
public:
    explicit QtUserPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    PromptAnswer messageBox(const std::string& title, const std::string& text, PromptButtons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace orv::gui
