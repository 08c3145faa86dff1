#include "gui/forms/remapper_form.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "gui/modal_helper.h"

namespace orv::gui {
namespace {

QTableWidget* grid(QWidget& form, const char* name) {
    auto* g = form.findChild<QTableWidget*>(QString::fromLatin1(name));
    EXPECT_NE(g, nullptr) << name;
    return g;
}

void doubleClickCell(QTableWidget* g, int row, int column) {
    g->scrollToItem(g->item(row, column));
    const QRect cell = g->visualItemRect(g->item(row, column));
    // A real double click: press and release, then the double-click press.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
}

TEST(RemapperFormTest, FourGridsShowTheTablesWithNoneForADisabledKey) {
    remap::RemapTables tables;
    ASSERT_TRUE(tables.set(*remap::RemapTables::indexOf('a'), 'b'));
    ASSERT_TRUE(tables.set(*remap::RemapTables::indexOf('0'), remap::kDisabled));
    remap::RemapperModel model(tables, false);
    TDoSwapKeys form(model);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Keyboard Remapper"));
    const struct {
        const char* name;
        int rows;
    } grids[] = {{"UpperCaseGrid", 26}, {"LowerCaseGrid", 26}, {"PunctuationGrid", 31}, {"NumericGrid", 10}};
    for (const auto& g : grids) EXPECT_EQ(grid(form, g.name)->rowCount(), g.rows) << g.name;
    QTableWidget* lower = grid(form, "LowerCaseGrid");
    EXPECT_EQ(lower->item(0, 0)->text(), QStringLiteral("a"));
    EXPECT_EQ(lower->item(0, 1)->text(), QStringLiteral("b"));
    EXPECT_TRUE(lower->item(0, 1)->font().bold());
    QTableWidget* numeric = grid(form, "NumericGrid");
    EXPECT_EQ(numeric->item(0, 1)->text(), QStringLiteral("none"));
    EXPECT_FALSE(numeric->item(0, 1)->font().bold());
    EXPECT_EQ(grid(form, "PunctuationGrid")->item(0, 1)->text(), QString(QChar(0x2423)))
        << "the space is shown as a visible sign";
}

TEST(RemapperFormTest, DoubleClickChoosesACharacterAndCancelKeepsTheEntry) {
    remap::RemapperModel model(remap::RemapTables(), false);
    TDoSwapKeys form(model);
    form.show();
    QTableWidget* upper = grid(form, "UpperCaseGrid");

    // "Select Character" starts on the current entry ("C" is row 1, column 7); Right then Enter
    // takes "D".
    test::whenModal<TDoSwapSpecial>([](TDoSwapSpecial* select) {
        auto* chars = select->findChild<QTableWidget*>(QStringLiteral("CharacterGrid"));
        EXPECT_EQ(chars->currentRow(), 1);
        EXPECT_EQ(chars->currentColumn(), 7);
        QTest::keyClick(chars, Qt::Key_Right);
        QTest::keyClick(chars, Qt::Key_Return);
    });
    doubleClickCell(upper, 2, 1);
    EXPECT_EQ(upper->item(2, 1)->text(), QStringLiteral("D"));
    EXPECT_EQ(model.tables().at(2), 'D');
    EXPECT_TRUE(model.changed());

    test::whenModal<TDoSwapSpecial>(
        [](TDoSwapSpecial* select) { select->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click(); });
    doubleClickCell(upper, 3, 1);
    EXPECT_EQ(model.tables().at(3), 'D') << "Cancel keeps what the key produced";

    doubleClickCell(upper, 4, 0);  // the typed column opens nothing
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(RemapperFormTest, BrowseModeOpensNoSelection) {
    remap::RemapperModel model(remap::RemapTables(), true);
    TDoSwapKeys form(model);
    form.show();
    doubleClickCell(grid(form, "UpperCaseGrid"), 0, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(model.changed());
}

TEST(RemapperFormTest, SelectCharacterStaysBesideTheGridAndOnScreen) {
    const QRect screen(0, 0, 1000, 800);
    const QSize size(300, 200);
    const struct {
        QRect anchor;
        QPoint expected;
    } cases[] = {
        {QRect(100, 100, 80, 20), QPoint(180, 100)},  // more room below: down from the cell
        {QRect(100, 700, 80, 20), QPoint(180, 519)},  // more room above: up from the cell
        {QRect(800, 100, 80, 20), QPoint(500, 100)},  // no room right: left of the grid
        {QRect(0, 0, 1000, 20), QPoint(0, 0)},        // no room either side: inside the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(TDoSwapSpecial::placement(c.anchor, size, screen), c.expected) << c.anchor.x();
}

}  // namespace
}  // namespace orv::gui
