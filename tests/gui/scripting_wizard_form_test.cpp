#include "gui/dialogs/scripting_wizard_form.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabWidget>
#include <vector>

#include "platform/fake/fake_user_prompt.h"

namespace orv::gui {
namespace {

TEST(ScriptingWizard, ButtonsAddTheirCommandAndNoEndsTheWizard) {
    fake::FakeUserPrompt prompt;
    std::vector<int> asked;
    bool accepts = false;
    TDoWizard wizard(
        [&](int command) {
            asked.push_back(command);
            return accepts;
        },
        prompt);
    wizard.show();
    auto* pages = wizard.findChild<QTabWidget*>(QStringLiteral("Pages"));
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(3), QStringLiteral("&Macro Control"));
    auto press = [&](int command) {
        wizard.findChild<QPushButton*>(QStringLiteral("Command%1").arg(command))->click();
    };

    // A cancelled dialog adds nothing and asks nothing.
    press(93);
    EXPECT_TRUE(prompt.shown().empty());

    accepts = true;
    prompt.queueAnswer(PromptAnswer::Yes);
    press(93);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Added");
    EXPECT_EQ(prompt.shown()[0].text, "Macro object successfully added.  Continue with wizard?");
    EXPECT_TRUE(wizard.isVisible());

    prompt.queueAnswer(PromptAnswer::No);
    press(4);
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(asked, (std::vector<int>{93, 93, 4}));
}

}  // namespace
}  // namespace orv::gui
