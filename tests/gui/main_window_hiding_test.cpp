#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>
#include <QTest>

#include "gui/main_window.h"
#include "modal_helper.h"

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

// Started for the tray on a desktop without one, the program would be out of reach at every
// start: it shows its window instead and keeps "Use Tray" off.
TEST(MainWindowHiding, WithoutASystemTrayTheWindowStaysInTheTaskBar) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this test platform has a system tray";
    TAppSettings settings;
    settings.UseTray = true;
    settings.FirstUse = false;
    TMainWin window(settings);
    QString notice;
    test::whenModal<QMessageBox>([&](QMessageBox* box) {
        notice = box->text();
        box->accept();
    });
    window.showAtStart(false);
    EXPECT_FALSE(settings.UseTray);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(notice.contains(QStringLiteral("no system tray"))) << notice.toStdString();
}

}  // namespace
}  // namespace orv::gui
