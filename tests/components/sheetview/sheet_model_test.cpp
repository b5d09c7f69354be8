// The table model over an Spreadsheet: extent, headings, displayed and edited
// texts, edits into the book, and how book changes reach the view.
#include "tests/components/sheetview/qstring_printer.h"
#include "components/sheetview/sheet_model.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

using sheetview::SheetModel;

namespace {

QString shown(const SheetModel& model, int row, int col, int role = Qt::DisplayRole)
{
    return model.data(model.index(row - 1, col - 1), role).toString();
}

Qt::Alignment alignment(const SheetModel& model, int row, int col)
{
    return Qt::Alignment(model.data(model.index(row - 1, col - 1), Qt::TextAlignmentRole).toInt());
}

}  // namespace

TEST(SheetModel, OffersTheUsedAreaPlusAMarginAndGrowsWithTheBook)
{
    sheet::Spreadsheet book;
    SheetModel model(book);
    EXPECT_EQ(model.rowCount(), SheetModel::kMinRows);
    EXPECT_EQ(model.columnCount(), SheetModel::kMinColumns);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "A");
    EXPECT_EQ(model.headerData(27, Qt::Horizontal).toString(), "AB");
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), "1");
    EXPECT_EQ(model.headerData(999, Qt::Vertical).toString(), "1000");

    QSignalSpy rowsInserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy columnsInserted(&model, &QAbstractItemModel::columnsInserted);
    book.setNumber(5000, 30, 1.0);
    model.flushChanges();
    EXPECT_EQ(model.rowCount(), 5000 + SheetModel::kRowMargin);
    EXPECT_EQ(model.columnCount(), 30 + SheetModel::kColumnMargin);
    EXPECT_EQ(rowsInserted.count(), 1);
    EXPECT_EQ(columnsInserted.count(), 1);
}

TEST(SheetModel, AMillionRowsCostNothingPerRow)
{
    sheet::Spreadsheet book;
    book.setNumber(1000000, 2, 7.0);
    SheetModel model(book);
    EXPECT_EQ(model.rowCount(), 1000000 + SheetModel::kRowMargin);
    EXPECT_EQ(shown(model, 1000000, 2), "7");
    EXPECT_EQ(model.headerData(999999, Qt::Vertical).toString(), "1000000");
}

TEST(SheetModel, ShowsCellsInTheirFormatsAndAlignment)
{
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 0.125);
    book.setNumberFormat(1, 1, 1, 1, "0.00%");
    book.setNumber(2, 1, 3.14159);
    book.setNumberFormat(2, 1, 2, 1, "0.00");
    book.setText(3, 1, "Weight");
    book.setBoolean(4, 1, true);
    book.setError(5, 1, sheet::ErrorCode::Div0);
    SheetModel model(book);

    EXPECT_EQ(shown(model, 1, 1), "12.50%");
    EXPECT_EQ(shown(model, 2, 1), "3.14");
    EXPECT_EQ(shown(model, 3, 1), "Weight");
    EXPECT_EQ(shown(model, 5, 1), "#DIV/0!");
    EXPECT_EQ(shown(model, 6, 1), "");
    // Editing starts from the full value, not from what the format shows.
    EXPECT_EQ(shown(model, 1, 1, Qt::EditRole), "0.125");
    EXPECT_EQ(shown(model, 2, 1, Qt::EditRole), "3.14159");
    EXPECT_EQ(shown(model, 4, 1, Qt::EditRole), "TRUE");

    EXPECT_TRUE(alignment(model, 1, 1) & Qt::AlignRight);
    EXPECT_TRUE(alignment(model, 3, 1) & Qt::AlignLeft);
    EXPECT_TRUE(alignment(model, 4, 1) & Qt::AlignHCenter);
    EXPECT_TRUE(alignment(model, 5, 1) & Qt::AlignHCenter);
}

TEST(SheetModel, ShowFormulasSwitchesBetweenResultAndFormulaText)
{
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 2.0);
    book.setFormula(1, 2, "=A1*2");
    SheetModel model(book);
    EXPECT_NE(shown(model, 1, 2), "=A1*2");
    EXPECT_EQ(shown(model, 1, 2, Qt::EditRole), "=A1*2");
    book.showFormulas = true;
    EXPECT_EQ(shown(model, 1, 2), "=A1*2");
    EXPECT_TRUE(alignment(model, 1, 2) & Qt::AlignLeft);
    EXPECT_EQ(shown(model, 1, 1), "2");  // plain values stay values
}

