// Statistics copy; see copy_statistics.h.
#include "chart/copy_statistics.h"

#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"

namespace chart {

void copyStatistics(const sheet::Spreadsheet& computationGrid, sheet::Spreadsheet& statisticsGrid,
                    const ProgramState& state)
{
    statisticsGrid.setText(1, 2, state.job.chartTitle);
    statisticsGrid.setText(2, 2, state.fileNameText);
    for (const StatisticsCell& cell : kStatisticsCells) {
        const sheet::CellValue value = computationGrid.value(cell.sourceRow, cell.sourceCol);
        if (value.kind == sheet::CellKind::Error)
            statisticsGrid.setError(cell.targetRow, cell.targetCol, value.error);
        else
            statisticsGrid.setNumber(cell.targetRow, cell.targetCol,
                                     computationGrid.number(cell.sourceRow, cell.sourceCol));
    }
}

}  // namespace chart
