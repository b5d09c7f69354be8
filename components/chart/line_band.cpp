// The band a crowded line is drawn as; see line_band.h.
#include "components/chart/line_band.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace chartcomponent {

namespace {

// One and a half segments per column or more count as crowded: a line
// QCustomPlot has sampled down to its lowest and highest point per column has two.
constexpr double kBandSegmentsPerColumn = 1.5;

bool finitePoint(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

}  // namespace

QVector<QRectF> crowdedLineBand(const QVector<QPointF>& lines, double width) {
    double left = std::numeric_limits<double>::infinity(), right = -left;
    for (const QPointF& p : lines)
        if (finitePoint(p)) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
        }
    if (!(left <= right)) return {};
    const double first = std::floor(left);
    const auto columns = qsizetype(std::floor(right) - first) + 1;
    if (double(lines.size() - 1) < kBandSegmentsPerColumn * double(columns)) return {};
    // Lowest and highest y each column's segments reach.
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<std::pair<double, double>> reach(size_t(columns), {kNone, -kNone});
    auto extend = [&](qsizetype column, double y0, double y1) {
        auto& [low, high] = reach[size_t(column)];
        low = std::min({low, y0, y1});
        high = std::max({high, y0, y1});
    };
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QPointF a = lines[i - 1], b = lines[i];
        if (!finitePoint(a) || !finitePoint(b)) continue;
        const QPointF& from = a.x() <= b.x() ? a : b;
        const QPointF& to = a.x() <= b.x() ? b : a;
        const auto c0 = qsizetype(std::floor(from.x()) - first), c1 = qsizetype(std::floor(to.x()) - first);
        if (c0 == c1) {
            extend(c0, from.y(), to.y());
            continue;
        }
        // A segment across several columns: its height at each column edge.
        const double slope = (to.y() - from.y()) / (to.x() - from.x());
        double y = from.y();
        for (qsizetype c = c0; c <= c1; ++c) {
            const double edge = std::min(to.x(), first + double(c) + 1.0);
            const double next = from.y() + slope * (edge - from.x());
            extend(c, y, next);
            y = next;
        }
    }
    const double half = std::max(width, 1.0) / 2;
    QVector<QRectF> band;
    band.reserve(columns);
    for (qsizetype c = 0; c < columns; ++c) {
        const auto [low, high] = reach[size_t(c)];
        if (low <= high) band.append(QRectF(first + double(c), low - half, 1.0, high - low + 2 * half));
    }
    return band;
}


}  // namespace chartcomponent
