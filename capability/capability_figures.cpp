// The capability figures of one series of values.
//
// Every figure that cannot be computed carries an error instead of a number:
// #N/A for an index whose limit is missing (or when the limits are
// inverted), #DIV/0! when there are too few values or no spread. The rows
// of the result stay the same either way, so the statistics page keeps its
// layout.
#include "capability/capability_figures.h"

#include "capability/distributions.h"
#include "components/sheet/near_tie.h"

#include <algorithm>
#include <cmath>

namespace capability {

namespace {

using sheet::ErrorCode;

constexpr double kSqrtPi = 1.77245385090551602730;
constexpr double kConfidenceZ = 1.96;              // two-sided 95 %
constexpr double kLowerQuantile = 0.025;
constexpr double kUpperQuantile = 0.975;
constexpr double kZeroSpreadRatio = 1e-12;

double meanOf(std::span<const double> values)
{
    sheet::neartie::Sum sum;
    for (double v : values)
        sum.add(v);
    return sum.value() / static_cast<double>(values.size());
}

// A spread below 1e-12 of the mean's size is rounding noise of decimal data.
Figure spreadFigure(double sigma, double mean)
{
    if (!(sigma > kZeroSpreadRatio * std::fabs(mean)))
        return Figure::of(0.0);
    return Figure::of(sigma);
}

Figure sampleStandardDeviation(std::span<const double> values, double mean)
{
    if (values.size() < 2)
        return Figure::failed(ErrorCode::Div0);
    sheet::neartie::Sum squares;
    for (double v : values)
        squares.add((v - mean) * (v - mean));
    return spreadFigure(std::sqrt(squares.value() / static_cast<double>(values.size() - 1)), mean);
}

Figure withinStandardDeviation(std::span<const double> values, int columns, double mean)
{
    if (values.size() < 2)
        return Figure::failed(ErrorCode::Div0);
    const double d2 = rangeFactorD2(columns == 1 ? 2 : columns);
    if (d2 == 0.0)
        return Figure::failed(ErrorCode::NA);
    sheet::neartie::Sum ranges;
    std::size_t count = 0;
    if (columns == 1) {
        for (std::size_t i = 1; i < values.size(); ++i)
            ranges.add(std::fabs(values[i] - values[i - 1]));
        count = values.size() - 1;
    } else {
        const std::size_t k = static_cast<std::size_t>(columns);
        for (std::size_t row = 0; row + k <= values.size(); row += k) {
            const auto [low, high] = std::minmax_element(values.begin() + row, values.begin() + row + k);
            ranges.add(*high - *low);
        }
        count = values.size() / k;
    }
    return spreadFigure(ranges.value() / static_cast<double>(count) / d2, mean);
}

// distance / (factor * sigma), or the error that stands in for it.
Figure ratio(double distance, const Figure& sigma, double factor)
{
    if (!sigma.ok())
        return sigma;
    if (sigma.value == 0.0)
        return Figure::failed(ErrorCode::Div0);
    return Figure::of(distance / (factor * sigma.value));
}

Figure minimum(const Figure& a, const Figure& b)
{
    if (!a.ok())
        return a;
    if (!b.ok())
        return b;
    return Figure::of(std::min(a.value, b.value));
}

// The bounds' factors shared by every index of one series.
struct BoundFactors {
    std::size_t n = 0;
    double nu = 0.0;
    double chiLow = 0.0;    // sqrt(chi2(0.025; nu) / nu)
    double chiHigh = 0.0;   // sqrt(chi2(0.975; nu) / nu)
};

BoundFactors boundFactors(std::size_t n)
{
    BoundFactors f;
    f.n = n;
    if (n < 2)
        return f;
    f.nu = static_cast<double>(n - 1);
    f.chiLow = std::sqrt(chiSquareQuantile(kLowerQuantile, f.nu) / f.nu);
    f.chiHigh = std::sqrt(chiSquareQuantile(kUpperQuantile, f.nu) / f.nu);
    return f;
}

// Cp and Pp: the chi-square interval of a standard deviation, inverted.
void setSpreadBounds(IndexFigure& index, const BoundFactors& f)
{
    if (!index.value.ok()) {
        index.lowerBound = index.upperBound = index.value;
        return;
    }
    index.lowerBound = Figure::of(index.value.value * f.chiLow);
    index.upperBound = Figure::of(index.value.value * f.chiHigh);
}

// Cpk, Ppk and the one-sided indices: Bissell's normal approximation.
void setBissellBounds(IndexFigure& index, const BoundFactors& f)
{
    if (!index.value.ok()) {
        index.lowerBound = index.upperBound = index.value;
        return;
    }
    const double c = index.value.value;
    const double halfWidth = kConfidenceZ * std::sqrt(1.0 / (9.0 * static_cast<double>(f.n)) + c * c / (2.0 * f.nu));
    index.lowerBound = Figure::of(c - halfWidth);
    index.upperBound = Figure::of(c + halfWidth);
}

IndexFigure indexFigure(IndexKind kind, const Figure& value)
{
    IndexFigure index;
    index.kind = kind;
    index.value = value;
    return index;
}

IndexFigure notAvailable(IndexKind kind)
{
    IndexFigure index;
    index.kind = kind;
    index.value = index.lowerBound = index.upperBound = Figure::failed(ErrorCode::NA);
    index.hasBounds = kind != IndexKind::Cpm;
    return index;
}

// The indices of one standard deviation (within or overall).
void appendIndices(std::vector<IndexFigure>& out, const SpecificationLimits& limits, LimitsState state,
                   double mean, const Figure& sigma, bool within, const BoundFactors& factors)
{
    const IndexKind two = within ? IndexKind::Cp : IndexKind::Pp;
    const IndexKind twoK = within ? IndexKind::Cpk : IndexKind::Ppk;
    const IndexKind upperOnly = within ? IndexKind::Cpu : IndexKind::Ppu;
    const IndexKind lowerOnly = within ? IndexKind::Cpl : IndexKind::Ppl;

    switch (state) {
    case LimitsState::None:
    case LimitsState::Inverted:
        out.push_back(notAvailable(two));
        out.push_back(notAvailable(twoK));
        return;
    case LimitsState::UpperOnly: {
        IndexFigure index = indexFigure(upperOnly, ratio(*limits.upper - mean, sigma, 3.0));
        setBissellBounds(index, factors);
        out.push_back(index);
        return;
    }
    case LimitsState::LowerOnly: {
        IndexFigure index = indexFigure(lowerOnly, ratio(mean - *limits.lower, sigma, 3.0));
        setBissellBounds(index, factors);
        out.push_back(index);
        return;
    }
    case LimitsState::Both: {
        IndexFigure spread = indexFigure(two, ratio(*limits.upper - *limits.lower, sigma, 6.0));
        setSpreadBounds(spread, factors);
        out.push_back(spread);
        IndexFigure centred = indexFigure(twoK, minimum(ratio(*limits.upper - mean, sigma, 3.0),
                                                        ratio(mean - *limits.lower, sigma, 3.0)));
        setBissellBounds(centred, factors);
        out.push_back(centred);
        return;
    }
    }
}

IndexFigure targetIndex(const SpecificationLimits& limits, LimitsState state, double mean, const Figure& sigmaOverall)
{
    if (state != LimitsState::Both)
        return notAvailable(IndexKind::Cpm);
    IndexFigure index = notAvailable(IndexKind::Cpm);
    if (!sigmaOverall.ok()) {
        index.value = sigmaOverall;
        return index;
    }
    const double offset = mean - *limits.target;
    const double spread = std::sqrt(sigmaOverall.value * sigmaOverall.value + offset * offset);
    index.value = spread > 0.0 ? Figure::of((*limits.upper - *limits.lower) / (6.0 * spread))
                               : Figure::failed(ErrorCode::Div0);
    return index;
}

// Sums the sides present; #N/A when no side is.
Figure totalOf(const Figure& below, const Figure& above)
{
    if (below.error == ErrorCode::NA)
        return above;
    if (above.error == ErrorCode::NA)
        return below;
    if (!below.ok())
        return below;
    if (!above.ok())
        return above;
    return Figure::of(below.value + above.value);
}

constexpr double kMillion = 1e6;

PpmFigures observedPpm(std::span<const double> values, const SpecificationLimits& limits, LimitsState state)
{
    PpmFigures ppm;
    ppm.belowLower = ppm.aboveUpper = ppm.total = Figure::failed(ErrorCode::NA);
    if (state == LimitsState::Inverted || state == LimitsState::None)
        return ppm;
    if (values.empty()) {
        ppm.belowLower = ppm.aboveUpper = ppm.total = Figure::failed(ErrorCode::Div0);
        return ppm;
    }
    const double lower = limits.lower.value_or(-HUGE_VAL);
    const double upper = limits.upper.value_or(HUGE_VAL);
    std::size_t below = 0;
    std::size_t above = 0;
    for (double v : values) {
        below += v < lower;
        above += v > upper;
    }
    const double scale = kMillion / static_cast<double>(values.size());
    if (limits.lower)
        ppm.belowLower = Figure::of(below * scale);
    if (limits.upper)
        ppm.aboveUpper = Figure::of(above * scale);
    ppm.total = totalOf(ppm.belowLower, ppm.aboveUpper);
    return ppm;
}

PpmFigures expectedPpm(const SpecificationLimits& limits, LimitsState state, double mean, const Figure& sigma)
{
    PpmFigures ppm;
    ppm.belowLower = ppm.aboveUpper = ppm.total = Figure::failed(ErrorCode::NA);
    if (state == LimitsState::Inverted || state == LimitsState::None)
        return ppm;
    Figure failure = sigma;
    if (sigma.ok() && sigma.value == 0.0)
        failure = Figure::failed(ErrorCode::Div0);
    if (!failure.ok()) {
        if (limits.lower)
            ppm.belowLower = failure;
        if (limits.upper)
            ppm.aboveUpper = failure;
        ppm.total = failure;
        return ppm;
    }
    if (limits.lower)
        ppm.belowLower = Figure::of(kMillion * normalCdf((*limits.lower - mean) / sigma.value));
    if (limits.upper)
        ppm.aboveUpper = Figure::of(kMillion * normalCdf((mean - *limits.upper) / sigma.value));
    ppm.total = totalOf(ppm.belowLower, ppm.aboveUpper);
    return ppm;
}

}  // namespace

const char* indexLabel(IndexKind kind)
{
    switch (kind) {
    case IndexKind::Cp: return "Cp";
    case IndexKind::Cpk: return "Cpk";
    case IndexKind::Pp: return "Pp";
    case IndexKind::Ppk: return "Ppk";
    case IndexKind::Cpu: return "Cpu";
    case IndexKind::Cpl: return "Cpl";
    case IndexKind::Ppu: return "Ppu";
    case IndexKind::Ppl: return "Ppl";
    case IndexKind::Cpm: return "Cpm";
    }
    return "";
}

double rangeFactorD2(int size)
{
    switch (size) {
    case 2: return 2.0 / kSqrtPi;
    case 3: return 3.0 / kSqrtPi;
    default: return 0.0;
    }
}

LimitsState limitsState(const SpecificationLimits& limits)
{
    if (limits.lower && limits.upper)
        return *limits.lower < *limits.upper ? LimitsState::Both : LimitsState::Inverted;
    if (limits.lower)
        return LimitsState::LowerOnly;
    if (limits.upper)
        return LimitsState::UpperOnly;
    return LimitsState::None;
}

CapabilityFigures computeCapability(std::span<const double> values, int columns, const SpecificationLimits& limits)
{
    CapabilityFigures result;
    result.columns = std::max(columns, 1);
    // Only whole rows take part.
    values = values.first(values.size() - values.size() % static_cast<std::size_t>(result.columns));
    result.count = values.size();
    result.limits = limitsState(limits);
    if (limits.target && result.limits != LimitsState::Inverted)
        result.targetOutsideLimits = (limits.lower && *limits.target < *limits.lower)
                                     || (limits.upper && *limits.target > *limits.upper);

    const double mean = values.empty() ? 0.0 : meanOf(values);
    result.mean = values.empty() ? Figure::failed(ErrorCode::Div0) : Figure::of(mean);
    result.sigmaWithin = withinStandardDeviation(values, result.columns, mean);
    result.sigmaOverall = sampleStandardDeviation(values, mean);

    const BoundFactors factors = boundFactors(values.size());
    appendIndices(result.indices, limits, result.limits, mean, result.sigmaWithin, true, factors);
    appendIndices(result.indices, limits, result.limits, mean, result.sigmaOverall, false, factors);
    if (limits.target)
        result.indices.push_back(targetIndex(limits, result.limits, mean, result.sigmaOverall));

    result.observed = observedPpm(values, limits, result.limits);
    result.expectedWithin = expectedPpm(limits, result.limits, mean, result.sigmaWithin);
    result.expectedOverall = expectedPpm(limits, result.limits, mean, result.sigmaOverall);
    return result;
}

}  // namespace capability
