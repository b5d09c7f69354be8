// The chart commands on a real import grid: row range rules, the order in
// which selected columns are taken, "$" references and the title rules.
#include "chart/chart_commands.h"
#include "tests/chart/chart_test_support.h"

#include <gtest/gtest.h>

using charttest::StateFixture;
using chart::ChartCommandFields;
using sheet::Range;

namespace {

class ChartCommands : public ::testing::Test {
protected:
    StateFixture f;
    ChartCommandFields fields;

    void SetUp() override
    {
        // 100 rows of three numbers under a header row in row 1.
        f.setRow(1, {"Nr", "Weight", "Length", "Width", "Height", "Depth"});
        for (int r = 2; r <= 100; ++r)
            for (int c = 1; c <= 6; ++c)
                f.importGrid.setNumber(r, c, r * 10 + c);
        fields.firstRowText = "2";
        fields.headerRowText = "1";
        fields.titleCaption = QString::fromUtf8("Auswertung über ");
    }

    void select(std::initializer_list<Range> ranges) { f.importGrid.setSelection(QVector<Range>(ranges)); }
    const chart::ChartJob& job() const { return f.state.job; }
};

}  // namespace

TEST_F(ChartCommands, SingleRangeGivesItsColumnsAndIgnoresItsRows)
{
    select({{2, 2, 10, 4}});  // B2:D10
    EXPECT_TRUE(chart::runControlChartCommand(f.state, fields));
    EXPECT_EQ(job().valueColumns, (std::array<int, 3>{2, 3, 4}));
    EXPECT_EQ(job().firstDataRow, 2);
    EXPECT_EQ(job().lastDataRow, 100);
}

TEST_F(ChartCommands, WideRangeIsCutAtThreeAndFiveColumns)
{
    select({{1, 1, 1, 5}});  // A1:E1
    EXPECT_TRUE(chart::runControlChartCommand(f.state, fields));
    EXPECT_EQ(job().valueColumns, (std::array<int, 3>{1, 2, 3}));
    EXPECT_TRUE(chart::runComparisonCommand(f.state, fields));
    EXPECT_EQ(job().compareColumns, (std::array<int, 5>{1, 2, 3, 4, 5}));
    EXPECT_EQ(job().valueColumns, (std::array<int, 3>{1, 2, 3}));  // untouched by the comparison
}

TEST_F(ChartCommands, RangesAreTakenInSelectionOrderWithDuplicates)
{
    select({{1, 4, 5, 4}, {1, 1, 5, 2}});  // D1:D5, then A1:B5
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().valueColumns, (std::array<int, 3>{4, 1, 2}));

    select({{1, 3, 5, 3}, {1, 3, 5, 3}});  // C twice
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().valueColumns, (std::array<int, 3>{3, 3, 0}));
}

TEST_F(ChartCommands, ComparisonTakesTheFirstFiveOfSevenRanges)
{
    select({{1, 7, 1, 7}, {1, 6, 1, 6}, {1, 5, 1, 5}, {1, 4, 1, 4}, {1, 3, 1, 3}, {1, 2, 1, 2}, {1, 1, 1, 1}});
    chart::runComparisonCommand(f.state, fields);
    EXPECT_EQ(job().compareColumns, (std::array<int, 5>{7, 6, 5, 4, 3}));
}

TEST_F(ChartCommands, XColumnFromNumberOrReference)
{
    select({{2, 2, 2, 2}});
    const std::pair<const char*, int> cases[] = {{"$B", 2}, {"$AA", 27}, {"3", 3}, {"abc", 0}, {"", 0}, {"$", 0}};
    for (const auto& [text, expected] : cases) {
        fields.xColumnText = QString::fromUtf8(text);
        chart::runControlChartCommand(f.state, fields);
        EXPECT_EQ(job().xColumn, expected) << text;
    }
}

TEST_F(ChartCommands, TitleFromLiteralOrCellReference)
{
    select({{2, 2, 2, 3}});
    fields.titleText = "Line 4";
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().chartTitle, "Line 4");

    fields.titleText = "$C1";
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().chartTitle, "Length");

    fields.titleText = "$no such cell!";
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().chartTitle, "$no such cell!");
}

TEST_F(ChartCommands, BuiltTitleUsesLettersWithoutHeaderRow)
{
    fields.firstRowText = "1";  // forces the header row to 0 whatever the field says
    f.importGrid.setNumber(1, 28, 5);
    select({{1, 1, 1, 1}, {1, 28, 1, 28}});
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().headerRow, 0);
    EXPECT_EQ(job().chartTitle, QString::fromUtf8("Auswertung über  A/AB"));
}

TEST_F(ChartCommands, BuiltTitleUsesHeaderTexts)
{
    select({{2, 2, 9, 3}});
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().headerRow, 1);
    EXPECT_TRUE(job().chartTitle.endsWith("Weight/Length")) << job().chartTitle.toStdString();
}

TEST_F(ChartCommands, RowRangeRules)
{
    select({{2, 2, 2, 2}});
    fields.firstRowText = "200";  // beyond the last row
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().firstDataRow, 100);
    EXPECT_EQ(job().lastDataRow, 100);

    fields.firstRowText = "5";
    fields.lastRowText = "3";  // before the first row: ignored
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().firstDataRow, 5);
    EXPECT_EQ(job().lastDataRow, 100);

    fields.lastRowText = "40";
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().lastDataRow, 40);

    fields.lastRowText = "100";  // at the grid's last row: ignored (same result)
    fields.firstRowText = "x";   // not a number: row 1, no header row
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().firstDataRow, 1);
    EXPECT_EQ(job().headerRow, 0);

    fields.firstRowText = "-7";  // rows below 1 do not exist: taken as 1
    chart::runControlChartCommand(f.state, fields);
    EXPECT_EQ(job().firstDataRow, 1);
}

TEST_F(ChartCommands, NothingHappensOnAnEmptyGridOrWithoutColumns)
{
    sheet::Spreadsheet empty;
    f.state.importGrid = &empty;
    f.state.job.firstDataRow = 42;
    EXPECT_FALSE(chart::runControlChartCommand(f.state, fields));
    EXPECT_EQ(job().firstDataRow, 42);

    f.state.importGrid = &f.importGrid;
    select({});
    fields.titleText = "kept?";
    f.state.job.chartTitle = "old";
    EXPECT_FALSE(chart::runControlChartCommand(f.state, fields));
    EXPECT_EQ(job().firstDataRow, 2);    // row fields were read
    EXPECT_EQ(job().chartTitle, "old");  // no title built
}

TEST_F(ChartCommands, ComparisonChangesSharedFieldsTheControlChartReads)
{
    select({{2, 2, 2, 2}});
    chart::runControlChartCommand(f.state, fields);
    fields.titleText = "Compared";
    fields.firstRowText = "10";
    select({{2, 5, 2, 6}});
    chart::runComparisonCommand(f.state, fields);
    EXPECT_EQ(job().chartTitle, "Compared");
    EXPECT_EQ(job().firstDataRow, 10);
    EXPECT_EQ(job().valueColumns, (std::array<int, 3>{2, 0, 0}));
}
