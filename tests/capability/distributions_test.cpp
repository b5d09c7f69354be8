// The distribution functions behind the confidence bounds and the expected
// ppm: chi-square quantiles against scipy over six orders of magnitude of
// degrees of freedom, and the normal tails far out.
#include "capability/distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace capability;

namespace reference {

struct ChiSquareQuantile {
    double p, nu, quantile;
};

#include "tests/capability/reference_quantiles.inc"

}  // namespace reference

TEST(Distributions, ChiSquareQuantilesAgreeWithScipy)
{
    for (const auto& q : reference::kChiSquareQuantiles) {
        const double x = chiSquareQuantile(q.p, q.nu);
        EXPECT_NEAR(x, q.quantile, 1e-10 * q.quantile) << "p " << q.p << ", nu " << q.nu;
        // The round trip through the incomplete gamma function.
        const double p = q.p < 0.5 ? regularizedGammaP(q.nu / 2, x / 2) : 1 - regularizedGammaQ(q.nu / 2, x / 2);
        EXPECT_NEAR(p, q.p, 1e-9 * q.p);
    }
}

TEST(Distributions, NormalTailsStayFiniteAndAccurate)
{
    EXPECT_NEAR(normalCdf(-1.959963984540054), 0.025, 1e-15);
    EXPECT_NEAR(normalQuantile(0.975), 1.959963984540054, 1e-13);
    EXPECT_NEAR(normalQuantile(1e-10), -6.361340902404056, 1e-11);
    // Phi(-40) is about 3.7e-350, below the smallest double: its logarithm
    // must still be right, and both tails must agree with each other.
    EXPECT_NEAR(logNormalCdf(-40.0), -804.6084420137539, 1e-9);
    const LogNormalTails tails = logNormalTails(3.0);
    EXPECT_NEAR(tails.upper, std::log(0.0013498980316300933), 1e-14);
    EXPECT_NEAR(tails.lower, std::log1p(-0.0013498980316300933), 1e-16);
    EXPECT_TRUE(std::isnan(normalQuantile(0.0)));
    EXPECT_TRUE(std::isnan(chiSquareQuantile(1.5, 3.0)));
}
