// The chart job: what the chart commands read from the user's selection and
// fields, and what both chart windows draw. Held by the program state; the
// chart windows keep no copy and read it at each use.
#pragma once

#include "capability/capability_figures.h"

#include <QString>
#include <array>
#include <cstdint>

namespace chart {

struct ChartJob {
    std::array<std::int32_t, 3> valueColumns{};    // 0 marks an empty slot
    std::array<std::int32_t, 5> compareColumns{};  // 0 marks an empty slot
    std::int32_t xColumn = 0;                      // 0: no x column
    std::int32_t firstDataRow = 0;
    std::int32_t lastDataRow = 0;
    std::int32_t headerRow = 0;                    // 0: no header row
    QString chartTitle;
    // The tolerance limits (LSL, USL) the capability figures are computed against.
    capability::SpecificationLimits specificationLimits;
};

}  // namespace chart
