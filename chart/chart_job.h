// The chart job: what the chart commands read from the user's selection and
// fields, and what both chart windows draw. Held by the program state; the
// chart windows keep no copy and read it at each use.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace chart {

struct ChartJob {
    std::array<std::int32_t, 3> ValueColumns{};    // 0 marks an empty slot
    std::array<std::int32_t, 5> CompareColumns{};  // 0 marks an empty slot
    std::int32_t XColumn = 0;                      // 0: no x column
    std::int32_t FirstDataRow = 0;
    std::int32_t LastDataRow = 0;
    std::int32_t HeaderRow = 0;                    // 0: no header row
    QString ChartTitle;
};

}  // namespace chart
