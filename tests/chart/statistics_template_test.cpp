// The shipped statistics grid templates: both read, each picked by the
// language, a label in every row the statistics copy writes to, and the
// copied numbers shown in the template's formats.
#include "chart/copy_statistics.h"
#include "chart/statistics_template.h"
#include "tests/chart/chart_test_support.h"

#include <gtest/gtest.h>

using charttest::StateFixture;

TEST(StatisticsTemplate, BothLanguagesLabelEveryCopiedCell)
{
    for (platform::Language language : {platform::Language::English, platform::Language::German}) {
        SCOPED_TRACE(platform::storedLanguageNumber(language));
        StateFixture f;
        f.state.language = language;
        f.state.applicationDirectory = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
        ASSERT_TRUE(chart::loadStatisticsTemplate(f.state));
        const sheet::Spreadsheet& grid = f.statisticsGrid;
        EXPECT_FALSE(grid.text(1, 1).isEmpty());  // beside the title
        EXPECT_FALSE(grid.text(2, 1).isEmpty());  // beside the file name
        for (const chart::StatisticsCell& cell : chart::kStatisticsCells) {
            EXPECT_EQ(grid.cellType(cell.targetRow, cell.targetCol), sheet::CellType::Empty)
                << "row " << cell.targetRow << " col " << cell.targetCol << " is filled by the program";
            // The label stands in column A, or right before a value in column E.
            const QString label = cell.targetCol == 5 ? grid.text(cell.targetRow, 4) : grid.text(cell.targetRow, 1);
            EXPECT_FALSE(label.isEmpty()) << "no label for row " << cell.targetRow << " col " << cell.targetCol;
        }
    }
}

TEST(StatisticsTemplate, LanguagePicksTheFile)
{
    StateFixture f;
    f.state.applicationDirectory = "/app/";
    f.state.language = platform::Language::English;
    EXPECT_EQ(chart::statisticsTemplatePath(f.state), "/app/ChartdatenE.def");
    f.state.language = platform::Language::German;
    EXPECT_EQ(chart::statisticsTemplatePath(f.state), "/app/ChartdatenG.def");
}

TEST(StatisticsTemplate, MissingTemplateLeavesTheGridAlone)
{
    StateFixture f;
    f.statisticsGrid.setText(5, 5, "kept");
    EXPECT_FALSE(chart::loadStatisticsTemplate(f.state));  // the fixture's directory does not exist
    EXPECT_EQ(f.statisticsGrid.text(5, 5), "kept");
}

TEST(StatisticsTemplate, CopiedNumbersTakeTheTemplateFormats)
{
    StateFixture f;
    f.state.language = platform::Language::English;
    f.state.applicationDirectory = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
    ASSERT_TRUE(chart::loadStatisticsTemplate(f.state));
    sheet::Spreadsheet computation;
    computation.setNumber(1, 1, 25);          // A1: rows
    computation.setNumber(4, 5, 1.23456789);  // E4: Mittel
    chart::copyStatistics(computation, f.statisticsGrid, f.state);
    EXPECT_EQ(f.statisticsGrid.formattedText(3, 4), "25");
    EXPECT_EQ(f.statisticsGrid.formattedText(8, 3), "1.2346");
}
