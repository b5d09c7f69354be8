// Sorting millions of doubles by their bits, least significant digit first,
// in six passes of 11 bits (few enough buckets to stay in the cache): faster
// than a comparison sort for the normality test's 3,000,000 values, and it
// needs only the result and one buffer of the same size.
#pragma once

#include <span>
#include <vector>

namespace capability {

// The values in ascending order; -0.0 sorts before +0.0. The values must not be NaN.
std::vector<double> sortedCopy(std::span<const double> values);

}  // namespace capability
