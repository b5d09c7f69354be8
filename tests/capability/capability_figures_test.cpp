// The capability figures against figures computed independently with numpy,
// scipy and statsmodels (reference_figures.py), against a published worked
// example, and the error cells that stand in for figures that cannot exist.
#include "capability/capability_figures.h"
#include "capability/normality_test.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace capability;
using sheet::ErrorCode;

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

struct ReferenceIndex {
    const char* label;
    double value, lower, upper;
};

struct ReferenceSet {
    const char* name;
    int columns;
    SpecificationLimits limits;
    std::vector<double> values;
    double mean, sigmaWithin, sigmaOverall;
    std::vector<ReferenceIndex> indices;
    std::array<double, 3> observed, within, overall;   // below, above, total
    double statistic, adjusted, pValue;
};

struct ChiSquareQuantile {
    double p, nu, quantile;
};

#include "tests/capability/reference_figures.inc"

constexpr double kIndexTolerance = 1e-9;
constexpr double kBoundTolerance = 1e-6;

// A figure equal to `expected` within the relative tolerance, or the #N/A
// cell when the reference has no figure.
void expectFigure(const Figure& actual, double expected, double tolerance, const std::string& what)
{
    if (std::isnan(expected)) {
        EXPECT_EQ(actual.error, ErrorCode::NA) << what;
        return;
    }
    ASSERT_TRUE(actual.ok()) << what;
    EXPECT_NEAR(actual.value, expected, tolerance * std::max(std::fabs(expected), 1e-300)) << what;
}

void expectPpm(const PpmFigures& actual, const std::array<double, 3>& expected, const std::string& what)
{
    // Observed shares are exact; 1e-6 of the smallest nonzero share is far
    // below one value's weight.
    expectFigure(actual.belowLower, expected[0], kBoundTolerance, what + " below");
    expectFigure(actual.aboveUpper, expected[1], kBoundTolerance, what + " above");
    expectFigure(actual.total, expected[2], kBoundTolerance, what + " total");
}

std::vector<double> repeatedPattern(std::initializer_list<double> pattern, int times)
{
    std::vector<double> values;
    for (int i = 0; i < times; ++i)
        values.insert(values.end(), pattern);
    return values;
}

}  // namespace

TEST(CapabilityFigures, AgreeWithTheIndependentReference)
{
    for (const ReferenceSet& set : kReferenceSets) {
        SCOPED_TRACE(set.name);
        const CapabilityFigures f = computeCapability(set.values, set.columns, set.limits);
        EXPECT_EQ(f.count, set.values.size());
        expectFigure(f.mean, set.mean, kIndexTolerance, "mean");
        expectFigure(f.sigmaWithin, set.sigmaWithin, kIndexTolerance, "sigma within");
        expectFigure(f.sigmaOverall, set.sigmaOverall, kIndexTolerance, "sigma overall");

        ASSERT_EQ(f.indices.size(), set.indices.size());
        for (std::size_t i = 0; i < f.indices.size(); ++i) {
            const IndexFigure& index = f.indices[i];
            const ReferenceIndex& ref = set.indices[i];
            EXPECT_STREQ(indexLabel(index.kind), ref.label);
            expectFigure(index.value, ref.value, kIndexTolerance, ref.label);
            if (index.hasBounds) {
                expectFigure(index.lowerBound, ref.lower, kBoundTolerance, std::string(ref.label) + " lower bound");
                expectFigure(index.upperBound, ref.upper, kBoundTolerance, std::string(ref.label) + " upper bound");
            } else {
                EXPECT_TRUE(std::isnan(ref.lower)) << ref.label;
            }
        }
        expectPpm(f.observed, set.observed, "observed");
        expectPpm(f.expectedWithin, set.within, "expected within");
        expectPpm(f.expectedOverall, set.overall, "expected overall");

        const NormalityFigures normality = testNormality(set.values);
        expectFigure(normality.statistic, set.statistic, kIndexTolerance, "A2");
        expectFigure(normality.adjustedStatistic, set.adjusted, kIndexTolerance, "A*2");
        expectFigure(normality.pValue, set.pValue, kBoundTolerance, "p-value");
    }
}

