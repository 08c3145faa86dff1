#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace orv::dialogs {

// One button of the "Scripting Wizard" launcher: its label (with "&" before the letter that
// Alt presses) and the Scripting Editor command it appends.
struct WizardButton {
    std::string_view label;
    int command;
};

struct WizardPage {
    std::string_view caption;
    std::array<WizardButton, 11> buttons;  // unused places have an empty label
    int count;
};

// "Scripting Wizard" (TDoWizard, help topic "Command Wizard"): its four pages under "What would
// you like to do?".
const std::array<WizardPage, 4>& scriptingWizardPages();

// The command of the button on `page` (0-based) whose label has `letter` underlined, compared
// without regard to case; none when no button has it.
std::optional<int> wizardCommandForLetter(std::size_t page, char letter);

// Asked after a line was added (title "Added", Yes/No); "No" closes the launcher.
inline constexpr std::string_view kWizardContinueTitle = "Added";
inline constexpr std::string_view kWizardContinueQuestion = "Macro object successfully added.  Continue with wizard?";

}  // namespace orv::dialogs
