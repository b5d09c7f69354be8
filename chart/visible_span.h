// The visible span: the rows of the chart job's range that the range
// selector bar selects, and the texts shown for its two ends.
#pragma once

#include <cstdint>

namespace chart {

struct ChartJob;

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4), the rule for every real-to-row conversion of the chart windows.
std::int64_t roundHalfEven(long double value);

struct VisibleSpan {
    std::int32_t startRow = 0;
    std::int32_t endRow = 0;
    // Rows from start to end inclusive; 0 when the end lies before the start.
    std::int64_t rowCount() const { return endRow >= startRow ? std::int64_t(endRow) - startRow + 1 : 0; }
};

// start = first + R((last - first) * left / 100)
// end   = last  - R((last - first + 1) * right / 100)
// The start scales the row distance, the end the row count, as the bar's
// host windows always did; the products are formed in extended precision.
VisibleSpan computeVisibleSpan(std::int32_t firstRow, std::int32_t lastRow,
                               double leftPercent, double rightPercent);
VisibleSpan computeVisibleSpan(const ChartJob& job, double leftPercent, double rightPercent);

}  // namespace chart
