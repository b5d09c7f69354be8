// The per-kind table read from a filled computation grid: the source
// columns of each kind, the row labels, error cells as gaps and the axis bounds.
#include "chart/chart_kinds.h"
#include "chart/computation_fill.h"
#include "chart/computation_layout.h"
#include "tests/chart/chart_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using chart::ChartKind;
using charttest::StateFixture;

namespace {

class ChartKindsTest : public ::testing::Test {
protected:
    StateFixture f;
    sheet::Spreadsheet grid;
    std::int32_t lastRow = 15;

    void SetUp() override
    {
        chart::buildReferenceLayout(grid, platform::Language::English);
        f.state.job.valueColumns = {2, 0, 0};
        f.state.job.chartTitle = "Line 1";
        f.state.xTitleText = "Sample";
        f.state.yTitleText = "mm";
        const double values[] = {1, 2, 4, 3};
        for (int i = 0; i < 4; ++i) {
            f.importGrid.setNumber(i + 1, 2, values[i]);
            f.importGrid.setText(i + 1, 1, QStringLiteral("S%1").arg(i + 1));
        }
        f.importGrid.setText(3, 2, "broken");  // row 3 is skipped
        lastRow = chart::ComputationFill::run(grid, f.state, 1, 4).lastComputationRow;
    }
};

}  // namespace

TEST_F(ChartKindsTest, MeanChartReadsMeansLimitsAndBounds)
{
    const auto data = chart::buildChartKindData(ChartKind::Mean, grid, lastRow, f.state);
    ASSERT_EQ(data.rowCount, 3);
    EXPECT_EQ(data.values[0], (QVector<double>{1, 2, 3}));
    EXPECT_EQ(data.rowLabels.all(), (QStringList{"1", "2", "4"}));  // import rows, with the gap
    EXPECT_EQ(data.seriesLabels[0], grid.text(15, 5));
    EXPECT_DOUBLE_EQ(data.values[4][1], 2.0);  // centre line
    ASSERT_TRUE(data.scaleMaximum && data.scaleMinimum);
    EXPECT_DOUBLE_EQ(*data.scaleMaximum, grid.number(9, 5));
    EXPECT_DOUBLE_EQ(*data.scaleMinimum, grid.number(10, 5));
    EXPECT_EQ(data.title, "Line 1");
    EXPECT_EQ(data.xAxisTitle, "Sample");
    for (const auto& rule : data.positions) {
        EXPECT_FALSE(rule.excluded);
        EXPECT_EQ(rule.hidden, std::optional<bool>(false));
    }
}

TEST_F(ChartKindsTest, RangeChartLeavesOutSeriesThreeAndFour)
{
    const auto data = chart::buildChartKindData(ChartKind::Range, grid, lastRow, f.state);
    EXPECT_EQ(data.values[0], (QVector<double>{0, 1, 1}));  // moving ranges
    EXPECT_FALSE(data.seriesUsed[2]);
    EXPECT_FALSE(data.seriesUsed[3]);
    EXPECT_TRUE(data.values[2].isEmpty());
    EXPECT_TRUE(data.positions[0].excluded && data.positions[0].hidden.value_or(false));
    EXPECT_FALSE(data.positions[2].excluded);
    EXPECT_DOUBLE_EQ(*data.scaleMinimum, 0.0);
    EXPECT_DOUBLE_EQ(*data.scaleMaximum, grid.number(9, 9));
}

TEST_F(ChartKindsTest, DifferenceChartIsSymmetricAndDropsTheCentreLine)
{
    const auto data = chart::buildChartKindData(ChartKind::Difference, grid, lastRow, f.state);
    EXPECT_EQ(data.values[0], (QVector<double>{0, -1, -1}));  // previous minus current
    EXPECT_FALSE(data.seriesUsed[4]);
    EXPECT_TRUE(data.positions[2].excluded);
    EXPECT_FALSE(data.positions[2].hidden.has_value());
    EXPECT_DOUBLE_EQ(*data.scaleMinimum, -*data.scaleMaximum);
    EXPECT_DOUBLE_EQ(*data.scaleMaximum, grid.number(9, 11));
}

TEST_F(ChartKindsTest, XColumnLabelsComeFromTheImportRows)
{
    f.state.job.xColumn = 1;
    const auto data = chart::buildChartKindData(ChartKind::Range, grid, lastRow, f.state);
    EXPECT_EQ(data.rowLabels.all(), (QStringList{"S1", "S2", "S4"}));
}

