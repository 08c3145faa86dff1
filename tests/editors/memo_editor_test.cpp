// The memo of the editors: the size test of inserts, Find / Find Again and Search and Replace.
#include "editors/memo_editor.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_user_prompt.h"

namespace orv::editors {
namespace {

TEST(CheckSize, InsertsUpToTheLimitAndRefusesPastIt) {
    struct Case {
        std::size_t length;
        std::string_view insert;
        bool allowed;
    };
    const Case cases[] = {
        {4995, "<ENTER>", false}, {4995, "<END>", true}, {5000, "", true}, {5000, "a", false}, {0, "<TAB>", true},
    };
    for (const Case& c : cases) {
        fake::FakeUserPrompt prompt;
        EXPECT_EQ(CheckSize(prompt, c.length, c.insert.size()), c.allowed) << c.length << " + " << c.insert;
        if (c.allowed) {
            EXPECT_TRUE(prompt.shown().empty());
        } else {
            ASSERT_EQ(prompt.shown().size(), 1u);
            EXPECT_EQ(prompt.shown()[0].title, "Error");
            EXPECT_EQ(prompt.shown()[0].text, "Text exceeds maximum length.  Text not added.");
        }
    }
}

TEST(TabsToTags, EachTabBecomesFiveCharacters) {
    EXPECT_EQ(tabsToTags("a\tb\t\r\nc"), "a<TAB>b<TAB>\r\nc");
    EXPECT_EQ(tabsToTags(std::string(4996, 'x') + "\t").size(), 5001u);
}

TEST(MemoSearch, FindAgainWalksThroughAndStartsOverAfterAMiss) {
    fake::FakeUserPrompt prompt;
    MemoSearch search;
    const std::string memo = "abAB";
    EXPECT_EQ(search.find(memo, "ab", prompt), (MemoSelection{0, 2}));
    EXPECT_EQ(search.findAgain(memo, prompt), (MemoSelection{2, 2}));
    EXPECT_EQ(search.findAgain(memo, prompt), std::nullopt);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Warning");
    EXPECT_EQ(prompt.shown()[0].text, "\"ab\" was not found.");
    EXPECT_EQ(search.offset(), 0u);
    EXPECT_EQ(search.findAgain(memo, prompt), (MemoSelection{0, 2}));
    // A new Find starts from the top again.
    EXPECT_EQ(search.find(memo, "B", prompt), (MemoSelection{1, 1}));
}

TEST(MemoSearch, OffsetPastAShortenedMemoSearchesTheEnd) {
    fake::FakeUserPrompt prompt;
    MemoSearch search;
    search.find("xxxxxab", "ab", prompt);
    EXPECT_EQ(search.findAgain("ab", prompt), std::nullopt);
    EXPECT_EQ(search.findAgain("ab", prompt), (MemoSelection{0, 2}));
}

TEST(ReplaceInLines, ReplacesLineByLineWithoutRescanning) {
    struct Case {
        std::string memo;
        std::string find;
        std::string replacement;
        std::string text;
        int count;
    };
    const Case cases[] = {
        {"aaa", "a", "aa", "aaaaaa", 3},         {"Hello\nhello\nHELLO", "hello", "Bye", "Bye\nBye\nBye", 3},
        {"ab\ncd", "b\nc", "x", "ab\ncd", 0},  // never across a line break
        {"one two", "three", "x", "one two", 0}, {"x\n\ny\n", "y", "z", "x\n\nz\n", 1},
        {"\xe9t\xe9", "\xc9", "e", "ete", 2},  // accented letters compared in upper case
    };
    for (const Case& c : cases) {
        const Replaced r = replaceInLines(c.memo, c.find, c.replacement);
        EXPECT_EQ(r.text, c.text) << c.memo;
        EXPECT_EQ(r.count, c.count) << c.memo;
    }
}

TEST(ReplaceInLines, ReportNamesTheTextAsTyped) {
    fake::FakeUserPrompt prompt;
    reportReplaced(prompt, "a", 3);
    reportReplaced(prompt, "Zz", 0);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].title, "Replaced");
    EXPECT_EQ(prompt.shown()[0].text, "\"a\" was replaced 3 times.");
    EXPECT_EQ(prompt.shown()[1].title, "Warning");
    EXPECT_EQ(prompt.shown()[1].text, "\"Zz\" was not found.");
}

}  // namespace
}  // namespace orv::editors
