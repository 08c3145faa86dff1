// Add Macro: the hotkey list, the flags read from the index, and the checks of the builder
// buttons with what they put into the record buffer.
#include "editors/add_macro.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_user_prompt.h"

namespace orv::editors {
namespace {

constexpr int kAltF6 = 89;  // one of the hotkeys the desktop may use itself
constexpr int kCtrlB = 1;
constexpr int kCtrlK = 10;

std::string nameOf(int code) { return code == kAltF6 ? "Alt+F6" : "Key" + std::to_string(code); }

struct Macro {
    int code;
    int scope;
};

TActivationTable tableOf(std::initializer_list<Macro> macros) {
    TActivationTable t;
    int j = 0;
    for (const Macro& m : macros) {
        ++j;
        t.setHotKeyCode(j, static_cast<std::int16_t>(m.code));
        t.setScope(j, static_cast<std::int16_t>(m.scope));
    }
    t.setMacroCount(j);
    return t;
}

TEST(AddMacroModel, ListHasEveryCodeWithItsUseCount) {
    // Three macros on Ctrl+K whatever their scopes, one on Ctrl+B, activations without a hotkey
    // counted nowhere.
    const TActivationTable t = tableOf({{kCtrlK, kScopeGlobal},
                                        {kCtrlK, kScopeWindow},
                                        {kCtrlK, kScopeProgram},
                                        {kCtrlB, kScopeWindow},
                                        {kCodeShortKey, kScopeGlobal},
                                        {kCodeTimed, kScopeGlobal}});
    const AddMacroModel model(t, nameOf);
    ASSERT_EQ(model.rows().size(), 721u);
    EXPECT_EQ(model.rows()[0], "Key0  (Not in Use)");
    EXPECT_EQ(model.rows()[kCtrlB], "Key1  (1 macro in use)");
    EXPECT_EQ(model.rows()[kCtrlK], "Key10  (3 macros in use)");
    EXPECT_EQ(model.rows()[720], "Key720  (Not in Use)");
    EXPECT_EQ(model.newIndex(), 7);
}

TEST(AddMacroModel, FlagsFollowTheScopes) {
    struct Case {
        int scope;
        bool exclusive;
    };
    for (const Case c : {Case{kScopeGlobal, true}, Case{kScopeWindow, false}, Case{kScopeProgram, false},
                         Case{kScopePopupMenu, true}, Case{kScopeSystem, true}}) {
        const AddMacroModel model(tableOf({{kCtrlK, c.scope}}), nameOf);
        EXPECT_EQ(model.exclusive(kCtrlK), c.exclusive) << "scope " << c.scope;
        EXPECT_FALSE(model.exclusive(kCtrlB));
        EXPECT_EQ(model.haveOtherMacros(), c.scope != kScopeSystem) << "scope " << c.scope;
    }
    EXPECT_FALSE(AddMacroModel(tableOf({}), nameOf).haveOtherMacros());
}

class AddPressTest : public ::testing::Test {
protected:
    AddPress press(Builder b) { return model.press(b, prompt, buffer); }