TEST_F(ChartKindsTest, ErrorCellsBecomeGapsNotZeros)
{
    grid.setFormula(17, 5, "=1/0");
    grid.setText(18, 12, "text");
    const auto data = chart::buildChartKindData(ChartKind::Mean, grid, lastRow, f.state);
    EXPECT_TRUE(std::isnan(data.values[0][1]));
    EXPECT_TRUE(std::isnan(data.values[2][2]));
    EXPECT_FALSE(std::isnan(data.values[0][0]));
}

TEST_F(ChartKindsTest, ErrorOrEqualBoundsFallBackToTheDrawnValuesWidenedByATenth)
{
    grid.setFormula(9, 11, "=1/0");
    auto data = chart::buildChartKindData(ChartKind::Difference, grid, lastRow, f.state);
    // Drawn: the differences 0, -1, -1, the four limit lines and the markers of alarm rows.
    double low = 0, high = 0;
    for (int s = 0; s < chart::kChartSeriesCount; ++s)
        for (double v : data.values[s])
            if (std::isfinite(v)) { low = std::min(low, v); high = std::max(high, v); }
    ASSERT_LT(low, high);
    EXPECT_DOUBLE_EQ(*data.scaleMinimum, low - (high - low) * 0.1);
    EXPECT_DOUBLE_EQ(*data.scaleMaximum, high + (high - low) * 0.1);

    chart::ChartKindData constant;
    constant.seriesUsed[0] = true;
    constant.values[0] = {5, 5, std::nan("")};
    EXPECT_EQ(chart::fallbackValueScale(constant), (std::pair<double, double>{4.5, 5.5}));
    constant.values[0] = {0, 0};
    EXPECT_EQ(chart::fallbackValueScale(constant), (std::pair<double, double>{-1.0, 1.0})) << "never 0-10";
    constant.values[0] = {-2};
    const auto [low2, high2] = chart::fallbackValueScale(constant);
    EXPECT_DOUBLE_EQ(low2, -2.2);
    EXPECT_DOUBLE_EQ(high2, -1.8);
}

TEST_F(ChartKindsTest, AlarmMarkerOnlyWhereTheKindsAlarmColumnIsAboveZero)
{
    // Alarm columns: Q (mean), AF (range), AW (difference); the marker values stay as computed.
    struct Case { ChartKind kind; int alarmColumn; };
    for (const Case c : {Case{ChartKind::Mean, 17}, Case{ChartKind::Range, 32}, Case{ChartKind::Difference, 49}}) {
        grid.setNumber(16, c.alarmColumn, 0);
        grid.setNumber(17, c.alarmColumn, 2);
        grid.setFormula(18, c.alarmColumn, "=1/0");
        const auto data = chart::buildChartKindData(c.kind, grid, lastRow, f.state);
        ASSERT_EQ(data.values[1].size(), 3);
        EXPECT_TRUE(std::isnan(data.values[1][0])) << int(c.kind) << ": no rule fired";
        EXPECT_FALSE(std::isnan(data.values[1][1])) << int(c.kind) << ": two rules fired";
        EXPECT_TRUE(std::isnan(data.values[1][2])) << int(c.kind) << ": an error is no alarm";
        EXPECT_FALSE(std::isnan(grid.number(16, chart::chartKindLayout(c.kind).sourceColumns[1])))
            << "the computation grid keeps its marker values";
    }
}

TEST_F(ChartKindsTest, OneDataRowDrawsNoMarkerAndAReadableAxis)
{
    lastRow = chart::ComputationFill::run(grid, f.state, 1, 1).lastComputationRow;
    ASSERT_EQ(lastRow, 16);
    for (ChartKind kind : {ChartKind::Mean, ChartKind::Range, ChartKind::Difference}) {
        const auto data = chart::buildChartKindData(kind, grid, lastRow, f.state);
        EXPECT_TRUE(std::isnan(data.values[1][0])) << int(kind) << ": no alarm on the only row";
        ASSERT_TRUE(data.scaleMinimum && data.scaleMaximum) << int(kind);
        EXPECT_LT(*data.scaleMinimum, data.values[0][0]) << int(kind);
        EXPECT_GT(*data.scaleMaximum, data.values[0][0]) << int(kind);
        EXPECT_FALSE(*data.scaleMinimum == 0 && *data.scaleMaximum == 10) << int(kind);
    }
}

TEST_F(ChartKindsTest, NoDataRowsGiveAnEmptyGrid)
{
    const auto data = chart::buildChartKindData(ChartKind::Mean, grid, 15, f.state);
    EXPECT_EQ(data.rowCount, 0);
    EXPECT_EQ(data.rowLabels.count(), 0);
    EXPECT_TRUE(data.values[0].isEmpty());
}
