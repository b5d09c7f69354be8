// What ChartView draws: the value scale (fixed divisions exactly, automatic
// fitting the drawn data), which series are drawn and in which order, gaps,
// titles and the legend.
#include "components/chart/chart_plot.h"
#include "components/chart/chart_tickers.h"
#include "components/chart/chart_view.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace chartcomponent;

namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// A chart shaped like the mean chart: values, alarm markers and five limit lines.
void fillControlChart(ChartView& chart, int rows) {
    chart.setColumnCount(7);
    chart.setRowCount(rows);
    const double limits[5] = {7, 8, 10, 12, 13};
    QVector<double> values, alarm;
    for (int r = 0; r < rows; ++r) {
        values << 10 + (r % 5) - 2;
        alarm << (r % 9 == 0 ? 14 : 6);
    }
    chart.setColumnValues(1, values);
    chart.setColumnValues(2, alarm);
    for (int s = 3; s <= 7; ++s) chart.setColumnValues(s, QVector<double>(rows, limits[s - 3]));
    const char* names[7] = {"Mittel", "AKM", "KU", "WU", "Xm", "WO", "KO"};
    for (int s = 1; s <= 7; ++s) {
        chart.setColumn(s);
        chart.setColumnLabel(QString::fromLatin1(names[s - 1]));
    }
}

QStringList legendNames(const ChartView& chart) {
    QStringList names;
    for (int i = 0; i < chart.plot()->plottableCount(); ++i) names << chart.plot()->plottable(i)->name();
    return names;
}

// The axis keeps its sub-ticks to itself; ask its ticker for them.
QVector<double> subTicksOf(ChartView& chart) {
    QVector<double> ticks, subTicks;
    chart.plot()->valueTicker().generate(chart.plot()->yAxis->range(), QLocale::c(), QChar('g'), 6, ticks, &subTicks,
                                         nullptr);
    return subTicks;
}

}  // namespace

TEST(VtChartDrawing, FixedScaleShowsExactlyTheBoundsAndDivisions) {
    ChartView chart;
    chart.resize(700, 400);
    chart.setDecimalSeparator(QChar(','));
    fillControlChart(chart, 50);
    chart.setValueScaleAuto(false);
    chart.setValueScale(-4.5, 4.5, 8, 1);
    chart.replot();
    QCPAxis* y = chart.plot()->yAxis;
    EXPECT_DOUBLE_EQ(y->range().lower, -4.5);
    EXPECT_DOUBLE_EQ(y->range().upper, 4.5);
    const QVector<double> ticks = y->tickVector();
    ASSERT_EQ(ticks.size(), 9);
    for (int i = 0; i <= 8; ++i) EXPECT_NEAR(ticks[i], -4.5 + 1.125 * i, 1e-12);
    EXPECT_TRUE(subTicksOf(chart).isEmpty());
    EXPECT_EQ(y->tickVectorLabels()[1], QStringLiteral("-3,375"));
    EXPECT_EQ(y->tickVectorLabels()[4], QStringLiteral("0"));

    // Two minor divisions put one sub-tick in each major division.
    chart.setValueScale(0, 16, 4, 2);
    chart.replot();
    EXPECT_EQ(y->tickVector(), (QVector<double>{0, 4, 8, 12, 16}));
    EXPECT_EQ(subTicksOf(chart), (QVector<double>{2, 6, 10, 14}));
}

TEST(VtChartDrawing, DegenerateFixedBoundsAreOpenedOrSwapped) {
    ChartView chart;
    chart.setValueScaleAuto(false);
    chart.setValueScale(5, 5, 8, 1);  // constant data give equal limits
    EXPECT_LT(chart.look().valueScale.minimum, 5);
    EXPECT_GT(chart.look().valueScale.maximum, 5);
    chart.setValueScale(3, -3, 0, 0);
    EXPECT_DOUBLE_EQ(chart.look().valueScale.minimum, -3);
    EXPECT_DOUBLE_EQ(chart.look().valueScale.maximum, 3);
    EXPECT_EQ(chart.look().valueScale.majorDivisions, 1);
    EXPECT_THROW(chart.setValueScale(0, std::numeric_limits<double>::infinity(), 8, 1), ChartError);
}

