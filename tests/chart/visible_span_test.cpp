// The visible span: halves round to the even neighbour, the start scales the
// row distance and the end the row count, and odd inputs stay defined.
#include "chart/visible_span.h"

#include <gtest/gtest.h>

using chart::computeVisibleSpan;
using chart::roundHalfEven;

TEST(VisibleSpan, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(3.5L), 4);
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(1.5L), 2);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(2.4999L), 2);
    EXPECT_EQ(roundHalfEven(24.75L), 25);
}

TEST(VisibleSpan, WholeRangeWhenBothPercentagesAreZero)
{
    const auto span = computeVisibleSpan(5, 100, 0.0, 0.0);
    EXPECT_EQ(span.startRow, 5);
    EXPECT_EQ(span.endRow, 100);
    EXPECT_EQ(span.rowCount(), 96);
}

TEST(VisibleSpan, StartScalesTheDistanceEndTheCount)
{
    // 1 + R(99 * 0.25) = 1 + R(24.75) = 26; 100 - R(100 * 0.25) = 75.
    auto span = computeVisibleSpan(1, 100, 25.0, 25.0);
    EXPECT_EQ(span.startRow, 26);
    EXPECT_EQ(span.endRow, 75);

    // 1 + R(9.9) = 11; 100 - R(10) = 90.
    span = computeVisibleSpan(1, 100, 10.0, 10.0);
    EXPECT_EQ(span.startRow, 11);
    EXPECT_EQ(span.endRow, 90);
}

TEST(VisibleSpan, StartRowHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(computeVisibleSpan(1, 11, 25.0, 0.0).startRow, 3);   // 1 + R(2.5)
    EXPECT_EQ(computeVisibleSpan(1, 21, 2.5, 0.0).startRow, 1);    // 1 + R(0.5)
    EXPECT_EQ(computeVisibleSpan(1, 21, 7.5, 0.0).startRow, 3);    // 1 + R(1.5)
}

TEST(VisibleSpan, TinyRangeCanEndBeforeItStarts)
{
    // One row and more than half of the bar cut off on the right: the end
    // lies before the start and the span holds no rows.
    const auto span = computeVisibleSpan(100, 100, 0.0, 60.0);
    EXPECT_EQ(span.startRow, 100);
    EXPECT_EQ(span.endRow, 99);
    EXPECT_EQ(span.rowCount(), 0);
}

TEST(VisibleSpan, MillionRowsStayExact)
{
    // (1,000,000 - 1) * 50 / 100 = 499,999.5 rounds to the even 500,000.
    const auto span = computeVisibleSpan(1, 1000000, 50.0, 0.0);
    EXPECT_EQ(span.startRow, 500001);
    EXPECT_EQ(span.rowCount(), 500000);
}
