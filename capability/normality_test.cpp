// The Anderson-Darling normality test.
//
// With z_i the standardised sorted values,
//   A^2 = -n - (1/n) sum (2i - 1) [log Phi(z_i) + log(1 - Phi(z_{n+1-i}))].
// Each value enters twice, once through log Phi(z) and once through
// log(1 - Phi(z)) = log Phi(-z) with the weight of its mirrored rank, so one
// pass over the sorted values with one erfc per value suffices. The sum is
// compensated: for millions of values A^2 is a small difference of two
// numbers of the size of n.
#include "capability/normality_test.h"

#include "capability/distributions.h"
#include "components/sheet/near_tie.h"
#include "capability/radix_sort.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace capability {

namespace {

using sheet::ErrorCode;

constexpr double kZeroSpreadRatio = 1e-12;

// Beyond this adjusted statistic the outermost piece of the p-value is
// below 5e-31, and past about 153 its quadratic would rise again: the
// p-value is reported as 0 there.
constexpr double kLargestAdjustedStatistic = 13.0;

}  // namespace

double andersonDarlingPValue(double a)
{
    if (a < 0.2)
        return 1.0 - std::exp(-13.436 + 101.14 * a - 223.73 * a * a);
    if (a < 0.34)
        return 1.0 - std::exp(-8.318 + 42.796 * a - 59.938 * a * a);
    if (a < 0.6)
        return std::exp(0.9177 - 4.279 * a - 1.38 * a * a);
    if (a <= kLargestAdjustedStatistic)
        return std::exp(1.2937 - 5.709 * a + 0.0186 * a * a);
    return 0.0;
}

NormalityFigures testNormality(std::span<const double> values)
{
    NormalityFigures result;
    const std::size_t n = values.size();
    if (n < kNormalityMinimumCount) {
        result.statistic = result.adjustedStatistic = result.pValue = Figure::failed(ErrorCode::NA);
        return result;
    }
    const std::vector<double> sorted = sortedCopy(values);

    sheet::neartie::Sum sum;
    for (double v : sorted)
        sum.add(v);
    const double mean = sum.value() / static_cast<double>(n);
    sheet::neartie::Sum squares;
    for (double v : sorted)
        squares.add((v - mean) * (v - mean));
    const double sigma = std::sqrt(squares.value() / static_cast<double>(n - 1));
    if (!(sigma > kZeroSpreadRatio * std::fabs(mean))) {
        result.statistic = result.adjustedStatistic = result.pValue = Figure::failed(ErrorCode::Div0);
        return result;
    }

    const double dn = static_cast<double>(n);
    sheet::neartie::Sum weighted;
    LogNormalTails tails{};
    for (std::size_t i = 0; i < n; ++i) {
        // Measured values repeat (a gauge has a resolution): sorted, the
        // repeats are neighbours and share their tails.
        if (i == 0 || sorted[i] != sorted[i - 1])
            tails = logNormalTails((sorted[i] - mean) / sigma);
        const double rank = static_cast<double>(i + 1);
        // log Phi(z) weighs (2i - 1); log Phi(-z) weighs 2(n + 1 - i) - 1.
        weighted.add((2.0 * rank - 1.0) * tails.lower + (2.0 * (dn - rank) + 1.0) * tails.upper);
    }
    const double a2 = -dn - weighted.value() / dn;
    const double adjusted = a2 * (1.0 + 0.75 / dn + 2.25 / (dn * dn));
    result.statistic = Figure::of(a2);
    result.adjustedStatistic = Figure::of(adjusted);
    result.pValue = Figure::of(andersonDarlingPValue(adjusted));
    return result;
}

}  // namespace capability