TEST(VtChartDrawing, AutomaticScaleFitsTheDrawnSeriesOnly) {
    ChartView chart;
    chart.resize(600, 400);
    chart.setColumnCount(2);
    chart.setRowCount(4);
    chart.setColumnValues(1, {2, kGap, 8, 5});
    chart.setColumnValues(2, {-1000, 1000, 0, 0});
    chart.setSeriesExcluded(2, true);
    chart.replot();
    const QCPRange range = chart.plot()->yAxis->range();
    EXPECT_LT(range.lower, 2);
    EXPECT_GT(range.lower, 1);
    EXPECT_GT(range.upper, 8);
    EXPECT_LT(range.upper, 9);
    // Every tick inside the range and labelled.
    for (double tick : chart.plot()->yAxis->tickVector()) {
        EXPECT_GE(tick, range.lower);
        EXPECT_LE(tick, range.upper);
    }
    chart.setSeriesExcluded(2, false);
    chart.replot();
    EXPECT_LT(chart.plot()->yAxis->range().lower, -1000);
}

TEST(VtChartDrawing, ExcludedAndHiddenSeriesAreNotDrawnAndOrderDecidesPlace) {
    ChartView chart;
    chart.resize(700, 400);
    fillControlChart(chart, 30);
    // As the range chart does it: series 3 and 4 out, 5 in.
    chart.setSeriesExcluded(3, true);
    chart.setSeriesHidden(3, true);
    chart.setSeriesExcluded(4, true);
    chart.setSeriesHidden(4, true);
    chart.setSeriesExcluded(5, false);
    chart.replot();
    EXPECT_EQ(chart.drawnSeries(), (QVector<int>{1, 2, 5, 6, 7}));
    EXPECT_EQ(legendNames(chart), (QStringList{"Mittel", "AKM", "Xm", "WO", "KO"}));

    // Either flag alone keeps a series out.
    chart.setSeriesExcluded(3, false);
    chart.setSeriesHidden(4, false);
    chart.replot();
    EXPECT_EQ(chart.drawnSeries(), (QVector<int>{1, 2, 5, 6, 7}));

    chart.setSeriesHidden(3, false);
    chart.setSeriesExcluded(4, false);
    chart.setSeriesOrder(1, 10);  // the values on top of the limit lines
    chart.replot();
    EXPECT_EQ(chart.drawnSeries(), (QVector<int>{2, 3, 4, 5, 6, 7, 1}));
    EXPECT_EQ(legendNames(chart).last(), QStringLiteral("Mittel"));
}

TEST(VtChartDrawing, GapsStayGapsInTheDrawnData) {
    ChartView chart;
    chart.setColumnCount(1);
    chart.setRowCount(3);
    chart.setRow(2);
    chart.setColumn(1);
    chart.setData(QStringLiteral("4"));
    chart.setRow(3);
    chart.setData(QStringLiteral("6"));
    chart.replot();
    auto* graph = qobject_cast<QCPGraph*>(chart.plot()->plottable(0));
    ASSERT_NE(graph, nullptr);
    ASSERT_EQ(graph->dataCount(), 3);
    EXPECT_TRUE(std::isnan(graph->data()->at(0)->value));
    EXPECT_DOUBLE_EQ(graph->data()->at(1)->key, 2);
    EXPECT_DOUBLE_EQ(graph->data()->at(2)->value, 6);
}

