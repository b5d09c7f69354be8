// Recalculation: results follow their inputs, formula texts do not pile up
// in the text pool, displayed texts follow number formats, and chains that
// only look up are evaluated in one pass however long they are.
#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook.h"

#include <cmath>
#include <gtest/gtest.h>

using sheet::Spreadsheet;

namespace {

TEST(Recalc, ResultsFollowChangedInputs)
{
    Spreadsheet book;
    book.setNumber(1, 1, 2);
    book.setFormula(1, 2, "=A1*10");
    book.setFormula(1, 3, "=B1+A1");
    EXPECT_DOUBLE_EQ(book.number(1, 3), 22);
    book.setText(1, 1, "3");
    EXPECT_DOUBLE_EQ(book.number(1, 3), 33);
    book.setText(1, 1, "abc");
    EXPECT_EQ(book.value(1, 3).error, sheet::ErrorCode::Value);
    book.clearRange(1, 1, 1, 1, sheet::ClearKind::All);
    EXPECT_EQ(book.number(1, 3), 0.0);
    // A name defined after the formula that uses it.
    book.setFormula(2, 1, "=Later*2");
    EXPECT_EQ(book.value(2, 1).error, sheet::ErrorCode::Name);
    book.setNumber(5, 5, 4);
    book.setDefinedName("Later", "E5");
    EXPECT_DOUBLE_EQ(book.number(2, 1), 8);
    book.removeDefinedName("later");
    EXPECT_EQ(book.value(2, 1).error, sheet::ErrorCode::Name);
}

TEST(Recalc, TextResultsReuseTheirPoolSlots)
{
    Spreadsheet book;
    book.setNumber(1, 1, 1);
    book.setFormula(1, 2, "=IF(A1>0,\"up\",\"down\")&\"!\"");
    EXPECT_EQ(book.text(1, 2), "up!");
    const size_t poolSize = book.workbook().active().texts.size();
    for (int i = 0; i < 50; ++i) {
        book.setNumber(1, 1, i % 2 ? 1 : -1);
        EXPECT_EQ(book.text(1, 2), i % 2 ? "up!" : "down!");
    }
    EXPECT_EQ(book.workbook().active().texts.size(), poolSize);
}

TEST(Recalc, DisplayFollowsTheNumberFormatAndSeparator)
{
    Spreadsheet book;
    book.setNumber(1, 1, 1.23456);
    book.setNumberFormat(1, 1, 1, 1, "0.00");
    EXPECT_EQ(book.formattedText(1, 1), "1.23");
    book.setDecimalSeparator(u',');
    EXPECT_EQ(book.formattedText(1, 1), "1,23");
    book.setFormula(2, 1, "=1/3");
    EXPECT_EQ(book.formattedText(2, 1), "0,333333333333333");
    EXPECT_EQ(book.numberFormat(2, 1), "General");
    book.setFormula(3, 1, "=\"a\"&A1");  // numbers join texts in the general format
    EXPECT_EQ(book.text(3, 1), "a1,23456");
}

TEST(Recalc, CountIfCriteria)
{
    Spreadsheet book;
    const char* cells[] = {"1", "2", "2.5", "abc", "ABC", "", "-1"};
    for (int i = 0; i < 7; ++i) book.setText(i + 1, 1, cells[i]);
    auto count = [&](const QString& criterion) {
        book.setFormula(1, 3, "=COUNTIF(A1:A7," + criterion + ")");
        return book.number(1, 3);
    };
    EXPECT_EQ(count("\">=2\""), 2);
    EXPECT_EQ(count("\"<0\""), 1);
    EXPECT_EQ(count("2"), 1);
    EXPECT_EQ(count("\"abc\""), 2);   // case ignored
    EXPECT_EQ(count("\"<>abc\""), 5);  // everything else, the empty cell included
    EXPECT_EQ(count("\"\""), 1);       // the empty cell
}

TEST(Recalc, ChainsReadingUpwardAcrossColumnsNeedOnePass)
{
    // Two long columns each reading the other's row above form a cycle
    // between blocks but not between cells; they still compute exactly.
    Spreadsheet book;
    const int rows = 5000;
    book.setNumber(1, 1, 0);
    book.setNumber(1, 2, 0);
    book.setFormula(2, 1, "=B1+1");
    book.setFormula(2, 2, "=A1+2");
    book.selectRange(2, 1, rows, 2);
    book.fillDown();
    // A(r) = B(r-1) + 1 and B(r) = A(r-1) + 2 add 3 every two rows.
    EXPECT_DOUBLE_EQ(book.number(rows, 1) + book.number(rows, 2), 3.0 * (rows - 1));
}

TEST(Recalc, CyclesSweepOnlyTheRowsTheirBlocksCover)
{
    // Two pairs of blocks reading each other's row above, one at the top and
    // one near the bottom of the sheet: every cell gets its value, and the
    // rows between the pairs cost nothing.
    Spreadsheet book;
    for (const int top : {1, 1000000}) {
        book.setNumber(top, 1, 0);
        book.setNumber(top, 2, 0);
        book.setFormula(top + 1, 1, "=B" + QString::number(top) + "+1");
        book.setFormula(top + 1, 2, "=A" + QString::number(top) + "+2");
        book.selectRange(top + 1, 1, top + 40, 2);
        book.fillDown();
    }
    for (const int top : {1, 1000000}) EXPECT_DOUBLE_EQ(book.number(top + 40, 1) + book.number(top + 40, 2), 3.0 * 40);
}

TEST(Recalc, ManyCircularCellsCostTheirCountNotItsSquare)
{
    // Each row its own pair of formulas reading each other: tens of thousands
    // of one-cell blocks in a cycle. A sweep over every row for every block
    // would run for many minutes; visiting only what exists takes moments.
    Spreadsheet book;
    const int rows = 60000;
    for (int row = 1; row <= rows; ++row) {
        book.setFormula(row, 1, "=B" + QString::number(row) + "+" + QString::number(row));
        book.setFormula(row, 2, "=A" + QString::number(row) + "+1");
    }
    book.setFormula(rows + 1, 3, "=SUM(A1:A10)");
    EXPECT_EQ(book.value(1, 1).error, sheet::ErrorCode::Ref);
    EXPECT_EQ(book.value(rows, 2).error, sheet::ErrorCode::Ref);
    EXPECT_EQ(book.value(rows + 1, 3).error, sheet::ErrorCode::Ref);
}

}  // namespace

