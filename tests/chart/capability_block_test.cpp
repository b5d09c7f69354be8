// The capability block of the statistics grid: the values a fill gives the
// figures (rows with text skipped, value columns in slot order), and the
// block's cells after a statistics copy — index labels by the limits given,
// errors by name, notes, and a block that keeps its rows when limits go away.
#include "tests/chart/chart_test_support.h"
#include "chart/capability_block.h"
#include "chart/chart_run.h"
#include "chart/computation_layout.h"

#include <gtest/gtest.h>

using namespace chart::capabilityrows;
using charttest::StateFixture;

namespace {

class CapabilityBlockTest : public ::testing::Test {
protected:
    StateFixture f;
    sheet::Spreadsheet grid;
    chart::ChartRun run{grid, f.state};

    void SetUp() override
    {
        chart::buildReferenceLayout(grid, platform::Language::English);
        f.state.job.valueColumns = {1, 3, 0};
        f.state.job.firstDataRow = 1;
        f.state.job.lastDataRow = 12;
        for (int r = 1; r <= 12; ++r) {
            f.importGrid.setNumber(r, 1, 10.0 + (r % 3) * 0.1);
            f.importGrid.setText(r, 2, QStringLiteral("ignored"));
            f.importGrid.setNumber(r, 3, 10.2 - (r % 4) * 0.1);
        }
        f.importGrid.setText(5, 3, QStringLiteral("n/a"));   // the row is skipped, as in the chart
    }

    QString text(int row, int col) const { return f.statisticsGrid.text(row, col); }
    double number(int row, int col) const { return f.statisticsGrid.number(row, col); }
};

}  // namespace

TEST_F(CapabilityBlockTest, FillGivesTheChartedValuesRowByRow)
{
    run.fill(1, 12);
    EXPECT_EQ(run.capabilityColumns(), 2);
    const std::vector<double>& values = run.capabilityValues();
    ASSERT_EQ(values.size(), 22u);   // 11 numeric rows x 2 columns
    EXPECT_DOUBLE_EQ(values[0], 10.1);   // row 1, column A
    EXPECT_DOUBLE_EQ(values[1], 10.1);   // row 1, column C
    EXPECT_DOUBLE_EQ(values[8], 10.0);   // row 6 (not 10.2 of row 5, which held text)
}

TEST_F(CapabilityBlockTest, BlockFollowsTheLimitsAndKeepsItsRows)
{
    f.state.job.specificationLimits = {9.5, 10.6, 10.05};
    run.fill(1, 12);
    run.copyStatistics();
    const auto figures = run.capabilityFigures();
    const char* labels[] = {"Cp", "Cpk", "Pp", "Ppk", "Cpm"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text(kIndexFirst + i, kLabelColumn), labels[i]);
    EXPECT_DOUBLE_EQ(number(kIndexFirst, kValueColumn), figures.indices[0].value.value);
    EXPECT_LT(number(kIndexFirst + 1, kLowerBoundColumn), number(kIndexFirst + 1, kValueColumn));
    EXPECT_GT(number(kIndexFirst + 1, kUpperBoundColumn), number(kIndexFirst + 1, kValueColumn));
    EXPECT_EQ(text(kIndexFirst + 4, kLowerBoundColumn), "");   // Cpm has no bounds
    EXPECT_EQ(number(kCount, kValueColumn), 22);
    EXPECT_EQ(number(kLimits, kValueColumn), 9.5);
    EXPECT_EQ(number(kLimits, kUpperBoundColumn), 10.6);
    EXPECT_EQ(text(kLimitsNote, kLabelColumn), "");
    EXPECT_TRUE(sheet::isNumeric(f.statisticsGrid.cellType(kPValue, kValueColumn)));

    // One limit: two index rows, the rest of the index rows emptied; the
    // missing side of the ppm by name.
    f.state.job.specificationLimits = {std::nullopt, 10.6, std::nullopt};
    run.copyStatistics();
    EXPECT_EQ(text(kIndexFirst, kLabelColumn), "Cpu");
    EXPECT_EQ(text(kIndexFirst + 1, kLabelColumn), "Ppu");
    EXPECT_EQ(text(kIndexFirst + 2, kLabelColumn), "");
    EXPECT_EQ(text(kIndexFirst + 2, kValueColumn), "");
    EXPECT_EQ(text(kObserved, kValueColumn), "#N/A");
    EXPECT_EQ(text(kLimits, kValueColumn), "");

    // Inverted limits: the rows stay, every index #N/A, a note says why; the
    // spread figures and the control chart statistics stay.
    f.state.job.specificationLimits = {10.6, 9.5, 11.0};
    run.copyStatistics();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(text(kIndexFirst + i, kValueColumn), "#N/A") << i;
    EXPECT_TRUE(text(kLimitsNote, kLabelColumn).contains("not below")) << text(kLimitsNote, kLabelColumn).toStdString();
    EXPECT_GT(number(kSigmaOverall, kValueColumn), 0.0);
    EXPECT_GT(number(8, 3), 0.0);   // centre line of the mean chart
}

TEST_F(CapabilityBlockTest, ConstantValuesGiveDivisionByZeroNeverHugeNumbers)
{
    for (int r = 1; r <= 12; ++r) {
        f.importGrid.setText(r, 1, QStringLiteral("0.3"));
        f.importGrid.setText(r, 3, QStringLiteral("0.3"));
    }
    f.state.language = platform::Language::German;
    f.state.job.specificationLimits = {0.2, 0.4, 0.5};
    run.fill(1, 12);
    run.copyStatistics();
    EXPECT_EQ(text(kIndexFirst, kValueColumn), "#DIV/0!");
    EXPECT_EQ(text(kIndexFirst + 3, kUpperBoundColumn), "#DIV/0!");
    EXPECT_EQ(text(kExpectedOverall, kUpperBoundColumn), "#DIV/0!");
    EXPECT_EQ(text(kPValue, kValueColumn), "#DIV/0!");
    EXPECT_EQ(number(kSigmaWithin, kValueColumn), 0.0);
    EXPECT_EQ(text(kLimitsNote, kLabelColumn), "Der Sollwert liegt außerhalb der Toleranzgrenzen.");
}
