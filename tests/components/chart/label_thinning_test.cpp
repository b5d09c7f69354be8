// Row labels on the x axis never overlap: the thinning on its own with
// awkward widths, and the drawn axis of a chart with 10,000 labels.
#include "components/chart/chart_plot.h"
#include "components/chart/label_thinning.h"
#include "components/chart/chart_view.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

using namespace chartcomponent;

namespace {

// Checks that neighbouring shown labels keep at least `gap` pixels apart.
void expectNoOverlap(const std::vector<int>& shown, double pixelsPerCategory,
                     const std::function<double(int)>& width, double gap) {
    for (std::size_t i = 1; i < shown.size(); ++i) {
        const double distance = (shown[i] - shown[i - 1]) * pixelsPerCategory;
        EXPECT_GE(distance, (width(shown[i]) + width(shown[i - 1])) / 2 + gap)
            << "labels " << shown[i - 1] << " and " << shown[i];
    }
}

}  // namespace

TEST(LabelThinning, StepsFollowOneTwoFive) {
    EXPECT_EQ(niceLabelStep(0.3), 1);
    EXPECT_EQ(niceLabelStep(1.01), 2);
    EXPECT_EQ(niceLabelStep(3), 5);
    EXPECT_EQ(niceLabelStep(5.5), 10);
    EXPECT_EQ(niceLabelStep(120), 200);
}

TEST(LabelThinning, AllLabelsWhenTheyFitEveryFifthWhenNot) {
    auto narrow = [](int) { return 10.0; };
    const auto all = thinCategoryLabels(1, 20, 30, narrow, 8);
    EXPECT_EQ(all.size(), 20u);
    const auto some = thinCategoryLabels(1, 100, 5, narrow, 8);  // needs 18 px per label: every 5th
    ASSERT_FALSE(some.empty());
    EXPECT_EQ(some.front(), 5);
    EXPECT_EQ(some[1] - some[0], 5);
    expectNoOverlap(some, 5, narrow, 8);
}

TEST(LabelThinning, OneLongLabelOutsideTheSampleStillDoesNotCollide) {
    // 100,000 short labels with a very long one where the sample does not look.
    auto width = [](int p) { return p == 50010 ? 400.0 : 20.0; };
    const auto shown = thinCategoryLabels(1, 100000, 0.5, width, 6);
    ASSERT_GT(shown.size(), 1u);
    expectNoOverlap(shown, 0.5, width, 6);
}

TEST(LabelThinning, DegenerateSpansShowAtMostOneLabel) {
    auto width = [](int) { return 50.0; };
    EXPECT_TRUE(thinCategoryLabels(5, 4, 10, width, 4).empty());
    EXPECT_EQ(thinCategoryLabels(3, 3, 10, width, 4), std::vector<int>{3});
    EXPECT_EQ(thinCategoryLabels(1, 7, 1, width, 4).size(), 1u);  // 7 px of axis for 50 px labels
}

TEST(LabelThinning, DrawnAxisWithTenThousandLabelsOn700PixelsHasNoOverlap) {
    ChartView chart;
    chart.resize(700, 400);
    chart.setColumnCount(1);
    chart.setRowCount(10000);
    QStringList labels;
    QVector<double> values;
    for (int r = 1; r <= 10000; ++r) {
        labels << QStringLiteral("2024-%1-%2").arg(r % 12 + 1).arg(r % 28 + 1);
        values << r % 17;
    }
    chart.setRowLabels(labels);
    chart.setColumnValues(1, values);
    for (int pass = 0; pass < 2; ++pass) {  // on screen, then as an exported image of another width
        if (pass == 0) chart.replot();
        else chart.toImage(1100, 300);
        QCPAxis* axis = chart.plot()->xAxis;
        const QVector<double> ticks = axis->tickVector();
        const QVector<QString> tickLabels = axis->tickVectorLabels();
        ASSERT_GT(ticks.size(), 2);
        ASSERT_EQ(ticks.size(), tickLabels.size());
        const QFontMetricsF metrics(axis->tickLabelFont());
        for (qsizetype i = 0; i < ticks.size(); ++i)
            EXPECT_EQ(tickLabels[i], labels[int(ticks[i]) - 1]);
        for (qsizetype i = 1; i < ticks.size(); ++i) {
            const double distance = axis->coordToPixel(ticks[i]) - axis->coordToPixel(ticks[i - 1]);
            const double needed = (metrics.horizontalAdvance(tickLabels[i]) + metrics.horizontalAdvance(tickLabels[i - 1])) / 2;
            EXPECT_GT(distance, needed) << "pass " << pass << " ticks " << ticks[i - 1] << ", " << ticks[i];
        }
    }
}

TEST(LabelThinning, WithoutLabelsTheAxisShowsRowNumbers) {
    ChartView chart;
    chart.resize(600, 300);
    chart.setColumnCount(1);
    chart.setRowCount(5);
    chart.replot();
    EXPECT_EQ(chart.plot()->xAxis->tickVectorLabels(),
              (QVector<QString>{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                QStringLiteral("5")}));
}

// A label source is asked only for the labels the axis measures and shows,
// not once per row; a later setRowLabel turns its labels into texts.
TEST(LabelThinning, LabelSourceIsAskedOnlyForWhatTheAxisNeeds) {
    ChartView chart;
    chart.resize(800, 300);
    chart.setColumnCount(1);
    const int rows = 1'000'000;
    chart.setRowCount(rows);
    QVector<double> values(rows);
    for (int r = 0; r < rows; ++r) values[r] = r % 13;
    chart.setColumnValues(1, values);
    int asked = 0;
    chart.setRowLabelSource([&asked](int row) {
        ++asked;
        return QStringLiteral("L%1").arg(row);
    });
    chart.replot();
    const QVector<double> ticks = chart.plot()->xAxis->tickVector();
    const QVector<QString> tickLabels = chart.plot()->xAxis->tickVectorLabels();
    ASSERT_GT(ticks.size(), 2);
    for (qsizetype i = 0; i < ticks.size(); ++i)
        EXPECT_EQ(tickLabels[i], QStringLiteral("L%1").arg(int(ticks[i])));
    EXPECT_LT(asked, 10'000) << "labels formatted for " << asked << " of a million rows";

    chart.setRow(7);
    chart.setRowLabel(QStringLiteral("seven"));
    EXPECT_EQ(chart.chartData().rowLabel(7), QStringLiteral("seven"));
    EXPECT_EQ(chart.chartData().rowLabel(8), QStringLiteral("L8"));
}
