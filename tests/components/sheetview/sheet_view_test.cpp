// The on-screen grid with synthesized mouse and key input: the book's
// selection follows the user's ranges in the order made, the edit bar and the
// display switches work, and a million rows stay a fixed-height grid.
#include "tests/components/sheetview/qstring_printer.h"
#include "components/sheetview/edit_bar.h"
#include "components/sheetview/sheet_model.h"
#include "components/sheetview/sheet_view.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using sheet::Range;
using sheetview::SheetView;

namespace {

class SheetViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int row = 1; row <= 40; ++row)
            for (int col = 1; col <= 5; ++col)
                book.setNumber(row, col, row * 10 + col);
        view = std::make_unique<SheetView>(book);
        view->setReportEditErrors(false);
        view->resize(700, 500);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QTableView* table() const { return view->tableView(); }

    void clickCell(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QModelIndex index = table()->model()->index(row - 1, col - 1);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, modifiers,
                          table()->visualRect(index).center());
    }

    void clickColumnHeading(int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QHeaderView* header = table()->horizontalHeader();
        const QPoint pos(header->sectionViewportPosition(col - 1) + header->sectionSize(col - 1) / 2,
                         header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, pos);
    }

    bool cellSelected(int row, int col) const
    {
        return table()->selectionModel()->isSelected(table()->model()->index(row - 1, col - 1));
    }

    QVector<Range> bookSelection() const
    {
        QVector<Range> ranges;
        for (int i = 0; i < book.selectionCount(); ++i)
            ranges.append(book.selection(i));
        return ranges;
    }

    sheet::Spreadsheet book;
    std::unique_ptr<SheetView> view;
};

}  // namespace

TEST_F(SheetViewTest, CtrlClicksAndHeadingClicksAreReportedInTheOrderMade)
{
    clickCell(2, 2);
    clickCell(4, 4, Qt::ControlModifier);
    clickColumnHeading(1, Qt::ControlModifier);

    const QVector<Range> expected{{2, 2, 2, 2}, {4, 4, 4, 4}, {1, 1, 40, 1}};
    EXPECT_EQ(view->selectionRanges(), expected);
    EXPECT_EQ(bookSelection(), expected);
    EXPECT_TRUE(cellSelected(2, 2));
    EXPECT_TRUE(cellSelected(4, 4));
    EXPECT_TRUE(cellSelected(900, 1));  // the whole column, also below the data
    EXPECT_FALSE(cellSelected(3, 3));

    // A Ctrl+click on a selected cell adds it again instead of deselecting it.
    clickCell(2, 2, Qt::ControlModifier);
    EXPECT_EQ(book.selectionCount(), 4);
    EXPECT_TRUE(cellSelected(2, 2));

    // A plain click starts over.
    clickCell(3, 3);
    EXPECT_EQ(bookSelection(), (QVector<Range>{{3, 3, 3, 3}}));
    EXPECT_FALSE(cellSelected(2, 2));
}

TEST_F(SheetViewTest, HeadingClicksTakeWholeColumns)
{
    clickColumnHeading(4);
    clickColumnHeading(2, Qt::ControlModifier);
    clickColumnHeading(3, Qt::ShiftModifier);  // stretches the last range: B..C
    EXPECT_EQ(bookSelection(), (QVector<Range>{{1, 4, 40, 4}, {1, 2, 40, 3}}));
    EXPECT_TRUE(table()->selectionModel()->isColumnSelected(2, QModelIndex()));
    EXPECT_TRUE(table()->selectionModel()->isColumnSelected(3, QModelIndex()));
}

TEST_F(SheetViewTest, CtrlDragAddsARectangle)
{
    clickCell(1, 5);
    const auto centre = [this](int row, int col) {
        return table()->visualRect(table()->model()->index(row - 1, col - 1)).center();
    };
    QTest::mousePress(table()->viewport(), Qt::LeftButton, Qt::ControlModifier, centre(4, 3));
    QTest::mouseMove(table()->viewport(), centre(3, 2));
    QTest::mouseMove(table()->viewport(), centre(2, 2));
    QTest::mouseRelease(table()->viewport(), Qt::LeftButton, Qt::ControlModifier, centre(2, 2));
    EXPECT_EQ(bookSelection(), (QVector<Range>{{1, 5, 1, 5}, {2, 2, 4, 3}}));
    EXPECT_TRUE(cellSelected(3, 2));
}

