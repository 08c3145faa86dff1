#include "engine/command_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/command_table.h"

namespace orv {
namespace {

// The interpreter and the script reader try the tag standing at a "<" without regard to order:
// that holds only while no tag's text is the start of another's.
TEST(CommandCatalogue, NoTagIsTheStartOfAnother) {
    const auto all = commandTable();
    for (const CommandEntry& a : all) {
        for (const CommandEntry& b : all) {
            if (&a == &b) continue;
            EXPECT_FALSE(b.tag.starts_with(a.tag)) << a.tag << " starts " << b.tag;
        }
    }
}

TEST(CommandCatalogue, EveryCommandHasItsEntry) {
    for (std::size_t i = 0; i < kCommandIdCount; ++i) {
        const auto id = static_cast<CommandId>(i);
        EXPECT_EQ(commandSpec(id).id, id) << i;
    }
    EXPECT_EQ(commandSpec(CommandId::FKey).arg, 1);  // the first of a range
    EXPECT_EQ(commandSpec(CommandId::TimeFormat).script, ScriptCommand::Time);
}

// Fields follow the tag's name in order without overlapping, and the closing ">" or the text
// comes after the last of them.
TEST(CommandCatalogue, LayoutsPlaceFieldsAfterTheNameInOrder) {
    for (const CommandEntry& c : kCommandCatalogue) {
        const TagLayout& l = c.layout;
        std::size_t end = c.tag.size();
        for (std::size_t i = 0; i < l.fieldCount; ++i) {
            EXPECT_GE(l.fields[i].at, end) << c.tag;
            EXPECT_GT(l.fields[i].width, 0) << c.tag;
            end = l.fields[i].at + l.fields[i].width;
        }
        EXPECT_TRUE(l.close == 0 || l.text == 0) << c.tag;
        if (l.close != 0) {
            EXPECT_EQ(l.close, end) << c.tag;
        }
        if (l.hasText()) {
            EXPECT_GE(l.text, end) << c.tag;
        }
        EXPECT_TRUE(l.fieldCount == 0 || l.close != 0 || l.hasText()) << c.tag;
    }
}

TEST(CommandCatalogue, ComposedTagsPadFieldsAndSeparateThem) {
    const struct {
        std::string written;
        const char* expected;
    } cases[] = {
        {composeTag(CommandId::Rep, {3, 10, 5}), "<REP:0003:000010:000005>"},
        {composeTag(CommandId::PauseAt, {10, 20}, "Go on"), "<PAUSE:010,020Go on>"},
        {composeTag(CommandId::Waitwin, {0}, "Calc"), "<WAITWIN:000:Calc>"},
        {composeTag(CommandId::Launchyes2, {2, 12}, "X<LAUNCH:x.exe"), "<LAUNCHYES2:0212X<LAUNCH:x.exe>"},
        {composeTag(CommandId::Wpos2, {-5, 123456}, "W"), "<WPOS2:-0005,123456W>"},
        {composeTag(CommandId::Cdplay, {7}), "<CDPLAY>"},
        {composeTagFields(CommandId::Delay, {"01.50"}), "<DELAY:01.50>"},
        {composeDateTag(0, true, false, 12), "<MM/DD/YY{YP012}>"},
        {composeTimeTag(0, false), "<hh:mm{N}>"},
        {composeNetworkStart(CommandId::Nwd, true, true, true) + "G:>", "<NWDPFS:G:>"},
        {composeNetworkStart(CommandId::Nwc, false, true, false), "<NWC:"},
        {composeDialTag("u", "p", "Office"), "<DIAL:<NAME:u><PASS:p>Office>"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.written, c.expected);
}

}  // namespace
}  // namespace orv
