// "&Remap" and the Tools menu's hook restoring in the real main window over the resident program.
#include <QAction>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "gui/forms/remapper_form.h"
#include "gui/modal_helper.h"
#include "gui/qt_playback_windows.h"
#include "gui/resident_window.h"
#include "remap/remap_file.h"

namespace orv::test {
namespace {

class RemapMenuTest : public ResidentWindowTest {
protected:
    RemapMenuTest() {
        start([](MacroStore&) {});
        window.attach(*resident, playbackQt);
    }
    QAction* action(const char* name) {
        auto* a = window.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    gui::QtPlaybackWindows playbackQt{&window, windows};
};

TEST_F(RemapMenuTest, RemapOpensTheRemapperAndSavesWhatTheUserChose) {
    QAction* remap = action("MenuRemap");
    ASSERT_TRUE(remap->isEnabled());
    whenModal<gui::TDoSwapKeys>([](gui::TDoSwapKeys* form) {
        auto* lower = form->findChild<QTableWidget*>(QStringLiteral("LowerCaseGrid"));
        lower->setCurrentCell(0, 1);
        // "Select Character" starts on "a": Right, then Enter takes "b".
        whenModal<gui::TDoSwapSpecial>([](gui::TDoSwapSpecial* select) {
            auto* chars = select->findChild<QTableWidget*>(QStringLiteral("CharacterGrid"));
            QTest::keyClick(chars, Qt::Key_Right);
            QTest::keyClick(chars, Qt::Key_Return);
        });
        QTest::keyClick(lower, Qt::Key_Return);
        form->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
    });
    remap->trigger();
    EXPECT_EQ(readFile(remap::swapFilePath(settings.CurrentFile))[26], 'b');
    EXPECT_TRUE(resident->swapKeys().SwapsInUse());
}

TEST_F(RemapMenuTest, RestoringTheHooksAsksFirst) {
    const std::int32_t keyboardHook = table.i32(TActivationTable::oKeyboardHook);
    const std::int32_t mouseHook = table.i32(TActivationTable::oMouseHook);
    prompt.queueAnswer(PromptAnswer::No);
    action("MenuRestoreKeyboardHooks")->trigger();
    EXPECT_EQ(table.i32(TActivationTable::oKeyboardHook), keyboardHook);
    action("MenuRestoreKeyboardHooks")->trigger();
    EXPECT_NE(table.i32(TActivationTable::oKeyboardHook), keyboardHook);
    action("MenuRestoreMouseHooks")->trigger();
    EXPECT_EQ(prompt.shown().back().title, "Mouse Hooks");
    EXPECT_NE(table.i32(TActivationTable::oMouseHook), mouseHook);
}

}  // namespace
}  // namespace orv::test
