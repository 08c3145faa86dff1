#pragma once

#include <string>

namespace orv {

// The buttons a message box offers.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };

// What the user answered.
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Modal message boxes: a title, one or two sentences of Windows-1252 text and buttons.
class IUserPrompt {
public:
    virtual ~IUserPrompt() = default;
    virtual PromptAnswer messageBox(const std::string& title, const std::string& text,
                                    PromptButtons buttons = PromptButtons::Ok) = 0;
};

}  // namespace orv