TEST_F(SheetViewTest, ShiftArrowsStretchTheRangeFromTheClickedCell)
{
    clickCell(2, 1);
    QTest::keyClick(table(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(table(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(bookSelection(), (QVector<Range>{{2, 1, 3, 2}}));
    QTest::keyClick(table(), Qt::Key_Down);
    EXPECT_EQ(bookSelection(), (QVector<Range>{{4, 2, 4, 2}}));
    EXPECT_EQ(book.row(), 4);
    EXPECT_EQ(book.col(), 2);
}

TEST_F(SheetViewTest, ASelectionMadeByCodeIsShown)
{
    clickCell(1, 1);
    book.selectRange(2, 1, 6, 3);
    // The book reports no change for a selection; the visible view notices soon.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return view->selectionRanges() == QVector<Range>{{2, 1, 6, 3}}; }, 2000));
    EXPECT_TRUE(cellSelected(6, 3));
    EXPECT_FALSE(cellSelected(1, 1));
    // Ctrl+click goes on from there.
    clickCell(10, 5, Qt::ControlModifier);
    EXPECT_EQ(bookSelection(), (QVector<Range>{{2, 1, 6, 3}, {10, 5, 10, 5}}));

    // So does a current cell set by code, and the edit bar follows it.
    book.setRow(7);
    book.setCol(2);
    view->syncFromBook();
    EXPECT_EQ(table()->currentIndex(), table()->model()->index(6, 1));
    EXPECT_EQ(view->editBar()->address(), "B7");
}

TEST_F(SheetViewTest, DeleteEmptiesTheSelectedCells)
{
    clickCell(2, 2);
    clickCell(5, 3, Qt::ControlModifier);
    QTest::keyClick(table(), Qt::Key_Delete);
    EXPECT_EQ(book.cellType(2, 2), sheet::CellType::Empty);
    EXPECT_EQ(book.cellType(5, 3), sheet::CellType::Empty);
    EXPECT_EQ(book.cellType(2, 3), sheet::CellType::Number);
}

TEST_F(SheetViewTest, EditBarShowsAndSetsTheCurrentCell)
{
    book.setFormula(1, 2, "=A1*2");
    view->setShowEditBar(true);
    EXPECT_TRUE(view->editBar()->isVisible());
    clickCell(1, 2);
    EXPECT_EQ(view->editBar()->address(), "B1");
    EXPECT_EQ(view->editBar()->content(), "=A1*2");

    QLineEdit* line = view->editBar()->lineEdit();
    line->setText("=A1*3");
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(book.formula(1, 2), "=A1*3");

    // Escape puts back what the cell holds.
    line->setText("garbage");
    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_EQ(line->text(), "=A1*3");

    view->setShowEditBar(false);
    EXPECT_FALSE(view->editBar()->isVisible());
    // A switch set on the book takes effect when the view applies it.
    book.showEditBar = true;
    view->applyDisplaySwitches();
    EXPECT_TRUE(view->editBar()->isVisible());
}

TEST_F(SheetViewTest, ShowFormulasShowsFormulaTexts)
{
    book.setFormula(1, 2, "=A1*2");
    view->setShowFormulas(true);
    const QModelIndex index = table()->model()->index(0, 1);
    EXPECT_EQ(table()->model()->data(index).toString(), "=A1*2");
    view->setShowFormulas(false);
    EXPECT_NE(table()->model()->data(index).toString(), "=A1*2");
}

TEST_F(SheetViewTest, ScreenshotOfFormattedCells)
{
    book.setText(1, 1, "Sample");
    book.setText(1, 2, "Share");
    book.setNumber(2, 2, 0.125);
    book.setNumberFormat(2, 2, 3, 2, "0.00%");
    book.setNumber(3, 2, 0.5);
    book.setNumber(2, 3, 3.14159);
    book.setNumberFormat(2, 3, 2, 3, "0.00");
    book.setBoolean(2, 4, true);
    book.setError(2, 5, sheet::ErrorCode::Div0);
    book.setFormula(3, 3, "=C2*2");
    view->setShowEditBar(true);
    clickCell(3, 3);
    clickColumnHeading(5, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const QPixmap shot = view->grab();
    EXPECT_FALSE(shot.isNull());
    // Set PLOTWISE_SCREENSHOT_DIR to keep the picture for a look.
    const QString dir = qEnvironmentVariable("PLOTWISE_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(shot.save(QDir(dir).filePath("sheetview.png")));
    }
}

TEST(SheetViewMillionRows, ScrollsToTheEndWithFixedRowHeights)
{
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 1.0);
    book.setNumber(1000000, 1, 42.0);
    SheetView view(book);
    view.resize(600, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTableView* table = view.tableView();
    EXPECT_EQ(table->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_EQ(table->model()->rowCount(), 1000000 + sheetview::SheetModel::kRowMargin);

    const QModelIndex last = table->model()->index(999999, 0);
    table->scrollTo(last);
    QCoreApplication::processEvents();
    EXPECT_TRUE(table->viewport()->rect().intersects(table->visualRect(last)));
    EXPECT_EQ(table->model()->data(last).toString(), "42");
}
