// Row insertion, fill down, clearing and loading: references and defined
// names keep pointing at the cells they meant, filled blocks share their
// formula, and a bad load leaves the book untouched.
#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook.h"

#include <gtest/gtest.h>

#include <cstring>

using sheet::Spreadsheet;

namespace {

TEST(InsertRows, CellsBelowMoveAndReferencesFollow)
{
    Spreadsheet book;
    book.setNumber(5, 1, 10);
    book.setNumber(6, 1, 20);
    book.setFormula(1, 2, "=A5+A6");
    book.setFormula(8, 2, "=A5*2");     // a formula below the insertion point
    book.setFormula(2, 2, "=SUM(A4:A5)");  // a range ending on the insertion row grows
    book.setFormula(3, 2, "=SUM(A6:A7)");  // a range after it moves
    book.insertRange(5, 1, 7, 60, sheet::InsertKind::WholeRows);   // three rows at row 5
    EXPECT_DOUBLE_EQ(book.number(8, 1), 10);
    EXPECT_DOUBLE_EQ(book.number(9, 1), 20);
    EXPECT_EQ(book.formula(1, 2), "=A8+A9");
    EXPECT_EQ(book.formula(11, 2), "=A8*2");
    EXPECT_DOUBLE_EQ(book.number(11, 2), 20);
    EXPECT_EQ(book.formula(2, 2), "=SUM(A4:A8)");
    EXPECT_EQ(book.formula(3, 2), "=SUM(A9:A10)");
    EXPECT_EQ(book.lastRow(), 11);
}

TEST(InsertRows, MixedReferencesAndNamesFollow)
{
    Spreadsheet book;
    book.setNumber(16, 5, 1);
    book.setNumber(17, 5, 3);
    book.setFormula(3, 5, "=STDEVP(E16:$E17)");
    book.setFormula(4, 5, "=SUM($E$16:E$17)");
    book.setDefinedName("Block", "$E$16:$E$17");
    book.setDefinedName("Above", "$E$3");
    book.setDefinedName("Below", "$E$17");
    book.setFormula(5, 5, "=SUM(Block)");
    book.insertRange(17, 1, 19, 60, sheet::InsertKind::WholeRows);
    EXPECT_EQ(book.formula(3, 5), "=STDEVP(E16:$E20)");
    EXPECT_EQ(book.formula(4, 5), "=SUM($E$16:E$20)");
    EXPECT_EQ(book.definedName("block"), "$E$16:$E$20");
    EXPECT_EQ(book.definedName("Above"), "$E$3");
    EXPECT_EQ(book.definedName("Below"), "$E$20");
    book.setNumber(18, 5, 5);  // inside the grown ranges now
    EXPECT_DOUBLE_EQ(book.number(5, 5), 9);
    EXPECT_DOUBLE_EQ(book.number(4, 5), 9);
    // An empty span inserts nothing.
    book.insertRange(17, 1, 16, 60, sheet::InsertKind::WholeRows);
    EXPECT_EQ(book.definedName("block"), "$E$16:$E$20");
}

TEST(InsertRows, FilledBlockSplitsWhereItsReferencesCrossTheInsertion)
{
    Spreadsheet book;
    for (int r = 1; r <= 6; ++r) book.setNumber(r, 1, r);
    book.setFormula(2, 2, "=A1+A2");   // previous row plus own row
    book.selectRange(2, 2, 6, 2);
    book.fillDown();
    book.insertRange(4, 1, 4, 60, sheet::InsertKind::WholeRows);  // one row at 4
    // Rows above keep their references; the row right below the gap still
    // reads its old neighbours, now two rows apart.
    EXPECT_EQ(book.formula(2, 2), "=A1+A2");
    EXPECT_EQ(book.formula(3, 2), "=A2+A3");
    EXPECT_EQ(book.formula(5, 2), "=A3+A5");
    EXPECT_EQ(book.formula(6, 2), "=A5+A6");
    EXPECT_EQ(book.formula(7, 2), "=A6+A7");
    EXPECT_DOUBLE_EQ(book.number(5, 2), 3 + 4);
    EXPECT_DOUBLE_EQ(book.number(7, 2), 5 + 6);
    EXPECT_EQ(book.cellType(4, 2), sheet::CellType::Empty);
}

TEST(InsertRows, InsertColumnsMovesReferencesSideways)
{
    Spreadsheet book;
    book.setNumber(1, 3, 7);
    book.setFormula(1, 1, "=C1*2");
    book.setFormula(2, 1, "=SUM(A1:C1)");
    book.insertRange(1, 2, 1, 3, sheet::InsertKind::WholeColumns);  // two columns at B
    EXPECT_EQ(book.formula(1, 1), "=E1*2");
    EXPECT_EQ(book.formula(2, 1), "=SUM(A1:E1)");
    EXPECT_DOUBLE_EQ(book.number(1, 1), 14);
}

TEST(InsertRows, CellsPushedOffTheSheetAreRefused)
{
    Spreadsheet book;
    book.setNumber(1048576, 1, 1);
    book.setNumber(1, 1, 2);
    EXPECT_THROW(book.insertRange(1, 1, 1, 60, sheet::InsertKind::WholeRows), sheet::SheetError);
    EXPECT_DOUBLE_EQ(book.number(1048576, 1), 1);
    EXPECT_DOUBLE_EQ(book.number(1, 1), 2);
    // A span reaching past the sheet inserts at most a sheet's worth of rows.
    Spreadsheet small;
    small.setNumber(1, 1, 3);
    small.setDefinedName("Cell", "$A$2");
    small.insertRange(2, 1, 2147483647, 1, sheet::InsertKind::WholeRows);
    EXPECT_DOUBLE_EQ(small.number(1, 1), 3);
    EXPECT_EQ(small.definedName("Cell"), "$A$1048577");  // pushed off the sheet
    small.setFormula(1, 2, "=Cell");
    small.setFormula(1, 3, "=SUM(A1048570:A1048576)");
    small.insertRange(2, 3, 2, 3, sheet::InsertKind::WholeRows);  // moves the range's end off the sheet
    EXPECT_EQ(small.formula(1, 3), "=SUM(#REF!)");
    EXPECT_EQ(small.value(1, 3).error, sheet::ErrorCode::Ref);
    EXPECT_EQ(small.value(1, 2).error, sheet::ErrorCode::Ref);
    // Whatever points off the sheet still saves as text that loads again.
    Spreadsheet reloaded;
    EXPECT_NO_THROW(reloaded.load(small.snapshot()));
    EXPECT_DOUBLE_EQ(reloaded.number(1, 1), 3);
}

TEST(FillDown, CopiesTheFirstRowWithRelativeReferencesMoved)
{
    Spreadsheet book;
    for (int r = 1; r <= 5; ++r) book.setNumber(r, 1, r * 10);
    book.setFormula(1, 2, "=A1+$A$1");
    book.setText(1, 3, "label");
    book.setNumberFormat(1, 2, 1, 2, "0.00");
    book.selectRange(1, 2, 5, 4);
    book.fillDown();
    EXPECT_EQ(book.formula(4, 2), "=A4+$A$1");
    EXPECT_DOUBLE_EQ(book.number(4, 2), 50);
    EXPECT_EQ(book.text(5, 3), "label");
    EXPECT_EQ(book.numberFormat(5, 2), "0.00");
    EXPECT_EQ(book.cellType(3, 4), sheet::CellType::Empty);
    // The filled block shares one compiled formula.
    const auto& column = book.workbook().active().columns[1];
    ASSERT_EQ(column.formulas.runs().size(), 1u);
    EXPECT_EQ(column.formulas.runs()[0].first, 1);
    EXPECT_EQ(column.formulas.runs()[0].last, 5);
    // Writing a number into the block cuts it; the rest keeps computing.
    book.setNumber(3, 2, -1);
    EXPECT_EQ(book.cellType(3, 2), sheet::CellType::Number);
    EXPECT_DOUBLE_EQ(book.number(5, 2), 60);
}

TEST(FillDown, AMillionRowChainNeedsNoDeepStack)
{
    Spreadsheet book;
    const int rows = 1000000;
    book.setNumber(1, 1, 1);
    book.setFormula(2, 1, "=A1+1");
    book.selectRange(2, 1, rows, 1);
    book.fillDown();
    EXPECT_DOUBLE_EQ(book.number(rows, 1), rows);
}

TEST(FillDown, LongBlocksAgreeWhenEvaluatedSideBySide)
{
    // Blocks this long are shared out over two threads; each must still see
    // finished inputs only.
    Spreadsheet book;
    const int rows = 60000;
    for (int r = 1; r <= rows; ++r) book.setNumber(r, 1, r % 7);
    book.setFormula(1, 2, "=A1*2");
    book.setFormula(1, 3, "=A1+1");
    book.setFormula(1, 4, "=IF(B1>C1,1,\"\")");
    book.setFormula(1, 5, "=SUM(B1:C1)");
    book.selectRange(1, 2, rows, 5);
    book.fillDown();
    book.setFormula(1, 6, "=SUM(D1:D60000)");
    book.setFormula(2, 6, "=SUM(E1:E60000)");
    long expectedFlags = 0, expectedSum = 0;
    for (int r = 1; r <= rows; ++r) {
        const int a = r % 7;
        if (2 * a > a + 1) ++expectedFlags;
        expectedSum += 3 * a + 1;
    }
    EXPECT_DOUBLE_EQ(book.number(1, 6), expectedFlags);
    EXPECT_DOUBLE_EQ(book.number(2, 6), expectedSum);
}

TEST(FillDown, WindowSumsSlideOnlyOverIntegers)
{
    // Rows of integers, decimals, texts and one error under a filled
    // three-row window: every window must equal its fresh sum.
    Spreadsheet book;
    const int rows = 40;
    for (int r = 1; r <= rows; ++r) {
        if (r % 9 == 0) book.setText(r, 1, "x");
        else if (r >= 20 && r < 26) book.setNumber(r, 1, r / 10.0);
        else book.setNumber(r, 1, r % 3);
    }
    book.setFormula(33, 1, "=1/0");
    book.setFormula(3, 2, "=SUM(A1:A3)");
    book.selectRange(3, 2, rows, 2);
    book.fillDown();
    for (int r = 3; r <= rows; ++r) {
        if (r >= 33 && r <= 35) {
            EXPECT_EQ(book.value(r, 2).error, sheet::ErrorCode::Div0) << r;
            continue;
        }
        double expected = 0;
        for (int k = r - 2; k <= r; ++k)
            if (book.cellType(k, 1) == sheet::CellType::Number) expected += book.number(k, 1);
        EXPECT_NEAR(book.number(r, 2), expected, 1e-12) << r;
    }
}

// A sheet like the computation template: a formula row, constants, an empty
// source cell over cells below, a formula row that ends the block, and a
// column past the filled ones.
void buildFillTemplate(Spreadsheet& book)
{
    book.setNumber(4, 1, 7);
    book.setFormula(4, 2, "=A4*2+A5");              // reference across the insertion point
    book.setFormula(4, 3, "=SUM(B3:B4)");            // no storage past the insertion point
    book.setText(4, 4, "label");
    book.setNumber(4, 5, 2.5);
    book.setNumberFormat(4, 5, 4, 5, "0.00");
    book.setNumber(9, 6, 3);                         // empty source, a cell below
    book.setFormula(5, 1, "=SUM(A4:A4)");            // the block's end row
    book.setFormula(5, 2, "=B4");
    book.setNumber(6, 4, 1);
    book.setNumber(6, 7, 4);                         // column outside the fill
    book.setNumber(4, 7, 9);
    book.setDefinedName("Block", "$A$4:$B$5");
}

TEST(InsertFilledRows, GivesTheCellsOfInsertThenFillDown)
{
    for (int count : {1, 5, 300}) {
        Spreadsheet expected, actual;
        buildFillTemplate(expected);
        buildFillTemplate(actual);
        expected.insertRange(5, 1, 4 + count, 60, sheet::InsertKind::WholeRows);
        expected.selectRange(4, 1, 4 + count, 6);
        expected.fillDown();
        actual.insertFilledRows(5, 4 + count, 1, 6);

        // Storage, slot by slot: kinds and value bits, extents included.
        const sheet::Sheet& e = expected.workbook().sheet(0);
        const sheet::Sheet& a = actual.workbook().sheet(0);
        ASSERT_EQ(a.columns.size(), e.columns.size()) << count;
        for (size_t c = 0; c < e.columns.size(); ++c) {
            ASSERT_EQ(a.columns[c].extent(), e.columns[c].extent()) << count << " col " << c + 1;
            for (int r = 0; r < e.columns[c].extent(); ++r) {
                EXPECT_EQ(a.columns[c].kind(r), e.columns[c].kind(r)) << count << " " << r << "," << c + 1;
                EXPECT_EQ(std::memcmp(&a.columns[c].values[size_t(r)], &e.columns[c].values[size_t(r)], sizeof(double)), 0)
                    << count << " " << r << "," << c + 1;
            }
        }
        EXPECT_EQ(actual.definedName("Block"), expected.definedName("Block"));
        for (int r = 1; r <= expected.lastRow(); ++r) {
            for (int c = 1; c <= 7; ++c) {
                EXPECT_EQ(actual.formula(r, c), expected.formula(r, c)) << count << " " << r << "," << c;
                EXPECT_EQ(actual.numberFormat(r, c), expected.numberFormat(r, c)) << count << " " << r << "," << c;
                EXPECT_EQ(actual.formattedText(r, c), expected.formattedText(r, c)) << count << " " << r << "," << c;
            }
        }
    }
}

TEST(ClearRange, KindsAndWholeSheet)
{
    Spreadsheet book;
    book.setNumber(1, 1, 1);
    book.setFormula(2, 1, "=A1");
    book.setNumberFormat(1, 1, 2, 1, "0.0");
    book.clearRange(1, 1, 1, 1, sheet::ClearKind::Contents);  // values only
    EXPECT_EQ(book.cellType(1, 1), sheet::CellType::Empty);
    EXPECT_EQ(book.numberFormat(1, 1), "0.0");
    book.clearRange(1, 1, 2, 1, sheet::ClearKind::Formats);  // formats only
    EXPECT_EQ(book.numberFormat(2, 1), "General");
    EXPECT_EQ(book.formula(2, 1), "=A1");
    book.setText(3, 3, "x");
    book.clearRange(-1, -1, -1, -1, sheet::ClearKind::All);
    EXPECT_EQ(book.lastRow(), 0);
    EXPECT_EQ(book.lastCol(), 0);
    EXPECT_THROW(book.clearRange(1, 1, 1, 1, static_cast<sheet::ClearKind>(7)), sheet::SheetError);
}

TEST(Selection, OrderedRangesAndSheets)
{
    Spreadsheet book;
    book.setSelection({{1, 2, 10, 2}, {1, 5, 10, 6}});
    EXPECT_EQ(book.selectionCount(), 2);
    EXPECT_EQ(book.selection(1).col1, 5);
    book.selectRange(16, 1, 20, 60);
    EXPECT_EQ(book.selectionCount(), 1);
    EXPECT_EQ(book.selection(0), (sheet::Range{16, 1, 20, 60}));
    book.setNumSheets(2);
    book.setSheetName(1, "ASCII Import");
    EXPECT_EQ(book.numSheets(), 2);
    EXPECT_EQ(book.sheetName(1), "ASCII Import");
    book.setActiveSheet(2);
    book.setNumber(1, 1, 5);
    book.setActiveSheet(1);
    EXPECT_EQ(book.cellType(1, 1), sheet::CellType::Empty);
    book.setNumSheets(1);
    EXPECT_EQ(book.numSheets(), 1);
}

TEST(Load, SnapshotRoundTripAndAtomicFailure)
{
    Spreadsheet book;
    book.setNumber(1, 1, 2.5);
    book.setText(1, 2, "text");
    book.setFormula(1, 3, "=A1*2");
    book.setBoolean(2, 1, true);
    book.setError(2, 2, sheet::ErrorCode::NA);
    book.setDefinedName("Two", "$A$1");
    book.setNumberFormat(1, 1, 1, 1, "0.00");
    for (int r = 3; r <= 6; ++r) book.setNumber(r, 1, r);
    book.setFormula(3, 4, "=A3*Two");
    book.selectRange(3, 4, 6, 4);
    book.fillDown();

    const sheet::WorkbookData data = book.snapshot();
    Spreadsheet copy;
    copy.load(data);
    EXPECT_EQ(copy.text(1, 1), "2.50");
    EXPECT_EQ(copy.text(1, 2), "text");
    EXPECT_DOUBLE_EQ(copy.number(1, 3), 5);
    EXPECT_EQ(copy.text(2, 1), "TRUE");
    EXPECT_EQ(copy.text(2, 2), "#N/A");
    EXPECT_DOUBLE_EQ(copy.number(6, 4), 15);
    EXPECT_EQ(copy.definedName("two"), "$A$1");
    // Consecutive equal formulas load as one shared block.
    EXPECT_EQ(copy.workbook().active().columns[3].formulas.runs().size(), 1u);

    sheet::WorkbookData bad = data;
    bad.sheets[0].cells.push_back(sheet::CellData{9, 9, sheet::CellKind::Formula, 0, "=1+", {}, {}});
    try {
        copy.load(bad);
        FAIL() << "a bad formula must refuse the load";
    } catch (const sheet::SheetError& e) {
        EXPECT_TRUE(e.message().contains("I9")) << e.message().toStdString();
    }
    EXPECT_EQ(copy.cellType(9, 9), sheet::CellType::Empty);
    EXPECT_DOUBLE_EQ(copy.number(6, 4), 15);  // unchanged
}

}  // namespace
