// The computation fill on the reference layout: which rows are copied, what
// lands in columns A to D, which rows are cleared, and the statistics the
// template computes from them for one, two and three value columns.
#include "chart/computation_fill.h"
#include "chart/computation_layout.h"
#include "chart/copy_statistics.h"
#include "tests/chart/chart_test_support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using charttest::StateFixture;
using chart::ComputationFill;

namespace {

class ComputationFillTest : public ::testing::Test {
protected:
    StateFixture f;
    sheet::Spreadsheet grid;

    void SetUp() override
    {
        chart::buildReferenceLayout(grid, platform::Language::English);
        f.state.job.valueColumns = {2, 0, 0};
    }

    chart::FillResult fill(int startRow, int endRow)
    {
        // The template files are not found: the fill works on the reference layout.
        return ComputationFill::run(grid, f.state, startRow, endRow);
    }
    double stat(int row, int col) const { return f.statisticsGrid.number(row, col); }
};

}  // namespace

TEST_F(ComputationFillTest, SkipsNonNumericRowsAndKeepsTheirImportRowNumbers)
{
    for (int r = 1; r <= 10; ++r)
        f.importGrid.setNumber(r, 2, r * 1.5);
    f.importGrid.setText(3, 2, "n/a");
    f.importGrid.setFormula(5, 2, "=2*4");  // a formula with a number counts as numeric
    f.importGrid.setText(7, 2, "");         // empty
    const chart::FillResult result = fill(1, 10);
    EXPECT_EQ(result.lastComputationRow, 23);
    EXPECT_EQ(result.skipped, 2);
    const double importRows[] = {1, 2, 4, 5, 6, 8, 9, 10};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(grid.number(16 + i, 1), importRows[i]) << "row " << 16 + i;
    EXPECT_EQ(grid.number(19, 2), 8.0);
    // Rows 24 to 26 (two unused formula rows and the template's end row) are cleared.
    for (int r = 24; r <= 26; ++r)
        for (int c : {1, 2, 5, 9, 11, 17})
            EXPECT_EQ(grid.cellType(r, c), sheet::CellType::Empty) << "row " << r << " col " << c;
    EXPECT_EQ(grid.number(1, 1), 8.0);  // mess counts exactly the copied rows
}

TEST_F(ComputationFillTest, ValuesTravelAsDisplayed)
{
    f.importGrid.setNumber(1, 2, 1.23456);
    f.importGrid.setNumberFormat(1, 2, 1, 2, "0.00");
    f.importGrid.setNumber(2, 2, 2.0);
    fill(1, 2);
    EXPECT_DOUBLE_EQ(grid.number(16, 2), 1.23);
}

TEST_F(ComputationFillTest, AllRowsNonNumericGivesNoData)
{
    f.setRow(1, {"", "a"});
    f.setRow(2, {"", "b"});
    const chart::FillResult result = fill(1, 2);
    EXPECT_FALSE(result.hasData());
    EXPECT_EQ(result.skipped, 2);
}

TEST_F(ComputationFillTest, EndBeforeStartCopiesNothingWithoutError)
{
    f.importGrid.setNumber(5, 2, 1.0);
    chart::FillResult result;
    EXPECT_NO_THROW(result = fill(6, 5));
    EXPECT_EQ(result.lastComputationRow, 15);
    EXPECT_EQ(grid.cellType(16, 1), sheet::CellType::Empty);  // no stale sample rows left to chart
    EXPECT_EQ(grid.cellType(17, 2), sheet::CellType::Empty);
}

TEST_F(ComputationFillTest, OneRowSpanUsesThePrototypeRow)
{
    f.importGrid.setNumber(4, 2, 7.0);
    const chart::FillResult result = fill(4, 4);
    EXPECT_EQ(result.lastComputationRow, 16);
    EXPECT_EQ(grid.number(16, 5), 7.0);    // row mean
    EXPECT_EQ(grid.cellType(17, 2), sheet::CellType::Empty);    // the template's sample row is gone
}

// Statistics grid numbers for small hand-checked data sets.