// The engineering statistics handbook's example: limits 8 and 20, a process
// mean of 16 and a standard deviation of 2 give Cp = 1.00 and
// Cpk = 0.6667. Values alternating 16 - a, 16 + a have the mean 16; a is
// chosen so that the moving-range estimate (within) or the sample standard
// deviation (overall) is exactly 2.
TEST(CapabilityFigures, PublishedWorkedExample)
{
    const SpecificationLimits limits{8.0, 20.0, std::nullopt};
    const double withinStep = 2.0 / std::sqrt(M_PI);   // moving range 2a over d2(2) = 2
    const auto within = computeCapability(repeatedPattern({16 - withinStep, 16 + withinStep}, 10), 1, limits);
    EXPECT_NEAR(within.sigmaWithin.value, 2.0, 1e-12);
    EXPECT_EQ(std::string(indexLabel(within.indices[0].kind)), "Cp");
    EXPECT_NEAR(within.indices[0].value.value, 1.00, 0.005);
    EXPECT_NEAR(within.indices[1].value.value, 0.6667, 0.00005);

    const int n = 20;
    const double overallStep = 2.0 * std::sqrt((n - 1.0) / n);   // sample standard deviation 2
    const auto overall = computeCapability(repeatedPattern({16 - overallStep, 16 + overallStep}, n / 2), 1, limits);
    EXPECT_NEAR(overall.sigmaOverall.value, 2.0, 1e-12);
    EXPECT_NEAR(overall.indices[2].value.value, 1.00, 0.005);
    EXPECT_NEAR(overall.indices[3].value.value, 0.6667, 0.00005);
}

TEST(CapabilityFigures, MissingLimitsGiveNotAvailableAndKeepTheRows)
{
    const std::vector<double> values = {1.0, 1.2, 0.9, 1.1, 1.05, 0.95};
    const auto none = computeCapability(values, 2, {});
    ASSERT_EQ(none.indices.size(), 4u);
    const char* labels[] = {"Cp", "Cpk", "Pp", "Ppk"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(indexLabel(none.indices[i].kind), labels[i]);
        EXPECT_EQ(none.indices[i].value.error, ErrorCode::NA);
        EXPECT_EQ(none.indices[i].lowerBound.error, ErrorCode::NA);
    }
    EXPECT_EQ(none.observed.total.error, ErrorCode::NA);
    EXPECT_EQ(none.expectedWithin.total.error, ErrorCode::NA);
    EXPECT_TRUE(none.sigmaWithin.ok());

    // Inverted limits: no index at all, the spread figures stay.
    const auto inverted = computeCapability(values, 2, {2.0, 1.0, 1.5});
    EXPECT_EQ(inverted.limits, LimitsState::Inverted);
    ASSERT_EQ(inverted.indices.size(), 5u);
    for (const IndexFigure& index : inverted.indices)
        EXPECT_EQ(index.value.error, ErrorCode::NA) << indexLabel(index.kind);
    EXPECT_EQ(inverted.expectedOverall.total.error, ErrorCode::NA);
    EXPECT_TRUE(inverted.sigmaOverall.ok());
    EXPECT_FALSE(inverted.targetOutsideLimits);

    // Equal limits count as inverted too: no spread fits between them.
    EXPECT_EQ(limitsState({1.0, 1.0, std::nullopt}), LimitsState::Inverted);

    // One limit: the one-sided pair, the other side of the ppm #N/A.
    const auto lower = computeCapability(values, 1, {0.5, std::nullopt, 0.2});
    ASSERT_EQ(lower.indices.size(), 3u);
    EXPECT_STREQ(indexLabel(lower.indices[0].kind), "Cpl");
    EXPECT_STREQ(indexLabel(lower.indices[1].kind), "Ppl");
    EXPECT_EQ(lower.indices[2].kind, IndexKind::Cpm);
    EXPECT_EQ(lower.indices[2].value.error, ErrorCode::NA);
    EXPECT_TRUE(lower.targetOutsideLimits);
    EXPECT_EQ(lower.expectedWithin.aboveUpper.error, ErrorCode::NA);
    EXPECT_TRUE(lower.expectedWithin.total.ok());
}

