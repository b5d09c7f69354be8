// Visible span arithmetic and the texts of its two ends; see visible_span.h.
#include "chart/visible_span.h"

#include "chart/chart_job.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace chart {

std::int64_t roundHalfEven(long double value)
{
    if (!std::isfinite(value))
        return 0;
    // nearbyint follows the current rounding mode; make sure it is to-nearest-even
    // even if some library left another mode behind.
    const int previousMode = std::fegetround();
    if (previousMode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyintl(value);
    if (previousMode != FE_TONEAREST)
        std::fesetround(previousMode);
    constexpr long double lo = static_cast<long double>(std::numeric_limits<std::int64_t>::min());
    constexpr long double hi = static_cast<long double>(std::numeric_limits<std::int64_t>::max());
    if (rounded <= lo) return std::numeric_limits<std::int64_t>::min();
    if (rounded >= hi) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(rounded);
}

static std::int32_t clampToRow(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

VisibleSpan computeVisibleSpan(std::int32_t firstRow, std::int32_t lastRow,
                               double leftPercent, double rightPercent)
{
    const long double first = firstRow;
    const long double last = lastRow;
    VisibleSpan span;
    span.startRow = clampToRow(firstRow + roundHalfEven((last - first) * leftPercent / 100.0L));
    span.endRow = clampToRow(lastRow - roundHalfEven((last - first + 1.0L) * rightPercent / 100.0L));
    return span;
}

VisibleSpan computeVisibleSpan(const ChartJob& job, double leftPercent, double rightPercent)
{
    return computeVisibleSpan(job.firstDataRow, job.lastDataRow, leftPercent, rightPercent);
}

}  // namespace chart