TEST_F(ComputationFillTest, StatisticsOfOneValueColumn)
{
    f.importGrid.setNumber(1, 2, 1);
    f.importGrid.setNumber(2, 2, 2);
    f.state.job.chartTitle = "One column";
    f.state.fileNameText = "data.csv";
    fill(1, 2);
    chart::copyStatistics(grid, f.statisticsGrid, f.state);
    EXPECT_EQ(f.statisticsGrid.text(1, 2), "One column");
    EXPECT_EQ(f.statisticsGrid.text(2, 2), "data.csv");
    EXPECT_EQ(stat(3, 4), 2);
    EXPECT_DOUBLE_EQ(stat(8, 3), 1.5);    // Mittel
    EXPECT_DOUBLE_EQ(stat(9, 3), 0.5);    // population sd of the means
    EXPECT_DOUBLE_EQ(stat(10, 3), 1.0);
    EXPECT_DOUBLE_EQ(stat(11, 3), 2.0);
    EXPECT_DOUBLE_EQ(stat(12, 3), 0.5);   // WU
    EXPECT_DOUBLE_EQ(stat(12, 5), 2.5);   // WO
    EXPECT_NEAR(stat(13, 3), 0.0, 1e-12); // KU
    EXPECT_DOUBLE_EQ(stat(13, 5), 3.0);   // KO
    EXPECT_DOUBLE_EQ(stat(17, 3), 0.5);   // moving ranges 0 and 1
    EXPECT_NEAR(stat(18, 3), 0.707107, 1e-6);
    EXPECT_NEAR(stat(19, 3), 1.91421, 1e-5);
    EXPECT_NEAR(stat(20, 3), 2.62132, 1e-5);
    EXPECT_DOUBLE_EQ(stat(24, 3), -0.5);  // differences 0 and -1
    EXPECT_NEAR(stat(25, 3), 0.707107, 1e-6);
    EXPECT_NEAR(stat(26, 3), -1.91421, 1e-5);
    EXPECT_NEAR(stat(26, 5), 0.914214, 1e-6);
    EXPECT_NEAR(stat(27, 3), -2.62132, 1e-5);
    EXPECT_NEAR(stat(27, 5), 1.62132, 1e-5);
    for (int row : {14, 21, 28})
        EXPECT_EQ(stat(row, 3), 0) << "alarm count in row " << row;
}

TEST_F(ComputationFillTest, StatisticsOfTwoValueColumns)
{
    f.state.job.valueColumns = {2, 3, 0};
    f.setRow(1, {"", "1", "3"});
    f.setRow(2, {"", "2", "6"});
    fill(1, 2);
    chart::copyStatistics(grid, f.statisticsGrid, f.state);
    EXPECT_EQ(stat(3, 4), 2);
    EXPECT_DOUBLE_EQ(stat(8, 3), 3.0);    // means 2 and 4
    EXPECT_DOUBLE_EQ(stat(9, 3), 1.0);
    EXPECT_DOUBLE_EQ(stat(10, 3), 2.0);
    EXPECT_DOUBLE_EQ(stat(11, 3), 4.0);
    EXPECT_DOUBLE_EQ(stat(12, 3), 1.0);
    EXPECT_DOUBLE_EQ(stat(13, 5), 6.0);
    EXPECT_DOUBLE_EQ(stat(17, 3), 3.0);   // ranges 2 and 4
    EXPECT_NEAR(stat(18, 3), 1.414214, 1e-6);
    EXPECT_NEAR(stat(20, 3), 7.242641, 1e-6);
    EXPECT_DOUBLE_EQ(stat(24, 3), 3.0);   // second minus first: 2 and 4
    EXPECT_NEAR(stat(26, 3), 0.171573, 1e-6);
    EXPECT_NEAR(stat(27, 3), -1.242641, 1e-6);
}

