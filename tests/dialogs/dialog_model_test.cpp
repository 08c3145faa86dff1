// The common model: number reading and writing, fields as their controls hold them, and every
// registered dialog facing hostile field text.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialog_env.h"
#include "dialogs/dialog_registry.h"
#include "dialogs/dialog_text.h"

namespace orv::dialogs {
namespace {

TEST(DialogText, ReadsWholeNumbersStrictly) {
    const struct {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+3", 3},
        {"007", 7},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1x", std::nullopt},
        {"1.0", std::nullopt},
        {"999999999999999999", 999999999999999999},
        {"9999999999999999999", std::nullopt},
        {"\xB2", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseWhole(c.text), c.value) << c.text;
}

TEST(DialogText, WritesPaddedNumbersAndHundredths) {
    EXPECT_EQ(padNumber(-12, 5), "-0012");
    EXPECT_EQ(padNumber(7, 3), "007");
    EXPECT_EQ(padNumber(12345, 3), "12345");
    EXPECT_EQ(formatHundredths(150), "01.50");
    EXPECT_EQ(formatHundredths(6000), "60.00");
    EXPECT_EQ(formatHundredths(5), "00.05");
    EXPECT_EQ(parseDecimal(".25"), 0.25);
    EXPECT_EQ(parseDecimal("1.2.3"), std::nullopt);
    EXPECT_EQ(trimText(" \t a b \r\n"), "a b");
    EXPECT_EQ(trimText("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(DialogModel, FieldsHoldWhatTheirControlsCanHold) {
    auto m = makeDialog("TDoRemark");
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->set("remark", std::string(300, 'r')));
    EXPECT_EQ(m->get("remark").size(), 240u);
    EXPECT_FALSE(m->set("nosuchfield", "1"));

    auto w = makeDialog("tdowaitwin");
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->set("kind", "sometimes"));
    EXPECT_EQ(w->get("kind"), "window");
    EXPECT_FALSE(w->set("casesensitive", "yes"));
    EXPECT_TRUE(w->set("casesensitive", "1"));
    w->reset();
    EXPECT_EQ(w->get("casesensitive"), "0");
    EXPECT_EQ(w->get("limitminutes"), "10");
}

TEST(DialogRegistry, NamesAreUniqueAndLookedUpWithoutCase) {
    std::set<std::string> names;
    for (const DialogInfo& d : dialogRegistry()) {
        EXPECT_TRUE(names.insert(std::string(d.name)).second) << d.name;
        auto m = d.make();
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->typeName(), d.name);
        EXPECT_FALSE(m->caption().empty());
    }
    EXPECT_EQ(names.size(), 39u);
    EXPECT_EQ(makeDialog("NoSuchDialog"), nullptr);
}

// Every dialog in every choice of its radio groups, with every text field holding the same
// hostile text: no crash, a refusal names one of the dialog's fields, and an accepted command
// fits in 255 characters (the text box builds its own longer tag).
TEST(DialogRegistry, HostileFieldTextIsRefusedOrMakesAShortCommand) {
    const std::string hostile[] = {"",
                                   "   ",
                                   "99999999999999999999999",
                                   "-99999",
                                   "12abc",
                                   "1.5.5",
                                   "+",
                                   "0",
                                   "W>\xE9\xFF\x80<",
                                   std::string(300, '9'),
                                   std::string(300, '\xE9')};
    for (const DialogInfo& d : dialogRegistry()) {
        auto probe = d.make();
        for (const FieldDef& choiceField : probe->fields()) {
            if (choiceField.kind != FieldKind::Choice) continue;
            for (const std::string& choice : choiceField.choices) {
                for (const std::string& text : hostile) {
                    test::DialogFixture fx;
                    fx.files.addFile(text);
                    auto m = d.make();
                    m->show(fx.env);
                    ASSERT_TRUE(m->set(choiceField.name, choice));
                    for (const FieldDef& f : m->fields()) {
                        if (f.kind == FieldKind::Text) m->set(f.name, text);
                    }
                    const Outcome o = m->check(fx.env);
                    const std::string where = std::string(d.name) + " " + choiceField.name + "=" + choice;
                    if (o.accepted) {
                        if (d.name != "TDoTBox") {
                            EXPECT_LE(o.output.size(), kMaxOutput) << where;
                        }
                    } else {
                        EXPECT_NE(m->field(o.failure.field), nullptr) << where << " failed on " << o.failure.field;
                    }
                }
            }
        }
    }
}

TEST(DialogModel, OverLongCommandIsRefusedNotCut) {
    test::DialogFixture fx;
    auto m = makeDialog("TDoActive");
    const std::string program = "/p/" + std::string(200, 'a') + ".EXE";
    fx.files.addFile(program);
    m->set("kind", "activateorlaunch");
    m->set("title", std::string(100, 't'));
    m->set("program", program);
    const Outcome o = m->check(fx.env);
    ASSERT_FALSE(o.accepted);
    EXPECT_EQ(o.failure.field, "program");
    EXPECT_EQ(o.failure.message, "The command is longer than 255 characters.  Please shorten it.");
    EXPECT_FALSE(m->accepted());
}

}  // namespace
}  // namespace orv::dialogs
