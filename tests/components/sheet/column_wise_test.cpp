// Column-wise evaluation of filled-down blocks against the cell-by-cell
// interpreter: on random data full of near ties, constants, texts, booleans,
// errors and empty cells, both must leave every cell with the same kind, the
// same bits and the same texts.
#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using sheet::Spreadsheet;

namespace {

constexpr int kFirstRow = 12;
constexpr int kDataColumns = 5;  // A..E

// Formulas filled down from kFirstRow; they read the data columns A..E, the
// rows around their own, the fixed cells of rows 1..3 and a defined name.
const char* const kFormulas[] = {
    "=(A12+B12+C12)/COUNT(A12:C12)",
    "=A12-B12",
    "=B12-C12+D12",
    "=A12*B12",
    "=A12/B12",
    "=A12^C12",
    "=-A12%",
    "=+A12",
    "=A12=B12",
    "=A12<>B12",
    "=A12<B12",
    "=A12>=B12",
    "=A12<=E12",
    "=IF(A12>B12,1,\"\")",
    "=IF(A12<B12,1)",
    "=IF(A12>Mean,A12-Mean,IF(A12<Mean,Mean-A12,))",
    "=IF(COUNT(A12:C12)>1,ABS(MAX(A12:C12)-MIN(A12:C12)),IF(ISNUMBER(A11),ABS(A12-A11),0))",
    "=IF(COUNT(A12:C12)<2,IF(ISNUMBER(A11),A11-A12,0),IF(ISBLANK(C12),B12-A12,IF(ABS(B12-A12)>ABS(C12-A12),B12-A12,C12-A12)))",
    "=IF(OR(A12>$B$1,A12<$B$2),1,\"\")",
    "=IF(AND(A12>0,B12>0),A12,B12)",
    "=SUM(A6:A12)",
    "=SUM(A10:A12)",
    "=SUM(D2:D12)",
    "=SUM(E10:E12)",
    "=IF(OR(SUM(D6:D12)=7,SUM(D6:D12)=0),1,\"\")",
    "=SUM(A12,B12,C12)",
    "=SUM(A12:C12)",
    "=STDEV(A8:A12)",
    "=STDEVP(A8:C12)",
    "=AVERAGE(A10:C12)",
    "=COUNTIF(A8:A12,\">25\")",
    "=COUNTA(A12:E12)",
    "=IFERROR(A12/B12,-1)",
    "=ROUND(A12*B12,2)",
    "=MOD(A12,3)",
    "=ROW()*A12",
    "=A$12:A$400*2",
    "=LEN(A12&B12)",
    "=ISTEXT(E12)",
    "=NOT(A12>B12)",
    "=SQRT(A12)",
    "=A12+$B$3",
    "=IF(E12,A12,B12)",
    "=E12+1",
    "=IF(A12>25,IF(B12>25,IF(C12>25,3,2),1),0)",
    "=MAX(A11:C13)-MIN(A11:C13)",
    // Texts as results: each needs its own slot in the sheet's text pool.
    "=IF(A12>B12,\"high\",\"low\")",
    "=E12",
    "=A12&\"x\"",
    "=IF(ISTEXT(E12),E12,A12)",
    "=IF(A12>Mean,Mean,$E$5)",
};

// A random cell value of the data columns: mostly decimals with two places
// (near ties after subtraction), constants, integers and zero, now and then
// a numeric text, a word, a boolean, an error or nothing.
void writeRandomCell(Spreadsheet& book, int row, int col, std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, 99);
    std::normal_distribution<double> noise(25.0, 1.0);
    const int p = pick(random);
    if (p < 55) {
        book.setNumber(row, col, std::round(noise(random) * 100.0) / 100.0);
    } else if (p < 65) {
        const double ties[] = {21.29 - 13.28, 17.34 - 9.33, 8.01, 0.1 + 0.2, 0.3, 25.0, 24.99};
        book.setNumber(row, col, ties[pick(random) % 7]);
    } else if (p < 72) {
        book.setNumber(row, col, static_cast<double>(pick(random) % 5));
    } else if (p < 76) {
        book.setNumber(row, col, 0.0);
    } else if (p < 80) {
        book.setText(row, col, QStringLiteral("25.5"));
    } else if (p < 83) {
        book.setLiteralText(row, col, QStringLiteral("word"));
    } else if (p < 86) {
        book.setBoolean(row, col, pick(random) % 2 == 0);
    } else if (p < 88) {
        book.setError(row, col, sheet::ErrorCode::Div0);
    } else if (p < 90) {
        book.setNumber(row, col, -std::round(noise(random) * 10.0) / 10.0);
    }
    // else: left empty
}

