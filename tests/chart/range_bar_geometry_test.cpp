// Gestures of the range selector bar on the control chart window's geometry
// (track 728 pixels, inner window at 1, 724 wide) and on smaller tracks.
#include "chart/range_bar_geometry.h"

#include <gtest/gtest.h>

using chart::RangeBarGeometry;

namespace {
RangeBarGeometry controlChartBar() { return RangeBarGeometry(728, 1, 724); }

// The pointer as the captured inner window reports it: relative to the window's current left edge.
int overInner(const RangeBarGeometry& bar, int pointer) { return pointer - bar.innerLeft(); }
}

TEST(RangeBarGeometry, FreshBarReportsZeroUntilTouched)
{
    RangeBarGeometry bar(728, 0, 728);  // the hosts' first placement: the whole track
    EXPECT_EQ(bar.leftPercent(), 0.0);
    EXPECT_EQ(bar.rightPercent(), 0.0);
    EXPECT_FALSE(bar.dragging());
    EXPECT_FALSE(bar.resizing());
    bar.updatePercents();
    EXPECT_EQ(bar.leftPercent(), 0.0) << "the full width is the full range";
    EXPECT_EQ(bar.rightPercent(), 0.0) << "no row lost to a right-hand gap";
}

TEST(RangeBarGeometry, MovesOnlyWhileDragging)
{
    RangeBarGeometry bar(400, 0, 100);
    bar.innerWindowDragged(30);  // no press yet
    EXPECT_EQ(bar.innerLeft(), 0);
    bar.innerWindowPressed(10);
    bar.innerWindowDragged(40);  // the pointer moved 30 pixels
    EXPECT_EQ(bar.innerLeft(), 30);
    EXPECT_EQ(bar.innerWidth(), 100);
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 7.5);
    EXPECT_DOUBLE_EQ(bar.rightPercent(), 67.5);
    bar.frameEntered();  // focus entering the bar ends the drag
    bar.innerWindowDragged(70);
    EXPECT_EQ(bar.innerLeft(), 30);
}

TEST(RangeBarGeometry, DragKeepsTheGrabPointAndFollowsThePointersDirection)
{
    // Grabbed in the middle, 200 pixels from its left edge, then moved left in small steps.
    RangeBarGeometry bar(728, 100, 400);
    int pointer = 300;
    bar.innerWindowPressed(overInner(bar, pointer));
    for (int step = 0; step < 13; ++step) {
        pointer -= 1;
        bar.innerWindowDragged(overInner(bar, pointer));
        EXPECT_EQ(bar.innerLeft(), pointer - 200) << "the grab point stays under the pointer";
    }
    EXPECT_EQ(bar.innerLeft(), 87) << "moved left, as the pointer did";
    bar.innerWindowReleased(overInner(bar, pointer));
    EXPECT_EQ(bar.innerLeft(), 87) << "the release adds nothing";
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 87 * 100.0 / 728);
}

TEST(RangeBarGeometry, DragPastEitherEndStopsFlushWithIt)
{
    RangeBarGeometry bar(400, 100, 200);
    bar.innerWindowPressed(0);
    bar.innerWindowDragged(150);  // right edge would reach 450
    EXPECT_EQ(bar.innerRight(), 400);
    EXPECT_DOUBLE_EQ(bar.rightPercent(), 0.0);
    bar.innerWindowReleased(150 - 100);
    EXPECT_FALSE(bar.dragging());
    EXPECT_EQ(bar.innerLeft(), 200);

    bar.innerWindowPressed(10);
    bar.innerWindowDragged(-500);
    EXPECT_EQ(bar.innerLeft(), 0);
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 0.0);
    bar.innerWindowDragged(-10);  // already at the left end: nothing
    EXPECT_EQ(bar.innerLeft(), 0);
}

TEST(RangeBarGeometry, PressWithoutMoveChangesNothing)
{
    // A bar whose percentages lag its geometry (the design placement, never updated).
    RangeBarGeometry bar = controlChartBar();
    bar.innerWindowPressed(40);
    bar.innerWindowReleased(40);
    EXPECT_EQ(bar.innerLeft(), 1);
    EXPECT_EQ(bar.leftPercent(), 0.0);
    EXPECT_EQ(bar.rightPercent(), 0.0) << "the first touch drops no row";
    bar.handlePressed(6);
    bar.rightHandleDragged(6);
    bar.handleReleased();
    EXPECT_EQ(bar.innerWidth(), 724);
    EXPECT_EQ(bar.rightPercent(), 0.0);
}

TEST(RangeBarGeometry, LeftHandleBeyondTheLeftEndKeepsTheRightEdge)
{
    RangeBarGeometry bar(400, 30, 200);
    bar.handlePressed(0);
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
    bar.handlePressed(0);
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
    bar.handlePressed(0);     // either handle's press starts the resize
    bar.rightHandleDragged(-51); // would leave 49: dropped
    EXPECT_EQ(bar.innerWidth(), 100);
    bar.rightHandleDragged(-50);
    EXPECT_EQ(bar.innerWidth(), 50);
    EXPECT_EQ(bar.innerLeft(), 0);
}

TEST(RangeBarGeometry, RightHandleStopsAtTheTrackEdge)
{
    RangeBarGeometry bar(400, 100, 200);
    bar.handlePressed(0);
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
    bar.updatePercents();
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

TEST(RangeBarGeometry, HandlesFollowThePointerFromWhereTheyWereGrabbed)
{
    RangeBarGeometry bar(400, 100, 200);
    bar.handlePressed(6);  // the middle of the left handle
    bar.leftHandleDragged(7);
    EXPECT_EQ(bar.innerLeft(), 101) << "one pixel, not a jump to the pointer";
    EXPECT_EQ(bar.innerRight(), 300);
    bar.handleReleased();
    bar.handlePressed(6);  // the middle of the right handle
    bar.rightHandleDragged(-4);
    EXPECT_EQ(bar.innerRight(), 290);
    EXPECT_EQ(bar.innerLeft(), 101);
}

TEST(RangeBarGeometry, TypedSpanKeepsItsPercentagesUntilTheNextGesture)
{
    RangeBarGeometry bar(400, 0, 400);
    bar.setSpanPercents(0.5, 0.25);  // a span narrower than the minimum width allows to show
    EXPECT_TRUE(bar.spanPinned());
    EXPECT_EQ(bar.innerLeft(), 2);
    EXPECT_EQ(bar.innerRight(), 399);
    bar.updatePercents();  // the comparison window's activation
    EXPECT_EQ(bar.leftPercent(), 0.5);
    EXPECT_EQ(bar.rightPercent(), 0.25);

    bar.setSpanPercents(50, 49.9);
    EXPECT_EQ(bar.innerWidth(), 50) << "the minimum width";
    bar.trackResized(800);
    EXPECT_EQ(bar.innerLeft(), 400) << "placed anew from the kept percentages";
    EXPECT_EQ(bar.leftPercent(), 50);

    bar.innerWindowPressed(0);
    bar.innerWindowDragged(-10);
    EXPECT_FALSE(bar.spanPinned());
    EXPECT_DOUBLE_EQ(bar.leftPercent(), 390 * 100.0 / 800);

    bar.selectWholeTrack();
    EXPECT_EQ(bar.innerLeft(), 0);
    EXPECT_EQ(bar.innerWidth(), 800);
    EXPECT_EQ(bar.leftPercent(), 0.0);
    EXPECT_EQ(bar.rightPercent(), 0.0);
}