TEST(SheetModel, EditsGoIntoTheBookAsTheRightKindOfValue)
{
    sheet::Spreadsheet book;
    book.setDecimalSeparator(u',');
    SheetModel model(book);
    auto edit = [&](int row, int col, const QString& text) {
        return model.setData(model.index(row - 1, col - 1), text);
    };

    EXPECT_TRUE(edit(1, 1, "3,5"));
    EXPECT_EQ(book.cellType(1, 1), sheet::CellType::Number);
    EXPECT_DOUBLE_EQ(book.number(1, 1), 3.5);
    EXPECT_EQ(shown(model, 1, 1, Qt::EditRole), "3,5");

    EXPECT_TRUE(edit(2, 1, "=A1+1"));
    EXPECT_EQ(book.formula(2, 1), "=A1+1");

    EXPECT_TRUE(edit(3, 1, "abc"));
    EXPECT_EQ(book.cellType(3, 1), sheet::CellType::Text);
    EXPECT_TRUE(edit(4, 1, "true"));
    EXPECT_EQ(book.cellType(4, 1), sheet::CellType::Boolean);
    EXPECT_TRUE(edit(5, 1, "#N/A"));
    EXPECT_EQ(book.cellType(5, 1), sheet::CellType::Error);

    EXPECT_TRUE(edit(3, 1, ""));
    EXPECT_EQ(book.cellType(3, 1), sheet::CellType::Empty);
}

TEST(SheetModel, AFormulaThatDoesNotParseIsReportedAndChangesNothing)
{
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 5.0);
    SheetModel model(book);
    QSignalSpy failed(&model, &SheetModel::editFailed);

    EXPECT_FALSE(model.setData(model.index(0, 0), "=1+"));
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.first().at(0).toInt(), 1);
    EXPECT_EQ(failed.first().at(1).toInt(), 1);
    EXPECT_FALSE(failed.first().at(2).toString().isEmpty());
    EXPECT_EQ(book.cellType(1, 1), sheet::CellType::Number);
    EXPECT_DOUBLE_EQ(book.number(1, 1), 5.0);
}

TEST(SheetModel, ManyBookChangesReachTheViewAsOneUpdate)
{
    sheet::Spreadsheet book;
    SheetModel model(book);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy bookChanged(&model, &SheetModel::bookChanged);

    for (int row = 1; row <= 2000; ++row)
        book.setNumber(row, 1, row);
    EXPECT_EQ(changed.count(), 0);  // nothing until the event loop turns
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(reset.count(), 0);
    ASSERT_EQ(bookChanged.count(), 1);
    EXPECT_FALSE(bookChanged.first().at(0).toBool());

    // Rows inserted by code move every cell: the view starts over.
    book.insertRange(2, 1, 3, 1, sheet::InsertKind::WholeRows);
    QCoreApplication::processEvents();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 2002 + SheetModel::kRowMargin);
    EXPECT_TRUE(bookChanged.last().at(0).toBool());
}

TEST(SheetModel, HeadingsAreEditableOnlyWhenTheBookAllowsIt)
{
    sheet::Spreadsheet book;
    SheetModel model(book);
    book.allowEditHeaders = false;
    EXPECT_FALSE(model.setHeaderData(1, Qt::Horizontal, "Weight"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "B");
    book.allowEditHeaders = true;
    EXPECT_TRUE(model.setHeaderData(1, Qt::Horizontal, "Weight"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Weight");
    EXPECT_TRUE(model.setHeaderData(1, Qt::Horizontal, ""));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "B");
}

TEST(SheetModel, ABookDestroyedBeforeItsViewIsNotTouchedAgain)
{
    // As in a window that holds its books as members and its views as children.
    auto book = std::make_unique<sheet::Spreadsheet>();
    auto view = std::make_unique<SheetModel>(*book);
    book->setNumber(1, 1, 1.0);
    book.reset();
    view.reset();  // with an update still queued
    QCoreApplication::processEvents();
    SUCCEED();
}

TEST(SheetModel, ReleasesTheBooksListenerWhenDestroyed)
{
    sheet::Spreadsheet book;
    {
        SheetModel model(book);
        book.setNumber(1, 1, 1.0);
    }
    book.setNumber(2, 1, 2.0);  // must not reach the destroyed model
    QCoreApplication::processEvents();
    EXPECT_EQ(book.lastRow(), 2);
}
