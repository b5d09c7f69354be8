// The capability chart's data and its drawing: the histogram counts every
// value once, the curves run through every row, each limit is one vertical
// segment, absent limits and unusable curves leave their series out, and
// the chart component places the rows on a numeric axis.
#include "tests/chart/chart_test_support.h"
#include "chart/capability_chart.h"
#include "chart/chart_run.h"
#include "chart/computation_layout.h"
#include "components/chart/chart_plot.h"
#include "components/chart/chart_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace chart;

namespace {

std::vector<double> sampleValues()
{
    std::vector<double> values;
    for (int i = 0; i < 200; ++i)
        values.push_back(10.0 + 0.3 * std::sin(i * 1.7) + 0.1 * std::cos(i * 0.3));
    return values;
}

}  // namespace

TEST(CapabilityChart, BinsFollowSturgesRule)
{
    EXPECT_EQ(histogramBinCount(0), 1);
    EXPECT_EQ(histogramBinCount(1), 1);
    EXPECT_EQ(histogramBinCount(8), 4);
    EXPECT_EQ(histogramBinCount(1000), 11);
    EXPECT_EQ(histogramBinCount(3000000), 23);
}

TEST(CapabilityChart, HistogramCurvesAndLimitLines)
{
    const std::vector<double> values = sampleValues();
    const capability::SpecificationLimits limits{9.0, 10.8, 10.0};
    const auto figures = capability::computeCapability(values, 2, limits);
    const auto normality = capability::testNormality(values);
    const CapabilityChartData data =
        buildCapabilityChartData(values, figures, normality, limits, platform::Language::English, u'.');

    EXPECT_EQ(data.binCount, histogramBinCount(values.size()));
    EXPECT_TRUE(std::is_sorted(data.positions.begin(), data.positions.end()));
    double counted = 0;
    int bars = 0;
    for (double v : data.series[HistogramSeries])
        if (!std::isnan(v)) {
            counted += v;
            ++bars;
        }
    EXPECT_EQ(counted, double(values.size()));
    EXPECT_EQ(bars, data.binCount);
    for (int s : {WithinCurveSeries, OverallCurveSeries})
        for (double v : data.series[std::size_t(s)])
            EXPECT_FALSE(std::isnan(v)) << "curves run through every row";

    // Each line: exactly two neighbouring rows at its x, from 0 to above everything else.
    const double lineX[] = {9.0, 10.8, 10.0};
    for (int l = 0; l < 3; ++l) {
        const auto& line = data.series[std::size_t(LowerLimitSeries + l)];
        std::vector<int> rows;
        for (int r = 0; r < line.size(); ++r)
            if (!std::isnan(line[r]))
                rows.push_back(r);
        ASSERT_EQ(rows.size(), 2u) << l;
        EXPECT_EQ(rows[1], rows[0] + 1);
        EXPECT_EQ(data.positions[rows[0]], lineX[l]);
        EXPECT_EQ(data.positions[rows[1]], lineX[l]);
        EXPECT_EQ(line[rows[0]], 0.0);
        EXPECT_GT(line[rows[1]], *std::max_element(data.series[HistogramSeries].begin(),
                                                   data.series[HistogramSeries].end(),
                                                   [](double a, double b) { return std::isnan(a) || a < b; }));
    }
    EXPECT_LE(data.positions.first(), 9.0);
    EXPECT_TRUE(data.note.contains("Cpk = ")) << data.note.toStdString();
    EXPECT_TRUE(data.note.contains("Cpm = "));
}

TEST(CapabilityChart, ConstantValuesAndMissingLimitsLeaveSeriesOut)
{
    const std::vector<double> values(20, 0.3);
    const capability::SpecificationLimits limits{std::nullopt, 0.5, std::nullopt};
    const auto figures = capability::computeCapability(values, 1, limits);
    const CapabilityChartData data = buildCapabilityChartData(
        values, figures, capability::testNormality(values), limits, platform::Language::German, u',');
    EXPECT_EQ(data.binCount, 1);
    EXPECT_TRUE(data.seriesUsed[HistogramSeries]);
    EXPECT_FALSE(data.seriesUsed[WithinCurveSeries]);
    EXPECT_FALSE(data.seriesUsed[OverallCurveSeries]);
    EXPECT_FALSE(data.seriesUsed[LowerLimitSeries]);
    EXPECT_TRUE(data.seriesUsed[UpperLimitSeries]);
    EXPECT_TRUE(data.note.contains("Cpu = #DIV/0!")) << data.note.toStdString();
    EXPECT_EQ(data.seriesLabels[UpperLimitSeries], "OTG");
}

TEST(CapabilityChart, ChartRunDrawsOnANumericAxis)
{
    charttest::StateFixture f;
    f.state.applicationDirectory = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
    sheet::Spreadsheet grid;
    buildReferenceLayout(grid, platform::Language::English);
    f.state.job.valueColumns = {1, 0, 0};
    f.state.job.firstDataRow = 1;
    f.state.job.lastDataRow = 50;
    f.state.job.specificationLimits = {9.0, 11.0, std::nullopt};
    for (int r = 1; r <= 50; ++r)
        f.importGrid.setNumber(r, 1, 10.0 + (r % 7) * 0.1);
    ChartRun run(grid, f.state);
    run.fill(1, 50);
    chartcomponent::ChartView view;
    view.resize(600, 400);
    EXPECT_TRUE(run.drawCapability(view).endsWith("capdefault.vtc"));
    view.replot();
    EXPECT_TRUE(view.hasRowPositions());
    EXPECT_EQ(view.drawnSeries(), (QVector<int>{1, 2, 3, 4, 5})) << "no target: its line is left out";
    const QCPRange x = view.plot()->xAxis->range();
    EXPECT_LT(x.lower, 9.0);
    EXPECT_GT(x.upper, 11.0);
    auto* bars = qobject_cast<QCPBars*>(view.plot()->plottable(0));
    ASSERT_NE(bars, nullptr);
    EXPECT_NEAR(bars->width(), 0.6 / histogramBinCount(50), 1e-12);
    EXPECT_FALSE(view.noteText().isEmpty());

    // The same view drawing a category chart afterwards gets its category axis back.
    run.draw(ChartKind::Mean, view);
    view.replot();
    EXPECT_FALSE(view.hasRowPositions());
    EXPECT_EQ(view.plot()->xAxis->range().lower, 0.5);
}
