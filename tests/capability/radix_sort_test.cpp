// The bitwise sort behind the normality test orders like a comparison sort,
// across signs, zeros, infinities and values that share their high digits.
#include "capability/radix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

TEST(RadixSort, OrdersLikeAComparisonSort)
{
    std::mt19937_64 engine(7);
    std::normal_distribution<double> spread(0.0, 1e3);
    std::vector<double> values = {0.0, -0.0, HUGE_VAL, -HUGE_VAL, 1e-310, -1e-310, 5.0, 5.0, -5.0};
    for (int i = 0; i < 5000; ++i)
        values.push_back(spread(engine));
    for (int i = 0; i < 500; ++i)
        values.push_back(10.0 + i * 1e-12);   // differ in the lowest digits only
    std::shuffle(values.begin(), values.end(), engine);

    const std::vector<double> sorted = capability::sortedCopy(values);
    std::vector<double> expected = values;
    std::stable_sort(expected.begin(), expected.end());
    ASSERT_EQ(sorted.size(), expected.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        EXPECT_EQ(sorted[i], expected[i]) << i;
    EXPECT_TRUE(std::signbit(sorted[std::find(sorted.begin(), sorted.end(), 0.0) - sorted.begin()]));

    EXPECT_TRUE(capability::sortedCopy({}).empty());
    EXPECT_EQ(capability::sortedCopy(std::vector<double>{3.0}), std::vector<double>{3.0});
}
