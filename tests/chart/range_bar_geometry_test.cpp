// Gestures of the range selector bar on the control chart window's geometry
// (track 728 pixels, inner window at 1, 724 wide) and on smaller tracks.
#include "chart/range_bar_geometry.h"

#include <gtest/gtest.h>

using chart::RangeBarGeometry;

namespace {
RangeBarGeometry controlChartBar() { return RangeBarGeometry(728, 1, 724); }
}

TEST(RangeBarGeometry, FreshBarReportsZeroUntilTouched)
{
    RangeBarGeometry bar = controlChartBar();
    EXPECT_EQ(bar.leftPercent(), 0.0);
    EXPECT_EQ(bar.rightPercent(), 0.0);
    EXPECT_FALSE(bar.dragging());
    EXPECT_FALSE(bar.resizing());
    bar.updatePercents();
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 100.0 / 728);
    EXPECT_DOUBLE_EQ(bar.rightPercent(), 300.0 / 728);
}

TEST(RangeBarGeometry, MovesOnlyWhileDragging)
{
    RangeBarGeometry bar(400, 0, 100);
    bar.innerWindowDragged(30);  // no press yet
    EXPECT_EQ(bar.innerLeft(), 0);
    bar.innerWindowPressed();
    bar.innerWindowDragged(30);
    EXPECT_EQ(bar.innerLeft(), 30);
    EXPECT_EQ(bar.innerWidth(), 100);
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 7.5);
    EXPECT_DOUBLE_EQ(bar.rightPercent(), 67.5);
    bar.frameEntered();  // focus entering the bar ends the drag
    bar.innerWindowDragged(30);
    EXPECT_EQ(bar.innerLeft(), 30);
}

TEST(RangeBarGeometry, DragPastTheRightEndIsDroppedThenReleaseClamps)
{
    RangeBarGeometry bar(400, 100, 200);
    bar.innerWindowPressed();
    bar.innerWindowDragged(150);  // right edge would reach 450 > 400: dropped whole
    EXPECT_EQ(bar.innerLeft(), 100);
    bar.innerWindowReleased(150);    // applied once more, then flush with the right end
    EXPECT_FALSE(bar.dragging());
    EXPECT_EQ(bar.innerLeft(), 200);
    EXPECT_EQ(bar.innerRight(), 400);
    EXPECT_DOUBLE_EQ(bar.rightPercent(), 0.0);
}

TEST(RangeBarGeometry, DragLeftStopsAtTheTrackEdge)
{
    RangeBarGeometry bar(400, 20, 200);
    bar.innerWindowPressed();
    bar.innerWindowDragged(-50);
    EXPECT_EQ(bar.innerLeft(), 0);
    bar.innerWindowDragged(-10);  // already at the left end: nothing
    EXPECT_EQ(bar.innerLeft(), 0);
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 0.0);
}

TEST(RangeBarGeometry, ClickWithoutMovingShiftsToTheClickPoint)
{
    RangeBarGeometry bar(400, 10, 200);
    bar.innerWindowPressed();
    bar.innerWindowReleased(40);
    EXPECT_EQ(bar.innerLeft(), 50);

    RangeBarGeometry nearEnd(400, 180, 200);
    nearEnd.innerWindowPressed();
    nearEnd.innerWindowReleased(40);  // clamped at the right end
    EXPECT_EQ(nearEnd.innerRight(), 400);
    EXPECT_EQ(nearEnd.innerLeft(), 200);
}

TEST(RangeBarGeometry, LeftHandleBeyondTheLeftEndKeepsTheRightEdge)
{
    RangeBarGeometry bar(400, 30, 200);
    bar.handlePressed();
    bar.leftHandleDragged(-100);
    EXPECT_EQ(bar.innerLeft(), 0);
    EXPECT_EQ(bar.innerRight(), 230);
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 0.0);
    bar.handleReleased();
    EXPECT_FALSE(bar.resizing());
}

TEST(RangeBarGeometry, LeftHandleNeverLeavesFiftyPixelsOrLess)
{
    RangeBarGeometry bar(400, 0, 100);
    bar.handlePressed();
    bar.leftHandleDragged(50);   // would leave exactly 50: dropped
    EXPECT_EQ(bar.innerLeft(), 0);
    bar.leftHandleDragged(60);   // would leave 40: dropped
    EXPECT_EQ(bar.innerWidth(), 100);
    bar.leftHandleDragged(49);   // leaves 51: taken, right edge stays
    EXPECT_EQ(bar.innerLeft(), 49);
    EXPECT_EQ(bar.innerWidth(), 51);
    EXPECT_EQ(bar.innerRight(), 100);
}

TEST(RangeBarGeometry, RightHandleMayLeaveExactlyFifty)
{
    RangeBarGeometry bar(400, 0, 100);
    bar.handlePressed();     // either handle's press starts the resize
    bar.rightHandleDragged(-51); // would leave 49: dropped
    EXPECT_EQ(bar.innerWidth(), 100);
    bar.rightHandleDragged(-50);
    EXPECT_EQ(bar.innerWidth(), 50);
    EXPECT_EQ(bar.innerLeft(), 0);
}

TEST(RangeBarGeometry, RightHandleStopsAtTheTrackEdge)
{
    RangeBarGeometry bar(400, 100, 200);
    bar.handlePressed();
    bar.rightHandleDragged(500);
    EXPECT_EQ(bar.innerRight(), 400);
    EXPECT_EQ(bar.innerLeft(), 100);
    EXPECT_DOUBLE_EQ(bar.rightPercent(), 0.0);
    bar.rightHandleDragged(5);   // at the edge already: nothing
    EXPECT_EQ(bar.innerRight(), 400);
    bar.rightHandleDragged(0);
    bar.innerWindowDragged(10);   // no drag flag: the handle press does not drag
    EXPECT_EQ(bar.innerLeft(), 100);
}

TEST(RangeBarGeometry, HandlesDoNothingWithoutPress)
{
    RangeBarGeometry bar(400, 100, 200);
    bar.leftHandleDragged(-20);
    bar.rightHandleDragged(20);
    EXPECT_EQ(bar.innerLeft(), 100);
    EXPECT_EQ(bar.innerWidth(), 200);
}

TEST(RangeBarGeometry, ResizeStretchesWithTheTrackAndKeepsPercentages)
{
    RangeBarGeometry bar = controlChartBar();
    bar.innerWindowPressed();
    bar.innerWindowReleased(0);
    const double left = bar.leftPercent();
    const double right = bar.rightPercent();
    bar.trackResized(1000);
    EXPECT_EQ(bar.innerLeft(), 1);
    EXPECT_EQ(bar.innerRight(), 997);  // the 3-pixel right margin is kept
    EXPECT_EQ(bar.leftPercent(), left);
    EXPECT_EQ(bar.rightPercent(), right);
}

TEST(RangeBarGeometry, ShrinkingPushesTheWindowBackInside)
{
    RangeBarGeometry bar(400, 330, 60);
    bar.trackResized(200);  // the window cannot drop below 50 pixels wide
    EXPECT_EQ(bar.innerWidth(), 50);
    EXPECT_EQ(bar.innerRight(), 200);
    EXPECT_EQ(bar.innerLeft(), 150);
}