TEST(CapabilityFigures, NoSpreadOrTooFewValuesGiveDivisionByZero)
{
    // 0.1 + 0.2 and 0.3 differ in binary; a person sees one constant value.
    const std::vector<double> constant = {0.1 + 0.2, 0.3, 0.3, 0.1 + 0.2, 0.3, 0.3, 0.3, 0.1 + 0.2};
    for (int columns : {1, 2}) {
        const auto f = computeCapability(constant, columns, {0.2, 0.4, 0.3});
        EXPECT_EQ(f.sigmaWithin.value, 0.0);
        EXPECT_EQ(f.sigmaOverall.value, 0.0);
        for (const IndexFigure& index : f.indices) {
            if (index.kind == IndexKind::Cpm)
                continue;   // its spread includes the offset from the target
            EXPECT_EQ(index.value.error, ErrorCode::Div0) << indexLabel(index.kind);
            EXPECT_EQ(index.upperBound.error, ErrorCode::Div0) << indexLabel(index.kind);
        }
        EXPECT_EQ(f.expectedWithin.total.error, ErrorCode::Div0);
        EXPECT_EQ(f.observed.total.value, 0.0);
    }
    EXPECT_EQ(testNormality(constant).pValue.error, ErrorCode::Div0);

    const std::vector<double> one = {5.0};
    const auto single = computeCapability(one, 1, {4.0, 6.0, std::nullopt});
    EXPECT_TRUE(single.mean.ok());
    EXPECT_EQ(single.sigmaWithin.error, ErrorCode::Div0);
    EXPECT_EQ(single.sigmaOverall.error, ErrorCode::Div0);
    EXPECT_EQ(single.indices[0].value.error, ErrorCode::Div0);
    EXPECT_EQ(single.observed.total.value, 0.0);

    const auto empty = computeCapability({}, 3, {4.0, 6.0, std::nullopt});
    EXPECT_EQ(empty.mean.error, ErrorCode::Div0);
    EXPECT_EQ(empty.observed.total.error, ErrorCode::Div0);
    EXPECT_EQ(empty.indices.size(), 4u);

    // Fewer than eight values: no normality test.
    EXPECT_EQ(testNormality(std::vector<double>{1, 2, 3, 4, 5, 6, 7}).pValue.error, ErrorCode::NA);
}

TEST(CapabilityFigures, ObservedShareCountsValuesOutsideOnly)
{
    // A value on a limit is inside; an incomplete last row is left out.
    const std::vector<double> values = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0};
    const auto f = computeCapability(values, 2, {2.0, 5.0, std::nullopt});
    EXPECT_EQ(f.count, 6u);
    EXPECT_DOUBLE_EQ(f.observed.belowLower.value, 1e6 / 6);
    EXPECT_DOUBLE_EQ(f.observed.aboveUpper.value, 1e6 / 6);
    EXPECT_DOUBLE_EQ(f.observed.total.value, 2e6 / 6);
}

TEST(NormalityTest, PValueFollowsTheFourPiecesAndStaysAProbability)
{
    for (double a : {0.0, 0.1, 0.2, 0.3, 0.34, 0.5, 0.6, 1.0, 5.0, 13.0, 14.0, 200.0}) {
        const double p = andersonDarlingPValue(a);
        EXPECT_GE(p, 0.0) << a;
        EXPECT_LE(p, 1.0) << a;
    }
    EXPECT_EQ(andersonDarlingPValue(200.0), 0.0);   // the quadratic would climb again
    EXPECT_GT(andersonDarlingPValue(0.3), andersonDarlingPValue(1.0));
}
