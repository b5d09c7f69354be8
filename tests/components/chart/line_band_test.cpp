// The band a crowded line is drawn as: it covers every height the line passes
// through in each pixel column, no more, and leaves the line's gaps open.
#include "components/chart/line_band.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace chartcomponent;

namespace {

const QRectF* columnAt(const QVector<QRectF>& band, double x) {
    for (const QRectF& r : band)
        if (r.left() <= x && x < r.right()) return &r;
    return nullptr;
}

}  // namespace

TEST(LineBand, SparseLinesAreStrokedNotBanded) {
    QVector<QPointF> line;
    for (int i = 0; i < 100; ++i) line << QPointF(10.0 + 4 * i, i % 2 ? 5 : 50);
    EXPECT_TRUE(crowdedLineBand(line, 1).isEmpty());
    EXPECT_TRUE(crowdedLineBand({}, 1).isEmpty());
}

TEST(LineBand, ColumnsCoverWhatTheSegmentsReachThere) {
    // A zigzag of forty points per column over columns 10..19, then one long
    // flat-ish segment to x = 60: that segment must not fill whole columns
    // between its ends' heights, only its height at each column.
    QVector<QPointF> line;
    for (int i = 0; i < 400; ++i) line << QPointF(10.1 + i * 0.0245, i % 2 ? 20.0 : 80.0);
    line << QPointF(60.5, 40.0);
    line << QPointF(std::numeric_limits<double>::quiet_NaN(), 0);  // a gap
    line << QPointF(70.2, 30.0) << QPointF(70.4, 31.0);
    const QVector<QRectF> band = crowdedLineBand(line, 2.0);
    ASSERT_FALSE(band.isEmpty());

    const QRectF* zigzag = columnAt(band, 12.5);
    ASSERT_NE(zigzag, nullptr);
    EXPECT_DOUBLE_EQ(zigzag->top(), 19.0);  // lowest reach minus half the pen
    EXPECT_DOUBLE_EQ(zigzag->bottom(), 81.0);
    EXPECT_DOUBLE_EQ(zigzag->width(), 1.0);

    // On the long segment from (19.88, 20) to (60.5, 40) column 40 spans
    // heights 30.0..30.5 at most.
    const QRectF* flat = columnAt(band, 40.5);
    ASSERT_NE(flat, nullptr);
    EXPECT_GT(flat->top(), 28.5);
    EXPECT_LT(flat->bottom(), 32.0);

    EXPECT_EQ(columnAt(band, 65.5), nullptr) << "the gap stays open";
    ASSERT_NE(columnAt(band, 70.5), nullptr);
    for (int i = 1; i < band.size(); ++i) EXPECT_LE(band[i - 1].right(), band[i].left());
}
