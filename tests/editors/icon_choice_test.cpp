// "Load in Icon": which file a macro's icon becomes and what is copied into the icons folder.
#include "editors/icon_choice.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_user_prompt.h"
#include "support/temp_dir.h"

namespace orv::editors {
namespace {

class IconChoiceTest : public ::testing::Test {
protected:
    IconChoiceTest() {
        std::filesystem::create_directories(dir.path() / "Icons");
        std::filesystem::create_directories(dir.path() / "elsewhere");
    }
    std::string icons() const { return dir.file("Icons"); }
    std::string elsewhere(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file("elsewhere/" + name);
        test::writeFile(path, bytes);
        return path;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& s : prompt.shown()) out.push_back(s.text);
        return out;
    }

    test::TempDir dir;
    fake::FakeUserPrompt prompt;
};

TEST_F(IconChoiceTest, FileFromElsewhereIsCopiedIn) {
    EXPECT_EQ(chooseIcon(elsewhere("smile.ico", "A"), icons(), prompt), "smile.ico");
    EXPECT_EQ(test::readFile(icons() + "/smile.ico"), "A");
    // Choosing it again finds the same icon there: no message.
    EXPECT_EQ(chooseIcon(elsewhere("smile.ico", "A"), icons(), prompt), "smile.ico");
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(IconChoiceTest, NameTakenByAnotherIconOpensTheFolderOne) {
    test::writeFile(icons() + "/smile.ico", "OLD");
    EXPECT_EQ(chooseIcon(elsewhere("smile.ico", "NEW"), icons(), prompt), "smile.ico");
    EXPECT_EQ(test::readFile(icons() + "/smile.ico"), "OLD");
    EXPECT_EQ(messages(), std::vector<std::string>{"The selected icon could not be opened.  An icon of this name "
                                                   "already exists in the default icon folder.  It will be opened "
                                                   "instead."});
}

TEST_F(IconChoiceTest, LongNameGetsAShortOne) {
    EXPECT_EQ(chooseIcon(elsewhere("happy-face-large.ico", "A"), icons(), prompt), "HAPPYF~1.ICO");
    EXPECT_EQ(chooseIcon(elsewhere("happy-face-small.ico", "B"), icons(), prompt), "HAPPYF~2.ICO");
    EXPECT_EQ(chooseIcon(elsewhere("happy-face-large.ico", "A"), icons(), prompt), "HAPPYF~1.ICO");
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(IconChoiceTest, RefusesWhatIsNoIcon) {
    EXPECT_EQ(chooseIcon(elsewhere("picture.png", "A"), icons(), prompt), std::nullopt);
    EXPECT_EQ(chooseIcon(dir.file("elsewhere/missing.ico"), icons(), prompt), std::nullopt);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Invalid file type selected.", "Icon could not be opened."}));
}

TEST_F(IconChoiceTest, FileInTheFolderKeepsItsName) {
    test::writeFile(icons() + "/GEAR.ICO", "G");
    EXPECT_EQ(chooseIcon(icons() + "/GEAR.ICO", icons(), prompt), "GEAR.ICO");
    EXPECT_TRUE(prompt.shown().empty());
}

}  // namespace
}  // namespace orv::editors