    fake::FakeUserPrompt prompt;
    TMacroRecord buffer;
    AddMacroModel model{tableOf({{kCtrlK, kScopeGlobal}}), nameOf};
};

TEST_F(AddPressTest, EachTypeSetsItsActivation) {
    struct Case {
        AddType type;
        const char* name;
        int code;
        EditorKind kind;
    };
    const Case cases[] = {
        {AddType::HotKeys, "", kCtrlB, EditorKind::HotKey},
        {AddType::ShortKeys, "  brb!  ", kCodeShortKey, EditorKind::ShortKey},
        {AddType::Timed, "", kCodeTimed, EditorKind::Timed},
        {AddType::WindowTitle, " Notepad ", kCodeWindowTitle, EditorKind::WindowTitle},
        {AddType::None, "", kCodeNone, EditorKind::NoneLater},
    };
    for (const Case& c : cases) {
        buffer = TMacroRecord{};
        model.setType(c.type);
        model.setName(c.name);
        model.selectHotKey(kCtrlB);
        const AddPress p = press(Builder::Direct);
        ASSERT_TRUE(p.accepted) << c.name;
        EXPECT_EQ(buffer.HotKeyCode, c.code);
        EXPECT_EQ(p.start.kind, c.kind);
        EXPECT_EQ(p.start.builder, Builder::Direct);
    }
    // The trimmed names went into their fields.
    model.setType(AddType::ShortKeys);
    model.setName("  brb!  ");
    press(Builder::ScriptingEditor);
    EXPECT_EQ(buffer.ShortKeyText, "brb!");
    model.setType(AddType::WindowTitle);
    model.setName(" Notepad ");
    press(Builder::Capture);
    EXPECT_EQ(buffer.WindowTitle, "Notepad");
    EXPECT_TRUE(prompt.shown().empty());
}

TEST_F(AddPressTest, RefusalsNameTheFieldAndLeaveTheBuffer) {
    struct Case {
        AddType type;
        const char* name;
        bool select;
        const char* field;
        const char* message;
    };
    const Case cases[] = {
        {AddType::HotKeys, "", false, kHotKeyField, "No hot key selected.  Please select one."},
        {AddType::ShortKeys, "   ", false, kNameField, "No ShortKey name entered."},
        {AddType::WindowTitle, "", false, kNameField, "No Window title has been entered."},
    };
    buffer.NickName = "kept";
    for (const Case& c : cases) {
        AddMacroModel fresh(tableOf({{kCtrlK, kScopeGlobal}}), nameOf);
        fresh.setType(c.type);
        fresh.setName(c.name);
        for (Builder b : {Builder::ScriptingEditor, Builder::Direct, Builder::Capture}) {
            const AddPress p = fresh.press(b, prompt, buffer);
            EXPECT_FALSE(p.accepted);
            EXPECT_EQ(p.failure.field, c.field);
            EXPECT_EQ(p.failure.message, c.message);
            EXPECT_EQ(p.failure.title, "Error");
        }
    }
    EXPECT_EQ(buffer, [] {
        TMacroRecord r;
        r.NickName = "kept";
        return r;
    }());
}

TEST_F(AddPressTest, ReservedHotKeyAsksAndNoKeepsTheDialog) {
    model.selectHotKey(kAltF6);
    prompt.queueAnswer(PromptAnswer::No);
    const AddPress no = press(Builder::Direct);
    EXPECT_FALSE(no.accepted);
    EXPECT_EQ(no.failure.message, "");  // declined: no further message
    EXPECT_EQ(model.selectedHotKey(), kAltF6);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, "Warning");
    EXPECT_EQ(prompt.shown()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.shown()[0].text,
              "Alt+F6 may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to function "
              "correctly. Would you still like to use Alt+F6?");

    prompt.queueAnswer(PromptAnswer::Yes);
    const AddPress yes = press(Builder::Direct);
    EXPECT_TRUE(yes.accepted);
    EXPECT_EQ(buffer.HotKeyCode, kAltF6);
    EXPECT_EQ(yes.start.hotKeyLabel, "Alt+F6");
}

TEST_F(AddPressTest, GlobalHotKeyGoesToAnEditorMarkedExclusive) {
    model.selectHotKey(kCtrlK);
    EXPECT_TRUE(model.selectedIsExclusive());
    const AddPress p = press(Builder::Direct);
    ASSERT_TRUE(p.accepted);
    EXPECT_TRUE(p.start.exclusiveKey);
    EXPECT_EQ(p.start.hotKeyLabel, "Key10");
}

TEST_F(AddPressTest, BuildMenuChecksInOrder) {
    struct Case {
        std::initializer_list<Macro> macros;
        int select;
        const char* message;
    };
    const Case cases[] = {
        {{{262, kScopeSystem}},
         kCtrlB,
         "No macros have been defined yet.  A popup menu is created with existing macros."},
        {{}, kCtrlB, "No macros have been defined yet.  A popup menu is created with existing macros."},
        {{{kCtrlK, kScopeWindow}}, -1, "No hot key selected.  Please select one."},
        {{{kCtrlK, kScopeGlobal}},
         kCtrlK,
         "Selected Hot Key is already either a GLOBAL or Popup Menu Hot Key.  Hot Key cannot be added."},
    };
    for (const Case& c : cases) {
        AddMacroModel m(tableOf(c.macros), nameOf);
        m.setType(AddType::PopupMenu);
        m.selectHotKey(c.select);
        const AddPress p = m.press(Builder::Direct, prompt, buffer);
        EXPECT_FALSE(p.accepted);
        EXPECT_EQ(p.failure.message, c.message);
    }
    AddMacroModel m(tableOf({{kCtrlK, kScopeWindow}}), nameOf);
    m.setType(AddType::PopupMenu);
    m.selectHotKey(kCtrlK);
    const AddPress p = m.press(Builder::Direct, prompt, buffer);
    ASSERT_TRUE(p.accepted);
    EXPECT_EQ(p.start.builder, Builder::PopupMenu);
    EXPECT_EQ(buffer.HotKeyCode, kCtrlK);
    // The scripting and capture buttons are off for a popup menu.
    EXPECT_FALSE(m.press(Builder::ScriptingEditor, prompt, buffer).accepted);
    EXPECT_FALSE(m.press(Builder::Capture, prompt, buffer).accepted);
}

}  // namespace
}  // namespace orv::editors
