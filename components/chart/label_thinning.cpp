// Label thinning for the category axis. The step is first estimated from a
// sample of label widths, then every shown neighbour pair is checked, since a
// single long label outside the sample could still collide.
#include "components/chart/label_thinning.h"

#include <algorithm>
#include <cmath>

namespace chartcomponent {

long long niceLabelStep(double wanted) {
    long long decade = 1;
    for (;;) {
        for (long long factor : {1LL, 2LL, 5LL})
            if (double(factor * decade) >= wanted) return factor * decade;
        if (decade > (1LL << 60) / 10) return decade * 10;
        decade *= 10;
    }
}

namespace {

std::vector<int> multiplesOf(long long step, int first, int last) {
    std::vector<int> positions;
    if (step <= 1) {
        positions.reserve(std::size_t(last - first + 1));
        for (int p = first; p <= last; ++p) positions.push_back(p);
        return positions;
    }
    long long p = (first + step - 1) / step * step;  // first multiple of step at or after first
    for (; p <= last; p += step) positions.push_back(int(p));
    // A span shorter than the step still shows one label.
    if (positions.empty()) positions.push_back(first);
    return positions;
}

}  // namespace

std::vector<int> thinCategoryLabels(int first, int last, double pixelsPerCategory,
                                    const std::function<double(int)>& labelWidth, double minimumGap) {
    if (last < first) return {};
    if (!(pixelsPerCategory > 0)) return {first};
    const long long count = (long long)last - first + 1;

    // Estimate from up to 200 evenly spread labels.
    const long long sampleStride = std::max(1LL, count / 200);
    double widest = 0;
    for (long long p = first; p <= last; p += sampleStride) widest = std::max(widest, labelWidth(int(p)));
    long long step = niceLabelStep(std::max(1.0, (widest + minimumGap) / pixelsPerCategory));

    for (;;) {
        const std::vector<int> positions = multiplesOf(step, first, last);
        if (positions.size() <= 1) return positions;
        bool fits = true;
        double previousHalf = labelWidth(positions[0]) / 2;
        for (std::size_t i = 1; i < positions.size() && fits; ++i) {
            const double half = labelWidth(positions[i]) / 2;
            const double distance = double(positions[i] - positions[i - 1]) * pixelsPerCategory;
            fits = previousHalf + half + minimumGap <= distance;
            previousHalf = half;
        }
        if (fits) return positions;
        step = niceLabelStep(double(step) + 1);
    }
}

}  // namespace chartcomponent