TEST(VtChartDrawing, TitlesAndLegendFollowTheCallsAndTheLook) {
    ChartView chart;
    chart.resize(700, 400);
    fillControlChart(chart, 10);
    chart.setTitleText(QStringLiteral("Bohrung 1"));
    chart.setAxisTitle(0, QStringLiteral("Probe"));
    chart.setAxisTitle(1, QStringLiteral("mm"));
    chart.loadSettings(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/ctadefault.vtc"));  // the look, not the texts
    chart.replot();
    EXPECT_EQ(chart.titleText(), QStringLiteral("Bohrung 1"));
    EXPECT_EQ(chart.plot()->xAxis->label(), QStringLiteral("Probe"));
    EXPECT_EQ(chart.plot()->yAxis->label(), QStringLiteral("mm"));
    auto* title = qobject_cast<QCPTextElement*>(chart.plot()->plotLayout()->element(0, 0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Bohrung 1"));
    EXPECT_NE(chart.plot()->legend->layout(), chart.plot()->axisRect()->insetLayout());  // outside on the right
    EXPECT_GT(chart.plot()->legend->outerRect().left(), chart.plot()->axisRect()->outerRect().right() - 1);

    ChartLook look = chart.look();
    look.legendPosition = LegendPosition::BottomLeft;
    chart.setLook(look);
    chart.setTitleText(QString());
    chart.replot();
    EXPECT_EQ(chart.plot()->legend->layout(), chart.plot()->axisRect()->insetLayout());
    EXPECT_EQ(qobject_cast<QCPTextElement*>(chart.plot()->plotLayout()->element(0, 0)), nullptr);
}

TEST(VtChartDrawing, TickLabelsCarryJustEnoughDecimals) {
    using chartcomponent::formatTickLabels;
    // Fixed bounds from a computation: 8 uneven steps of 0.002668 show three decimals, not six.
    QVector<double> ticks;
    for (int i = 0; i <= 8; ++i) ticks.append(25.020856 - 0.002668 * (8 - i));
    const QVector<QString> labels = formatTickLabels(ticks, 0.002668, QChar(','));
    EXPECT_EQ(labels.front(), QStringLiteral("25,000")) << "rounded labels keep one width";
    EXPECT_EQ(labels[7], QStringLiteral("25,018"));
    EXPECT_EQ(labels.back(), QStringLiteral("25,021"));
    for (qsizetype i = 1; i < labels.size(); ++i) EXPECT_NE(labels[i - 1], labels[i]) << i;

    // Nice steps keep their exact form without trailing zeros.
    EXPECT_EQ(formatTickLabels({0, 0.25, 0.5, 0.75}, 0.25, QChar('.')),
              (QVector<QString>{"0", "0.25", "0.5", "0.75"}));
    EXPECT_EQ(formatTickLabels({-10, 0, 10, 20}, 10, QChar('.')), (QVector<QString>{"-10", "0", "10", "20"}));
    // Close ticks far from zero: as many decimals as it takes to differ.
    EXPECT_EQ(formatTickLabels({1000.0001, 1000.0002, 1000.0003}, 0.0001, QChar('.')),
              (QVector<QString>{"1000.0001", "1000.0002", "1000.0003"}));
}

// A plain line hands QCustomPlot only the ends of its runs of equal values;
// the picture must be the one every point gives, gaps included. The
// reference is the same series with markers, which keeps every point but
// draws no marker while the rows are closer together than a marker is wide.
TEST(VtChartDrawing, RunsOfEqualValuesDrawAsEveryPointWould) {
    const int rows = 300;
    QVector<double> values;
    for (int r = 0; r < rows; ++r) values << (r < 100 ? 5.0 : r < 140 ? kGap : r < 220 ? 8.0 : 6.5);
    for (const SeriesKind kind : {SeriesKind::Line, SeriesKind::Step}) {
        QImage images[2];
        for (int i = 0; i < 2; ++i) {
            ChartView chart;
            chart.setColumnCount(1);
            chart.setRowCount(rows);
            chart.setColumnValues(1, values);
            ChartLook look = chart.look();
            look.editSeries(1).kind = kind;
            if (i == 1) look.editSeries(1).marker = MarkerShape::Disc;
            look.valueScale.automatic = false;
            look.valueScale.minimum = 0;
            look.valueScale.maximum = 10;
            chart.setLook(look);
            images[i] = chart.toImage(600, 300);
            auto* graph = qobject_cast<QCPGraph*>(chart.plot()->plottable(0));
            ASSERT_NE(graph, nullptr);
            if (i == 0) EXPECT_LT(graph->dataCount(), 12) << "run ends only";
            else EXPECT_EQ(graph->dataCount(), rows) << "markers need every point";
            // The legend's icon shows the marker: leave it out of the comparison.
            QPainter painter(&images[i]);
            painter.fillRect(chart.plot()->legend->outerRect(), Qt::white);
        }
        // A step line of every point is drawn as a crowded line (its corners
        // repeat points); of its run ends as a polyline: the same steps, drawn
        // a little finer. A plain line is drawn alike either way.
        if (kind == SeriesKind::Line) EXPECT_TRUE(images[0] == images[1]);
    }
}
