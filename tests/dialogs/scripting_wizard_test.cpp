#include <gtest/gtest.h>

#include <set>

#include "dialogs/scripting_wizard.h"

namespace orv::dialogs {
namespace {

TEST(ScriptingWizard, AltLetterPressesTheButtonOfTheCurrentPage) {
    EXPECT_EQ(wizardCommandForLetter(0, 'o'), 24);  // "M&ouse Clicks, Movements, Wheel"
    EXPECT_EQ(wizardCommandForLetter(0, 'I'), 15);  // "&Insert a Text File", not "I&nsert Time"
    EXPECT_EQ(wizardCommandForLetter(1, 'z'), 16);
    EXPECT_EQ(wizardCommandForLetter(3, 'b'), 54);
    EXPECT_EQ(wizardCommandForLetter(2, 'z'), std::nullopt);
    EXPECT_EQ(wizardCommandForLetter(4, 'a'), std::nullopt);
}

TEST(ScriptingWizard, EveryPageHasDistinctLettersAndCommands) {
    for (const WizardPage& page : scriptingWizardPages()) {
        std::set<char> letters;
        for (int i = 0; i < page.count; ++i) {
            const std::string_view label = page.buttons[static_cast<std::size_t>(i)].label;
            const std::size_t at = label.find('&');
            ASSERT_NE(at, std::string_view::npos) << label;
            EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(label[at + 1]))).second) << label;
            EXPECT_GE(page.buttons[static_cast<std::size_t>(i)].command, 1);
            EXPECT_LE(page.buttons[static_cast<std::size_t>(i)].command, 111);
        }
    }
}

}  // namespace
}  // namespace orv::dialogs
