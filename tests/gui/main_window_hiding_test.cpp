#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "gui/main_window.h"

namespace orv::gui {
namespace {

// Losing the activation sends the main window to the tray only when the program runs hidden
// and none of its dialogs is open.
TEST(MainWindowHiding, DeactivationHidesOnlyWhenRunningHiddenWithoutADialog) {
    struct Case {
        bool useTray, useHide, dialogOpen, hidden;
    };
    for (const Case c : {Case{false, false, false, false}, Case{true, false, false, true},
                         Case{false, true, false, true}, Case{false, true, true, false}}) {
        SCOPED_TRACE(testing::Message() << "tray " << c.useTray << " hide " << c.useHide << " dialog " << c.dialogOpen);
        TAppSettings settings;
        settings.UseTray = c.useTray;
        settings.UseHide = c.useHide;
        TMainWin window(settings);
        window.show();
        QDialog dialog(&window);
        if (c.dialogOpen) dialog.show();
        window.AppDeactivate();
        EXPECT_EQ(window.isVisible(), !c.hidden);
    }
}

TEST(MainWindowHiding, MinimisingWhileRunningHiddenGoesToTheTray) {
    TAppSettings settings;
    settings.UseHide = true;
    TMainWin window(settings);
    window.show();
    window.showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
    EXPECT_FALSE(window.isMinimized());
}

}  // namespace
}  // namespace orv::gui
