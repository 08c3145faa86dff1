// The direct editor's header, caption and "&Update", and the keystroke editor's result.
#include "editors/direct_editor.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_user_prompt.h"
#include "support/temp_dir.h"

namespace orv::editors {
namespace {

const LocalTime kToday{2026, 3, 30, 15, 4, 23, 0, 1};

class DirectEditorTest : public ::testing::Test {
protected:
    DirectEditorModel open(EditorKind kind, bool existing = false, bool exclusive = false) {
        return DirectEditorModel(buffer, EditorStart{existing, kind, exclusive, "Ctrl+K"}, kToday,
                                 icons.path().string());
    }

    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    test::TempDir icons;
    TMacroRecord buffer;
};

TEST_F(DirectEditorTest, NewMacroGetsTheDefaults) {
    buffer.WindowTitle = "left over";
    buffer.TopMostOnly = 0;
    DirectEditorModel m = open(EditorKind::HotKey);
    EXPECT_EQ(m.scope(), kScopeGlobal);
    EXPECT_EQ(m.iconName(), "MAIN");
    EXPECT_EQ(m.text(), "");
    EXPECT_EQ(buffer.WindowTitle, "");
    EXPECT_EQ(buffer.TopMostOnly, 1);
    EXPECT_EQ(buffer.ScheduleKind, 3);
    EXPECT_EQ(buffer.ScheduleMonth, 3);
    EXPECT_EQ(m.caption(), "Modify Hot Key  (GLOBAL)");

    // A window-title macro keeps the title Add Macro stored, and shows it in the name field.
    buffer.WindowTitle = "Notepad";
    DirectEditorModel w = open(EditorKind::WindowTitle);
    EXPECT_EQ(w.name(), "Notepad");
    EXPECT_FALSE(w.layout().scopeChoice);
}

TEST_F(DirectEditorTest, ExistingMacroShowsItsRecord) {
    buffer.NickName = "greet";
    buffer.MacroText = std::string("Hi<ENTER>\r\nthere") + '\0' + "junk";
    buffer.Scope = kScopePopupMenu;  // anything but 1 and 2 shows as Program
    buffer.WindowTitle = "gedit";
    buffer.IconName = "GONE.ICO";  // no such file: the main icon
    DirectEditorModel m = open(EditorKind::HotKey, true);
    EXPECT_EQ(m.nickName(), "greet");
    EXPECT_EQ(m.text(), "Hi<ENTER>\r\nthere");
    EXPECT_EQ(m.scope(), kScopeProgram);
    EXPECT_EQ(m.iconName(), "MAIN");
    EXPECT_EQ(m.caption(), "Modify Hot Key  (Program: gedit)");
    m.setScope(kScopeWindow);
    EXPECT_EQ(m.caption(), "Modify Hot Key  (Window Title: gedit)");

    test::writeFile(icons.file("SMILE.ICO"), "icon");
    buffer.IconName = "SMILE.ICO";
    EXPECT_EQ(open(EditorKind::HotKey, true).iconName(), "SMILE.ICO");
}

TEST_F(DirectEditorTest, ExclusiveHotKeyTakesGlobalAway) {
    DirectEditorModel m = open(EditorKind::HotKey, false, true);
    EXPECT_EQ(m.scope(), kScopeWindow);
    EXPECT_FALSE(m.globalEnabled());
    m.setScope(kScopeGlobal);
    EXPECT_EQ(m.scope(), kScopeWindow);
}

TEST(HeaderLayout, EachKindShowsItsControls) {
    struct Case {
        EditorKind kind;
        std::string_view label;
        bool labelShown, schedule, hotKey, name;
        int nameMax;
    };
    const Case cases[] = {
        {EditorKind::HotKey, "", false, false, true, false, 0},
        {EditorKind::NoneLater, "", false, false, true, false, 0},
        {EditorKind::None, "None", false, false, true, false, 0},
        {EditorKind::Timed, "Timed Macros", true, true, false, false, 0},
        {EditorKind::ShortKey, "ShortKey", true, false, false, true, 10},
        {EditorKind::WindowTitle, "Window Title", true, false, false, true, 20},
    };
    for (const Case& c : cases) {
        const HeaderLayout l = headerLayout(c.kind);
        EXPECT_EQ(l.timerLabel, c.label);
        EXPECT_EQ(l.timerLabelShown, c.labelShown);
        EXPECT_EQ(l.setScheduleShown, c.schedule);
        EXPECT_EQ(l.hotKeyLabelShown, c.hotKey);
        EXPECT_EQ(l.nameFieldShown, c.name);
        EXPECT_EQ(l.nameMaxLength, c.nameMax);
    }
}

TEST_F(DirectEditorTest, UpdateRefusesABadHeader) {
    struct Case {
        EditorKind kind;
        std::string name;
        int scope;
        const char* field;  // nullptr: accepted
        const char* message;
    };
    const char* invalid =
        "The ShortKey name has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & "
        "_ = < > ? . ; , * - / +";
    const Case cases[] = {
        {EditorKind::ShortKey, "  ", kScopeGlobal, kNameField, "No ShortKey name was entered."},
        {EditorKind::ShortKey, "a b", kScopeGlobal, kNameField, invalid},
        {EditorKind::ShortKey, "it's", kScopeGlobal, kNameField, invalid},
        {EditorKind::ShortKey, " ab! ", kScopeGlobal, nullptr, ""},
        {EditorKind::WindowTitle, " ", kScopeGlobal, kNameField, "No Window title has been entered."},
        {EditorKind::HotKey, "", kScopeWindow, kSelectField, "No window title has been entered.  Please correct."},
        {EditorKind::HotKey, "", kScopeProgram, kSelectField, "No program name has been entered.  Please correct."},
    };
    for (const Case& c : cases) {
        buffer = TMacroRecord{};
        DirectEditorModel m = open(c.kind);
        m.setName(c.name);
        m.setScope(c.scope);
        const dialogs::Outcome o = m.update("text", prompt, clock);
        if (c.field == nullptr) {
            EXPECT_TRUE(o.accepted) << c.name;
            continue;
        }
        EXPECT_FALSE(o.accepted) << c.name;
        EXPECT_EQ(o.failure.field, c.field);
        EXPECT_EQ(o.failure.message, c.message);
        EXPECT_EQ(buffer.MacroText, "") << "nothing stored";
    }
}

TEST_F(DirectEditorTest, UpdateStoresTheHeaderAndText) {
    clock.set(kToday);
    DirectEditorModel m = open(EditorKind::ShortKey);
    m.setNickName(std::string(60, 'n'));
    m.setName(" brb ");
    m.setIconName("SMILE.ICO");
    ASSERT_TRUE(m.update("be right back\tok\r\n", prompt, clock).accepted);
    EXPECT_EQ(buffer.NickName, std::string(50, 'n'));
    EXPECT_EQ(buffer.ShortKeyText, "brb");
    EXPECT_EQ(buffer.IconName, "SMILE.ICO");
    EXPECT_EQ(buffer.Scope, kScopeGlobal);
    EXPECT_EQ(buffer.Active, 1);
    EXPECT_EQ(buffer.MacroText, "be right back<TAB>ok\r\n");
    EXPECT_DOUBLE_EQ(buffer.LastModified, toDateSerial(kToday));

    // The window-title macro stores its trimmed title; Select fills the title of a scope.
    DirectEditorModel w = open(EditorKind::WindowTitle);
    w.setName(" Calc ");
    ASSERT_TRUE(w.update("", prompt, clock).accepted);
    EXPECT_EQ(buffer.WindowTitle, "Calc");
    EXPECT_EQ(buffer.ShortKeyText, "");
    DirectEditorModel s = open(EditorKind::HotKey);
    s.setScope(kScopeWindow);
    s.setWindow(std::string(40, 't'), 0);
    ASSERT_TRUE(s.update("", prompt, clock).accepted);
    EXPECT_EQ(buffer.WindowTitle, std::string(30, 't'));
    EXPECT_EQ(buffer.TopMostOnly, 0);
    EXPECT_EQ(buffer.Scope, kScopeWindow);
}

TEST_F(DirectEditorTest, TextOverTheLimitAsksBeforeCutting) {
    struct Case {
        std::string memo;
        PromptAnswer answer;
        bool asked;
        bool stored;
        std::size_t size;
    };
    const Case cases[] = {
        {std::string(5000, 'x'), PromptAnswer::Yes, false, true, 5000},
        {std::string(5001, 'x'), PromptAnswer::No, true, false, 0},
        {std::string(5001, 'x'), PromptAnswer::Yes, true, true, 5000},
        {std::string(4996, 'x') + "\t", PromptAnswer::Yes, true, true, 5000},  // the TAB counts five
    };
    for (const Case& c : cases) {
        buffer = TMacroRecord{};
        fake::FakeUserPrompt p;
        p.queueAnswer(c.answer);
        DirectEditorModel m = open(EditorKind::HotKey);
        const dialogs::Outcome o = m.update(c.memo, p, clock);
        EXPECT_EQ(o.accepted, c.stored);
        EXPECT_EQ(buffer.MacroText.size(), c.size);
        ASSERT_EQ(p.shown().size(), c.asked ? 1u : 0u);
        if (!c.asked) continue;
        EXPECT_EQ(p.shown()[0].title, "Warning");
        EXPECT_EQ(p.shown()[0].buttons, PromptButtons::YesNo);
        EXPECT_EQ(p.shown()[0].text,
                  "The size of the macro exceeds the 5,000 character limit.  The macro will be truncated to 5,000 "
                  "characters. Would you like to exit and have the macro truncated?");
        if (!c.stored) {
            EXPECT_EQ(o.failure.field, kMemoField);
        }
    }
}

TEST(EditorStartFor, KindFromTheCodeAndExclusiveFromOtherMacros) {
    TActivationTable t;
    t.setMacroCount(4);
    const std::int16_t codes[] = {10, 10, kCodeShortKey, kCodeWindowTitle};
    const std::int16_t scopes[] = {kScopeWindow, kScopeGlobal, kScopeGlobal, kScopeGlobal};
    for (int j = 1; j <= 4; ++j) {
        t.setHotKeyCode(j, codes[j - 1]);
        t.setScope(j, scopes[j - 1]);
    }
    const EditorStart first = editorStartFor(t, 1, "Ctrl+K");
    EXPECT_TRUE(first.existing);
    EXPECT_EQ(first.kind, EditorKind::HotKey);
    EXPECT_EQ(first.hotKeyLabel, "Ctrl+K");
    EXPECT_TRUE(first.exclusiveKey);                            // macro 2 is Global on the same key
    EXPECT_FALSE(editorStartFor(t, 2, "Ctrl+K").exclusiveKey);  // only itself
    EXPECT_EQ(editorStartFor(t, 3, "").kind, EditorKind::ShortKey);
    EXPECT_EQ(editorStartFor(t, 4, "").kind, EditorKind::WindowTitle);
}

TEST(KeystrokeText, CutsAfterTheMessage) {
    fake::FakeUserPrompt prompt;
    EXPECT_EQ(keystrokeText("a\tb", prompt), "a<TAB>b");
    EXPECT_TRUE(prompt.shown().empty());
    EXPECT_EQ(keystrokeText(std::string(5001, 'y'), prompt), std::string(5000, 'y'));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Error");
    EXPECT_EQ(prompt.shown()[0].text,
              "The size of the macro exceeds the 5,000 character limit.  The macro will be truncated to 5,000 "
              "characters.");
}

}  // namespace
}  // namespace orv::editors
