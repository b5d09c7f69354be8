// The ordered selection list: gestures in, ranges out in the order made.
#include "components/sheetview/range_tracker.h"

#include <gtest/gtest.h>

using sheet::Range;
using sheetview::RangeTracker;
using Gesture = sheetview::RangeTracker::Gesture;

TEST(RangeTracker, PlainClickReplacesCtrlAddsInOrderShiftReshapesTheLast)
{
    RangeTracker t;
    t.pressCell(2, 4, Gesture::NewSelection);
    t.dragTo(5, 4);                       // D2:D5 dragged downwards
    t.pressCell(3, 2, Gesture::AddRange); // Ctrl: B3 ...
    t.dragTo(1, 1);                       // ... dragged up-left to A1:B3
    EXPECT_EQ(t.toBookRanges(10, 5), (QVector<Range>{{2, 4, 5, 4}, {1, 1, 3, 2}}));

    t.pressCell(6, 3, Gesture::ExtendLast);  // Shift: last range from its anchor B3 to C6
    EXPECT_EQ(t.toBookRanges(10, 5), (QVector<Range>{{2, 4, 5, 4}, {3, 2, 6, 3}}));

    t.pressCell(7, 7, Gesture::NewSelection);
    EXPECT_EQ(t.toBookRanges(10, 5), (QVector<Range>{{7, 7, 7, 7}}));
}

TEST(RangeTracker, SameCellTwiceGivesTwoRangesAsTheChartCommandsExpect)
{
    RangeTracker t;
    t.pressCell(1, 2, Gesture::NewSelection);
    t.pressCell(1, 2, Gesture::AddRange);
    EXPECT_EQ(t.ranges().size(), 2);
}

TEST(RangeTracker, WholeColumnsReportTheUsedRowsAndKeepTheirPlace)
{
    RangeTracker t;
    t.pressColumn(4, Gesture::NewSelection);
    t.pressColumn(1, Gesture::AddRange);
    t.dragTo(99, 2);  // dragging along the heading: only the column counts
    EXPECT_EQ(t.toBookRanges(50, 6), (QVector<Range>{{1, 4, 50, 4}, {1, 1, 50, 2}}));
    // An empty sheet still reports a real row.
    EXPECT_EQ(t.toBookRanges(0, 0).first(), (Range{1, 4, 1, 4}));

    // Shift+heading after a cell range turns it into whole columns from the anchor.
    t.pressCell(3, 5, Gesture::NewSelection);
    t.pressColumn(2, Gesture::ExtendLast);
    EXPECT_EQ(t.toBookRanges(50, 6), (QVector<Range>{{1, 2, 50, 5}}));
}

TEST(RangeTracker, WholeRowsAndSelectAllCoverTheUsedColumns)
{
    RangeTracker t;
    t.pressRow(3, Gesture::NewSelection);
    t.dragTo(5, 77);
    EXPECT_EQ(t.toBookRanges(50, 6), (QVector<Range>{{3, 1, 5, 6}}));
    t.selectAll();
    EXPECT_EQ(t.toBookRanges(50, 6), (QVector<Range>{{1, 1, 50, 6}}));
}

TEST(RangeTracker, AdoptsASelectionSetByCode)
{
    RangeTracker t;
    t.adopt({{5, 3, 2, 1}, {-1, -1, -1, -1}});
    ASSERT_EQ(t.ranges().size(), 2);
    EXPECT_EQ(t.toBookRanges(8, 4), (QVector<Range>{{2, 1, 5, 3}, {1, 1, 8, 4}}));
    // Ranges out of the sheet are pulled into it rather than reaching the view.
    t.adopt({{0, -3, 2, 2}});
    EXPECT_EQ(t.toBookRanges(8, 4), (QVector<Range>{{1, 1, 2, 2}}));
    // Shift after adopting stretches from the adopted range's first corner.
    t.adopt({{2, 2, 2, 2}});
    t.pressCell(4, 3, Gesture::ExtendLast);
    EXPECT_EQ(t.toBookRanges(8, 4), (QVector<Range>{{2, 2, 4, 3}}));
}