TEST_F(ComputationFillTest, StatisticsOfThreeValueColumns)
{
    f.state.job.valueColumns = {2, 3, 4};
    f.setRow(1, {"", "4", "7", "5"});
    f.setRow(2, {"", "4", "2", "6"});
    f.setRow(3, {"", "1", "1", "1"});
    fill(1, 3);
    chart::copyStatistics(grid, f.statisticsGrid, f.state);
    EXPECT_EQ(stat(3, 4), 3);
    EXPECT_NEAR(grid.number(16, 5), 16.0 / 3, 1e-12);
    EXPECT_EQ(grid.number(16, 11), 3.0);  // |7-4| > |5-4|
    EXPECT_EQ(grid.number(17, 11), 2.0);  // tie: third minus first
    EXPECT_NEAR(stat(8, 3), 31.0 / 9, 1e-12);
    EXPECT_NEAR(stat(9, 3), 1.812167, 1e-6);  // sqrt(266/81)
    EXPECT_DOUBLE_EQ(stat(10, 3), 1.0);
    EXPECT_NEAR(stat(11, 3), 16.0 / 3, 1e-12);
    EXPECT_NEAR(stat(17, 3), 7.0 / 3, 1e-12);  // ranges 3, 4, 0
    EXPECT_NEAR(stat(18, 3), 2.081666, 1e-6);
    EXPECT_NEAR(stat(24, 3), 5.0 / 3, 1e-12);  // differences 3, 2, 0
    EXPECT_NEAR(stat(25, 3), 1.527525, 1e-6);
}

TEST_F(ComputationFillTest, ErrorCellsReachTheStatisticsGridAsErrors)
{
    // One data row: the sample standard deviations have no value.
    f.importGrid.setNumber(1, 2, 5.0);
    f.statisticsGrid.setNumber(18, 3, 99.0);
    fill(1, 1);
    chart::copyStatistics(grid, f.statisticsGrid, f.state);
    EXPECT_EQ(f.statisticsGrid.cellType(18, 3), sheet::CellType::Error);
    EXPECT_EQ(f.statisticsGrid.text(18, 3), "#DIV/0!");
    EXPECT_EQ(stat(8, 3), 5.0);
}

TEST_F(ComputationFillTest, ASpanLongerThanTheGridHoldsIsRefusedBeforeAnythingMoves)
{
    // The template's rows from 17 on move down by the span's rows less one.
    f.state.language = platform::Language::German;
    grid.setNumber(16, 1, 42);
    try {
        fill(1, chart::kMaxDataRows + 1);
        ADD_FAILURE() << "a span of 1,048,561 rows was accepted";
    } catch (const chart::TooManyRowsError& e) {
        EXPECT_STREQ(e.what(), "höchstens 1.048.560 Datenzeilen passen in das Rechenblatt; gewählt sind 1.048.561 Zeilen");
    }
    EXPECT_EQ(grid.number(16, 1), 42.0);
    EXPECT_THROW(ComputationFill::copyRows(grid, f.state, 5, 5 + chart::kMaxDataRows), chart::TooManyRowsError);
}

TEST_F(ComputationFillTest, ATemplateChangedOnDiskIsReadAnew)
{
    // Fills reuse the parsed template only while the file stays the same.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("xycharte.def"));
    const QDir data(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR));
    ASSERT_TRUE(QFile::copy(data.filePath(QStringLiteral("xycharte.def")), path));
    f.state.applicationDirectory = dir.path() + QLatin1Char('/');
    for (int r = 1; r <= 5; ++r)
        f.importGrid.setNumber(r, 2, r);

    ASSERT_TRUE(ComputationFill::loadTemplate(grid, f.state));
    const QString english = grid.formattedText(4, 3);
    const int templateRows = grid.lastRow();
    EXPECT_EQ(fill(1, 5).lastComputationRow, 20);
    ASSERT_TRUE(ComputationFill::loadTemplate(grid, f.state));  // the filled rows are gone again
    EXPECT_EQ(grid.lastRow(), templateRows);
    EXPECT_EQ(english, "Mean");

    // Another template under the same name, with a later time stamp.
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(data.filePath(QStringLiteral("xychartg.def")), path));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    }
    sheet::Spreadsheet german;
    german.read(path);
    ASSERT_TRUE(ComputationFill::loadTemplate(grid, f.state));
    EXPECT_EQ(grid.formattedText(4, 3), german.formattedText(4, 3));
    EXPECT_EQ(grid.formattedText(4, 3), "Mittel");

    // Removed: the built-in layout, not the last template read.
    QFile::remove(path);
    EXPECT_FALSE(ComputationFill::loadTemplate(grid, f.state));
    sheet::Spreadsheet reference;
    chart::buildReferenceLayout(reference, platform::Language::English);
    EXPECT_EQ(grid.formattedText(4, 3), reference.formattedText(4, 3));
    EXPECT_EQ(grid.lastRow(), reference.lastRow());
}
