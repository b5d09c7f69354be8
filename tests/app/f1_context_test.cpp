// The F1 rules: the first rule that matches wins.
#include "app/f1_context.h"

#include <gtest/gtest.h>

using app::F1Item;
using app::F1Situation;
using app::chooseF1Context;

namespace {

F1Situation situation(F1Item item, bool statisticsPage = false, const char* window = "frmovtChart")
{
    F1Situation s;
    s.item = item;
    s.statisticsPageActive = statisticsPage;
    s.activeWindowName = QLatin1String(window);
    s.pageControlContext = 100;
    return s;
}

}  // namespace

TEST(F1Rules, EachRuleInItsOrder)
{
    // 1 and 2 win even while the statistics page is shown.
    EXPECT_EQ(chooseF1Context(situation(F1Item::SeparatorOrColumnField)), 24);
    EXPECT_EQ(chooseF1Context(situation(F1Item::SeparatorOrColumnField, true)), 24);
    EXPECT_EQ(chooseF1Context(situation(F1Item::ImportGrid, true)), 28);
    // 3: the statistics grid, or anything else while page 2 is shown, chart windows included.
    EXPECT_EQ(chooseF1Context(situation(F1Item::StatisticsGrid)), 29);
    for (F1Item item : {F1Item::PageControl, F1Item::DataFileControl, F1Item::Other})
        EXPECT_EQ(chooseF1Context(situation(item, true)), 29);
    EXPECT_EQ(chooseF1Context(situation(F1Item::Other, true, "frmtxtChart")), 29);
    EXPECT_EQ(chooseF1Context(situation(F1Item::Other, true, "frmxyCompare")), 29);
    // 4: the page control's own context while page 1 is shown.
    EXPECT_EQ(chooseF1Context(situation(F1Item::PageControl)), 100);
    // 5 to 8.
    EXPECT_EQ(chooseF1Context(situation(F1Item::DataFileControl)), 30);
    EXPECT_EQ(chooseF1Context(situation(F1Item::Other, false, "frmtxtChart")), 50);
    EXPECT_EQ(chooseF1Context(situation(F1Item::Other, false, "frmxyCompare")), 60);
    EXPECT_EQ(chooseF1Context(situation(F1Item::Other)), 26);
    EXPECT_EQ(chooseF1Context(situation(F1Item::Other, false, "helpWindow")), 26);
}