// A column read in one call gives what value() gives cell by cell, formulas
// calculated first, and NaN wherever there is no number.
TEST(Recalc, ReadNumbersMatchesValueCellByCell)
{
    sheet::Spreadsheet book;
    book.setNumber(1, 2, 1.5);
    book.setFormula(2, 2, "=B1*2");
    book.setLiteralText(3, 2, QStringLiteral("7"));
    book.setBoolean(4, 2, true);
    book.setFormula(5, 2, "=1/0");
    book.setFormula(6, 2, "=IF(B1>1,\"\",1)");
    book.setNumber(8, 2, -0.0);
    double out[10];
    book.readNumbers(2, 0, 10, out);  // row 0 lies outside the sheet, row 9 beyond the column
    EXPECT_TRUE(std::isnan(out[0]));
    EXPECT_EQ(out[1], 1.5);
    EXPECT_EQ(out[2], 3.0) << "the formula is calculated before it is read";
    for (int i : {3, 4, 5, 6, 7, 9}) EXPECT_TRUE(std::isnan(out[i])) << "row " << i;
    EXPECT_TRUE(out[8] == 0.0 && std::signbit(out[8]));

    book.setNumber(1, 2, 4.0);  // the formula is dirty again
    book.readNumbers(2, 2, 1, out);
    EXPECT_EQ(out[0], 8.0);
    book.readNumbers(40, 1, 2, out);  // a column without storage
    EXPECT_TRUE(std::isnan(out[0]) && std::isnan(out[1]));

    // The plain cells of the same column: every kind, the empty text as empty.
    sheet::CellKind kinds[9];
    book.readCells(2, 1, 9, kinds, out);
    using K = sheet::CellKind;
    const K expected[9] = {K::Number, K::Number, K::Text, K::Boolean, K::Error, K::Empty, K::Empty, K::Number, K::Empty};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(kinds[i], expected[i]) << "row " << i + 1;
        if (kinds[i] == K::Text) EXPECT_EQ(book.value(i + 1, 2).text, QStringLiteral("7"));
    }
    EXPECT_EQ(out[1], 8.0);
    EXPECT_EQ(out[3], 1.0);
    EXPECT_EQ(static_cast<sheet::ErrorCode>(static_cast<int>(out[4])), sheet::ErrorCode::Div0);
}
