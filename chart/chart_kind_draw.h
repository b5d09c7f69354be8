// Drawing one of the three chart kinds into the chart component: the one
// routine the control chart window's three buttons and the batch report run.
// It loads the chart template, hands over the data in bulk, and sets the
// series names, series positions, titles and, for a template without
// automatic scaling, the value axis.
#pragma once

#include "chart/chart_kinds.h"

namespace chartcomponent { class ChartView; }

namespace chart {

// Draws the kind from the computation grid's data rows 16..lastComputationRow.
// Returns the chart template path used (the window keeps it to save applied
// changes to). A missing or unreadable template is ignored; other errors of
// either component propagate.
// rowLabels: optional labels of the same fill (see buildChartKindData).
QString drawChartKind(ChartKind kind, chartcomponent::ChartView& chart, const sheet::Spreadsheet& computationGrid,
                      std::int32_t lastComputationRow, const ProgramState& state,
                      const RowLabels* rowLabels = nullptr);

// The second half of drawChartKind, for data already read.
void applyChartKindData(chartcomponent::ChartView& chart, const ChartKindData& data);

}  // namespace chart
