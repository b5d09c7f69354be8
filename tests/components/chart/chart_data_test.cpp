// The chart's data grid through the current cell and through the bulk
// forms: both must give the same grid; empty text is a gap; numbers follow
// the decimal separator; counts are int, far past 16 bits.
#include "components/chart/chart_plot.h"
#include "components/chart/number_text.h"
#include "components/chart/chart_view.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace chartcomponent;

namespace {
constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

bool sameValues(const QVector<double>& a, const QVector<double>& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) return false;
    return true;
}
}  // namespace

TEST(ChartData, TextAndBulkFormsGiveTheSameGrid) {
    ChartView byText;
    byText.setDecimalSeparator(QChar(','));
    byText.setColumnCount(2);
    byText.setRowCount(4);
    const QStringList texts = {QStringLiteral("1,5"), QString(), QStringLiteral("-2,25E-3"), QStringLiteral(" 7 ")};
    for (int r = 1; r <= 4; ++r) {
        byText.setRow(r);
        byText.setColumn(2);
        byText.setData(texts[r - 1]);
        byText.setRowLabel(QStringLiteral("L%1").arg(r));
    }
    byText.setColumn(2);
    byText.setColumnLabel(QStringLiteral("Mittel"));

    ChartView bulk;
    bulk.setColumnCount(2);
    bulk.setRowCount(4);
    bulk.setColumnValues(2, {1.5, kGap, -2.25e-3, 7});
    bulk.setRowLabels({QStringLiteral("L1"), QStringLiteral("L2"), QStringLiteral("L3"), QStringLiteral("L4")});

    EXPECT_TRUE(sameValues(byText.chartData().columnValues(2), bulk.chartData().columnValues(2)));
    EXPECT_TRUE(sameValues(byText.chartData().columnValues(1), QVector<double>(4, kGap)));
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(byText.chartData().rowLabel(r), bulk.chartData().rowLabel(r));
    EXPECT_EQ(byText.chartData().columnLabel(2), QStringLiteral("Mittel"));

    // Reading back gives the locale's text; an empty cell reads as empty.
    byText.setRow(1);
    EXPECT_EQ(byText.data(), QStringLiteral("1,5"));
    byText.setRow(2);
    EXPECT_EQ(byText.data(), QString());
    byText.setRow(3);
    EXPECT_EQ(byText.data(), QStringLiteral("-0,00225"));
}

TEST(ChartData, NumberTextsFollowTheSeparatorAndRejectGarbage) {
    EXPECT_DOUBLE_EQ(*parseChartNumber(QStringLiteral("3,25"), QChar(',')), 3.25);
    EXPECT_DOUBLE_EQ(*parseChartNumber(QStringLiteral("3.25"), QChar(',')), 3.25);
    EXPECT_FALSE(parseChartNumber(QStringLiteral("1.234,5"), QChar(',')));  // no group separators
    EXPECT_FALSE(parseChartNumber(QStringLiteral("3,25"), QChar('.')));
    EXPECT_FALSE(parseChartNumber(QStringLiteral("abc"), QChar('.')));
    EXPECT_FALSE(parseChartNumber(QStringLiteral("inf"), QChar('.')));
    EXPECT_TRUE(std::isnan(*parseChartNumber(QStringLiteral("  "), QChar('.'))));
    EXPECT_EQ(formatChartNumber(0.1 + 0.2, QChar(',')), QStringLiteral("0,3"));
    EXPECT_EQ(formatChartNumber(123456789012345.0, QChar('.')), QStringLiteral("123456789012345"));

    ChartView chart;
    chart.setDecimalSeparator(QChar('.'));
    chart.setColumnCount(1);
    chart.setRowCount(1);
    chart.setData(QStringLiteral("4"));
    EXPECT_THROW(chart.setData(QStringLiteral("4 kg")), ChartError);
    EXPECT_EQ(chart.data(), QStringLiteral("4"));  // the failed call changed nothing
}

TEST(ChartData, ResizingKeepsCellsInsideAndCurrentCellIsCheckedOnUse) {
    ChartView chart;
    chart.setColumnCount(3);
    chart.setRowCount(3);
    chart.setColumnValues(3, {1, 2, 3});
    chart.setRowCount(5);
    chart.setColumnCount(4);
    EXPECT_TRUE(sameValues(chart.chartData().columnValues(3), {1, 2, 3, kGap, kGap}));
    EXPECT_TRUE(sameValues(chart.chartData().columnValues(4), QVector<double>(5, kGap)));

    // A count below zero (a span whose end lies before its start) is an empty chart.
    chart.setRowCount(-2);
    EXPECT_EQ(chart.rowCount(), 0);
    chart.setRow(1);  // allowed; only using the cell fails
    chart.setColumn(1);
    EXPECT_THROW(chart.setData(QStringLiteral("1")), ChartError);
    EXPECT_THROW(chart.setRowLabel(QStringLiteral("x")), ChartError);
    chart.setColumnLabel(QStringLiteral("still fine"));
    chart.setColumn(9);
    EXPECT_THROW(chart.setColumnLabel(QStringLiteral("x")), ChartError);

    chart.setRowCount(2);
    EXPECT_THROW(chart.setColumnValues(1, {1, 2, 3}), ChartError);
    EXPECT_THROW(chart.setRowLabels({QStringLiteral("a")}), ChartError);
    EXPECT_THROW(chart.setColumnValues(5, {1, 2}), ChartError);
    EXPECT_THROW(chart.setSeriesHidden(0, true), ChartError);
    EXPECT_THROW(chart.setAxisTitle(2, QStringLiteral("z")), ChartError);
}

TEST(ChartData, CountsPastSixteenBitsWork) {
    ChartView tall;
    tall.setColumnCount(2);
    tall.setRowCount(70000);
    tall.setRow(65537);
    tall.setColumn(2);
    tall.setData(QStringLiteral("12.5"));
    tall.setRowLabel(QStringLiteral("row 65537"));
    EXPECT_EQ(tall.rowCount(), 70000);
    EXPECT_DOUBLE_EQ(tall.chartData().value(65537, 2), 12.5);
    EXPECT_EQ(tall.chartData().rowLabel(65537), QStringLiteral("row 65537"));
    tall.replot();
    EXPECT_DOUBLE_EQ(tall.plot()->xAxis->range().upper, 70000.5);

    ChartView wide;
    wide.setRowCount(1);
    wide.setColumnCount(33000);
    wide.setColumn(32769);
    wide.setRow(1);
    wide.setData(QStringLiteral("-3"));
    EXPECT_EQ(wide.columnCount(), 33000);
    EXPECT_EQ(wide.data(), QStringLiteral("-3"));
    wide.setSeriesOrder(32800, 40000);
    EXPECT_EQ(wide.seriesOrder(32800), 40000);

    // A count no chart can hold is refused, and the grid stays as it was.
    EXPECT_THROW(tall.setRowCount(std::numeric_limits<int>::max()), ChartError);
    EXPECT_EQ(tall.rowCount(), 70000);
    EXPECT_DOUBLE_EQ(tall.chartData().value(65537, 2), 12.5);
}
