// The chart run the control chart window and plotwise-report share: a fill
// followed by drawings and the statistics copy, the x labels following the
// fill and the x column, and the kinds drawn from one fill agreeing.
#include "tests/chart/chart_test_support.h"
#include "chart/chart_run.h"
#include "chart/computation_layout.h"
#include "components/chart/chart_data.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <gtest/gtest.h>

using chart::ChartKind;
using charttest::StateFixture;

namespace {

class ChartRunTest : public ::testing::Test {
protected:
    StateFixture f;
    sheet::Spreadsheet grid;
    chartcomponent::ChartView view;
    chart::ChartRun run{grid, f.state};

    void SetUp() override
    {
        chart::buildReferenceLayout(grid, platform::Language::English);
        f.state.job.valueColumns = {2, 0, 0};
        f.state.job.firstDataRow = 1;
        f.state.job.lastDataRow = 20;
        f.state.job.chartTitle = "Run";
        for (int r = 1; r <= 20; ++r) {
            f.importGrid.setText(r, 1, QStringLiteral("S%1").arg(r));
            f.importGrid.setNumber(r, 2, 10.0 + (r % 4));
        }
    }

    QStringList shownLabels() const
    {
        QStringList labels;
        for (int r = 1; r <= view.rowCount(); ++r)
            labels.append(view.chartData().rowLabel(r));
        return labels;
    }
};

}  // namespace

TEST_F(ChartRunTest, FillDrawAndCopyFollowOneSpan)
{
    EXPECT_EQ(run.lastComputationRow(), 15);
    EXPECT_TRUE(run.chartTemplatePath().isEmpty());

    const chart::FillResult fill = run.fill(3, 12);
    EXPECT_EQ(fill.dataRowCount(), 10);
    EXPECT_EQ(run.lastComputationRow(), 25);

    const QString templatePath = run.draw(ChartKind::Mean, view);
    EXPECT_EQ(templatePath, chart::chartTemplatePath(f.state));
    EXPECT_EQ(run.chartTemplatePath(), templatePath);
    EXPECT_EQ(run.shownKind(), ChartKind::Mean);
    EXPECT_EQ(view.rowCount(), 10);
    EXPECT_EQ(view.titleText(), "Run");

    run.copyStatistics();
    EXPECT_EQ(f.statisticsGrid.number(3, 4), 10) << "the row count of the span";
    EXPECT_EQ(f.statisticsGrid.text(1, 2), "Run");

    run.draw(ChartKind::Difference, view);
    EXPECT_EQ(run.shownKind(), ChartKind::Difference);
    EXPECT_EQ(view.rowCount(), 10) << "every kind draws the same fill";
}

TEST_F(ChartRunTest, RowLabelsFollowTheFillAndTheXColumn)
{
    run.fill(1, 3);
    run.draw(ChartKind::Mean, view);
    EXPECT_EQ(shownLabels(), (QStringList{"1", "2", "3"}));

    f.state.job.xColumn = 1;  // chosen after the fill: the next drawing reads it
    run.draw(ChartKind::Range, view);
    EXPECT_EQ(shownLabels(), (QStringList{"S1", "S2", "S3"}));

    run.fill(5, 7);  // as many rows as before: only the new fill's labels tell them apart
    run.draw(ChartKind::Range, view);
    EXPECT_EQ(shownLabels(), (QStringList{"S5", "S6", "S7"})) << "a new fill never shows the old labels";
}

TEST_F(ChartRunTest, SpanWithoutNumbersLeavesNothingToChart)
{
    for (int r = 1; r <= 20; ++r)
        f.importGrid.setText(r, 2, "text");
    const chart::FillResult fill = run.fill(1, 20);
    EXPECT_FALSE(fill.hasData());
    EXPECT_EQ(fill.skipped, 20);
    EXPECT_EQ(run.lastComputationRow(), 15);
    run.draw(ChartKind::Mean, view);
    EXPECT_EQ(view.rowCount(), 0);
}

TEST_F(ChartRunTest, WithoutAStatisticsGridTheCopyDoesNothing)
{
    f.state.statisticsGrid = nullptr;
    run.fill(1, 20);
    EXPECT_NO_THROW(run.copyStatistics());
    EXPECT_EQ(f.statisticsGrid.lastRow(), 0);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
