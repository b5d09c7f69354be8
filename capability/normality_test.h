// The Anderson-Darling test of normality with mean and standard deviation
// estimated from the data, and its p-value by the D'Agostino-Stephens
// approximation. The expected ppm figures assume normal values; this test
// says how far to trust them.
#pragma once

#include "capability/capability_figures.h"

#include <span>

namespace capability {

struct NormalityFigures {
    Figure statistic;           // A^2
    Figure adjustedStatistic;   // A*^2 = A^2 (1 + 0.75/n + 2.25/n^2)
    Figure pValue;
};

inline constexpr std::size_t kNormalityMinimumCount = 8;

// The test over all `values` (order does not matter). Fewer than eight
// values give #N/A, values without spread #DIV/0!. Sorts a copy: for
// millions of values this is the slow part of the capability figures, so it
// is its own call that a window can run off its user-interface thread.
NormalityFigures testNormality(std::span<const double> values);

// The D'Agostino-Stephens p-value of an adjusted statistic A*^2.
double andersonDarlingPValue(double adjustedStatistic);

}  // namespace capability