void buildBook(Spreadsheet& book, unsigned seed, int rows, bool columnWise)
{
    book.workbook().columnWiseEvaluation = columnWise;
    std::mt19937 random(seed);
    book.setNumber(1, 2, 26.5);
    book.setNumber(2, 2, 23.5);
    book.setNumber(3, 2, 0.1);
    book.setNumber(1, 1, 25.0);
    book.setDefinedName("Mean", "$A$1");
    // Data start above the block so that windows looking up reach data.
    for (int row = 4; row < kFirstRow + rows; ++row)
        for (int col = 1; col <= kDataColumns; ++col) writeRandomCell(book, row, col, random);
    // A run of equal values, so that constant windows and exact ties occur.
    for (int row = kFirstRow + 20; row < kFirstRow + 40 && row < kFirstRow + rows; ++row)
        for (int col = 1; col <= 3; ++col) book.setNumber(row, col, 25.01);
    const int formulaColumns = static_cast<int>(std::size(kFormulas));
    for (int i = 0; i < formulaColumns; ++i) book.setFormula(kFirstRow, kDataColumns + 1 + i, kFormulas[i]);
    book.selectRange(kFirstRow, kDataColumns + 1, kFirstRow + rows - 1, kDataColumns + formulaColumns);
    book.fillDown();
    book.workbook().recalculate();
}

// Same kind byte and the same bits in every cell of both books.
void expectSameCells(const Spreadsheet& a, const Spreadsheet& b, unsigned seed)
{
    const sheet::Sheet& sa = a.workbook().active();
    const sheet::Sheet& sb = b.workbook().active();
    ASSERT_EQ(sa.columns.size(), sb.columns.size());
    for (size_t c = 0; c < sa.columns.size(); ++c) {
        const sheet::Column& ca = sa.columns[c];
        const sheet::Column& cb = sb.columns[c];
        ASSERT_EQ(ca.extent(), cb.extent()) << "column " << c + 1;
        for (int row = 1; row < ca.extent(); ++row) {
            const double va = ca.value(row), vb = cb.value(row);
            EXPECT_EQ(ca.kind(row), cb.kind(row)) << "seed " << seed << " row " << row << " column " << c + 1;
            EXPECT_EQ(std::memcmp(&va, &vb, sizeof va), 0)
                << "seed " << seed << " row " << row << " column " << c + 1 << ": " << va << " vs " << vb;
        }
    }
    ASSERT_EQ(sa.texts.size(), sb.texts.size());
    for (size_t i = 0; i < sa.texts.size(); ++i) EXPECT_EQ(sa.texts[i], sb.texts[i]);
}

TEST(ColumnWiseEvaluation, MatchesCellByCellToTheLastBit)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        // Lengths around the chunk size: shorter, one chunk and a ragged tail.
        const int rows = seed == 1 ? 3 : (seed == 2 ? 128 : 150 + 97 * static_cast<int>(seed));
        Spreadsheet columnWise, cellByCell;
        buildBook(columnWise, seed, rows, true);
        buildBook(cellByCell, seed, rows, false);
        expectSameCells(columnWise, cellByCell, seed);
    }
}

TEST(ColumnWiseEvaluation, RecalculationAfterAnEditAgrees)
{
    Spreadsheet columnWise, cellByCell;
    buildBook(columnWise, 99, 300, true);
    buildBook(cellByCell, 99, 300, false);
    for (Spreadsheet* book : {&columnWise, &cellByCell}) {
        book->setNumber(50, 1, 1e308);  // overflows to #NUM! in products and powers
        book->setText(60, 2, QStringLiteral("TRUE"));
        book->setNumber(70, 3, -0.0);
        book->workbook().recalculate();
    }
    expectSameCells(columnWise, cellByCell, 99);
}

// A block that reads its own column above is a chain: however it is split
// into chunks, every row must see the finished row above.
TEST(ColumnWiseEvaluation, ChainsReadingTheRowAboveStayInOrder)
{
    Spreadsheet book;
    book.setNumber(1, 1, 1);
    book.setFormula(2, 1, "=A1+1");
    book.selectRange(2, 1, 1000, 1);
    book.fillDown();
    book.setFormula(1, 2, "=A1*2");
    book.selectRange(1, 2, 1000, 2);
    book.fillDown();
    EXPECT_EQ(book.number(1000, 1), 1000.0);
    EXPECT_EQ(book.number(1000, 2), 2000.0);
    EXPECT_EQ(book.number(500, 2), 1000.0);
}

}  // namespace
