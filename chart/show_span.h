// The texts the chart windows show in their "Start" and "Ende" fields for
// the two ends of the visible span.
#pragma once

#include <QString>
#include <cstdint>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ChartJob;

// The row number, or, with an x column, that column's displayed text in the row.
QString spanEndText(const ChartJob& job, const sheet::Spreadsheet* importGrid, std::int32_t row);

}  // namespace chart
