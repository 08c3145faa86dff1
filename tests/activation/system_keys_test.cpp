#include "activation/system_keys.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_hook_library.h"
#include "platform/fake/fake_user_prompt.h"
#include "store/macro_store.h"
#include "support/temp_dir.h"

namespace orv {
namespace {

class SystemKeysTest : public ::testing::Test {
protected:
    SystemKeysTest() : store(table, settings, hook, prompt, clock, dir.file("Icons")) {
        settings.CurrentFile = dir.file("m.ORV");
        store.LoadMacroFile(settings.CurrentFile);
        TMacroRecord global;
        global.NickName = "Global";
        global.Scope = kScopeGlobal;
        global.HotKeyCode = 10;
        TMacroRecord window = global;
        window.NickName = "Window";
        window.Scope = kScopeWindow;
        window.HotKeyCode = 11;
        table.setMacroCount(6);
        EXPECT_TRUE(store.WriteMacroRecord(5, global));
        EXPECT_TRUE(store.WriteMacroRecord(6, window));
    }
    test::TempDir dir;
    TActivationTable table;
    TAppSettings settings;
    fake::FakeHookLibrary hook;
    fake::FakeUserPrompt prompt;
    fake::FakeClock clock;
    MacroStore store;
};

TEST_F(SystemKeysTest, HotkeysInUseByGlobalOrSystemMacrosAreRefused) {
    SystemKeysModel model(table, settings);
    EXPECT_EQ(model.hotKey(0), 262);
    EXPECT_EQ(model.hotKey(3), 265);
    const auto refused = model.offerHotKey(0, 10);
    ASSERT_TRUE(refused);
    EXPECT_EQ(
        *refused,
        "The hot key \"Ctrl+K\" is already in use by a macro.  If you wish to use this hot key combination, you will "
        "first need to either remove or move the macro which is assigned to it.");
    EXPECT_TRUE(model.offerHotKey(0, 263));  // a system command's own key counts as in use
    EXPECT_EQ(model.hotKey(0), 262);
    EXPECT_FALSE(model.offerHotKey(0, 11));  // a Window macro's key may be shared
    EXPECT_EQ(model.hotKey(0), 11);
}

TEST_F(SystemKeysTest, OkRefusesDuplicatesAndRewritesChangedMacros) {
    SystemKeysModel model(table, settings);
    ASSERT_FALSE(model.offerHotKey(1, 12));
    ASSERT_FALSE(model.offerHotKey(2, 12));
    EXPECT_EQ(model.apply(store, settings), "The same hot key has been assigned to more than one system command.");
    ASSERT_FALSE(model.offerHotKey(2, 13));
    model.setSystemMenu(3);
    EXPECT_FALSE(model.apply(store, settings));
    EXPECT_EQ(table.HotKeyCode(2), 12);
    EXPECT_EQ(table.HotKeyCode(3), 13);
    EXPECT_EQ(settings.SystemMenu, 3);
    TMacroRecord r;
    ASSERT_TRUE(store.ReadMacroRecord(3, r));
    EXPECT_EQ(r.HotKeyCode, 13);
    EXPECT_EQ(r.NickName, "Resume Pause");
}

TEST_F(SystemKeysTest, AFailedWriteKeepsTheDialogOpenWithoutASecondMessage) {
    test::writeFile(settings.CurrentFile, test::readFile(settings.CurrentFile) + "partial record");
    store.LoadMacroFile(settings.CurrentFile);
    ASSERT_FALSE(store.readOnlyReason().empty());
    const int menuBefore = settings.SystemMenu;
    SystemKeysModel model(table, settings);
    ASSERT_FALSE(model.offerHotKey(2, 13));
    model.setSystemMenu(menuBefore + 1);
    EXPECT_EQ(model.apply(store, settings), std::string());  // the store has shown why
    EXPECT_EQ(settings.SystemMenu, menuBefore);
    EXPECT_NE(table.HotKeyCode(3), 13);
}

}  // namespace
}  // namespace orv
