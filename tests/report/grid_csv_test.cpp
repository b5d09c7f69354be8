// grid.csv: every cell in its row and column however the rows fall into the
// writer's blocks, each kind of cell in its written form.
#include "report/grid_csv.h"

#include "components/sheet/spreadsheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(GridCsv, CellsKeepTheirRowsAndColumnsAcrossBlocks)
{
    sheet::Spreadsheet grid;
    const int rows = 1300;  // more than two blocks, the last one partial
    for (int row = 1; row <= rows; ++row) {
        grid.setNumber(row, 1, row);
        grid.setNumber(row, 2, row + 0.1);
        if (row % 3 == 0) grid.setLiteralText(row, 3, QStringLiteral("a,b \"q\""));
        if (row % 5 == 0) grid.setBoolean(row, 4, true);
        if (row % 7 == 0) grid.setError(row, 4, sheet::ErrorCode::Div0);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.csv"));
    report::writeGridCsv(grid, rows + 1, 4, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), rows + 2);  // the empty last row, then nothing after its line end
    for (int row = 1; row <= rows; ++row) {
        const QByteArray& line = lines[row - 1];
        ASSERT_TRUE(line.startsWith(QByteArray::number(row) + ',')) << line.constData();
        const QList<QByteArray> fields = line.chopped(1).split(',');  // without the CR
        EXPECT_EQ(fields[1].toDouble(), row + 0.1) << row;
        EXPECT_EQ(line.contains("\"a,b \"\"q\"\"\""), row % 3 == 0) << row;
        const QByteArray last = fields.last();
        if (row % 7 == 0) EXPECT_EQ(last, "#DIV/0!") << row;
        else if (row % 5 == 0) EXPECT_EQ(last, "TRUE") << row;
        else EXPECT_TRUE(last.isEmpty()) << row;
    }
    EXPECT_EQ(lines[rows], ",,,\r");
}

// Whole numbers take a faster path than other numbers; both must give the
// shortest round-trip text, around the edges of that path and for repeats.
TEST(GridCsv, NumbersAreTheShortestRoundTripText)
{
    const double numbers[] = {0.0, -0.0, 1.0, -1.0, 99999.0, -99999.0, 100000.0, -100000.0, 1e5 - 0.5,
                              1e6, 1e15, 1e16, 0.1, 25.01002366666667, 9.30000000000426e-05, 5e-324,
                              -2.2250738585072014e-308, 1.7976931348623157e308, 30.0, 30.0, 0.5};
    const int count = int(std::size(numbers));
    sheet::Spreadsheet grid;
    for (int row = 1; row <= count; ++row) grid.setNumber(row, 1, numbers[row - 1]);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.csv"));
    report::writeGridCsv(grid, count, 1, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), count + 1);
    for (int row = 1; row <= count; ++row) {
        char expected[32];
        const auto end = std::to_chars(expected, expected + sizeof expected, numbers[row - 1]).ptr;
        EXPECT_EQ(lines[row - 1].chopped(1), QByteArray(expected, end - expected)) << row;
    }
}

}  // namespace
