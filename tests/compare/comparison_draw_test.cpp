// The comparison chart's data: series names, gaps, point labels and the
// drawing into the chart component.
#include "compare/comparison_draw.h"

#include "components/sheet/spreadsheet.h"
#include "chart/program_state.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using compare::buildComparisonData;

namespace {

struct Fixture {
    sheet::Spreadsheet grid;
    chart::ProgramState state;
    Fixture()
    {
        state.importGrid = &grid;
        for (int r = 1; r <= 100; ++r) {
            grid.setNumber(r, 1, 1000 + r);
            grid.setNumber(r, 2, r * 0.5);
            grid.setNumber(r, 5, r * 2.0);
        }
        state.job.firstDataRow = 1;
        state.job.lastDataRow = 100;
    }
};

}  // namespace

TEST(ComparisonData, SeriesNamesFromLettersOrTheHeaderRow)
{
    Fixture f;
    f.state.job.compareColumns = {2, 5, 0, 0, 0};
    auto d = buildComparisonData(f.state, 2, 4);
    EXPECT_EQ(d.seriesCount, 2);
    EXPECT_EQ(d.seriesLabels, (QStringList{"Serie B", "Serie E"}));
    f.grid.setText(1, 2, "Temp");
    f.state.job.headerRow = 1;
    d = buildComparisonData(f.state, 2, 4);
    EXPECT_EQ(d.seriesLabels.front(), "Temp");
}

TEST(ComparisonData, TextCellLeavesAGapInItsSeriesOnly)
{
    Fixture f;
    f.state.job.compareColumns = {2, 5, 0, 0, 0};
    f.grid.setText(3, 2, "n/a");
    const auto d = buildComparisonData(f.state, 2, 4);
    ASSERT_EQ(d.rowCount, 3);
    EXPECT_EQ(d.values[0][0], 1.0);
    EXPECT_TRUE(std::isnan(d.values[0][1]));
    EXPECT_EQ(d.values[1][1], 6.0);
    EXPECT_EQ((QStringList{d.rowLabel(0), d.rowLabel(1), d.rowLabel(2)}), (QStringList{"2", "3", "4"}))
        << "the point and its label remain";
}

TEST(ComparisonData, PointLabelsAreRowNumbersOfTheSpanOrXTexts)
{
    Fixture f;
    f.state.job.compareColumns = {2, 0, 0, 0, 0};
    auto d = buildComparisonData(f.state, 26, 75);
    EXPECT_EQ(d.rowLabel(0), "26");
    EXPECT_EQ(d.rowLabel(49), "75");
    f.state.job.xColumn = 1;
    d = buildComparisonData(f.state, 26, 75);
    EXPECT_EQ(d.rowLabel(0), "1026");
}

TEST(ComparisonData, ASliceIsWhatReadingItsRowsGives)
{
    Fixture f;
    f.state.job.compareColumns = {2, 5, 0, 0, 0};
    f.grid.setText(40, 5, "n/a");
    for (int x : {0, 1}) {
        f.state.job.xColumn = x;
        const auto whole = buildComparisonData(f.state, 1, 100);
        const auto slice = compare::sliceComparisonData(whole, 29, 20);
        const auto read = buildComparisonData(f.state, 30, 49);
        ASSERT_EQ(slice.rowCount, read.rowCount);
        for (int i = 0; i < 2; ++i)
            for (int p = 0; p < read.rowCount; ++p)
                EXPECT_TRUE(slice.values[i][p] == read.values[i][p] || (std::isnan(slice.values[i][p]) && std::isnan(read.values[i][p])));
        for (int p = 0; p < read.rowCount; ++p) EXPECT_EQ(slice.rowLabel(p), read.rowLabel(p));
        EXPECT_EQ(slice.seriesLabels, read.seriesLabels);
    }
}

TEST(ComparisonData, EndBeforeStartGivesNoPoints)
{
    Fixture f;
    f.state.job.compareColumns = {2, 0, 0, 0, 0};
    const auto d = buildComparisonData(f.state, 2, 1);
    EXPECT_EQ(d.rowCount, 0);
    EXPECT_TRUE(d.rowLabels.isEmpty());
}

TEST(ComparisonDraw, HandsTheSeriesToTheChartAndIgnoresAMissingTemplate)
{
    Fixture f;
    QTemporaryDir dir;
    f.state.applicationDirectory = dir.path() + "/";
    f.state.job.compareColumns = {2, 5, 0, 0, 0};
    f.state.job.chartTitle = "Shaft";
    f.state.xTitleText = "Batch";
    chartcomponent::ChartView chart;
    compare::drawComparison(chart, f.state, 1, 10);
    EXPECT_EQ(chart.columnCount(), 2);
    EXPECT_EQ(chart.rowCount(), 10);
    EXPECT_EQ(chart.titleText(), "Shaft");
    EXPECT_EQ(chart.axisTitle(0), "Batch");
    chart.setColumn(2);
    EXPECT_EQ(chart.columnLabel(), "Serie E");
    EXPECT_FALSE(chart.seriesHidden(2));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
