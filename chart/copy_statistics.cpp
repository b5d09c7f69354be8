// Statistics copy; see copy_statistics.h.
#include "copy_statistics.h"

#include "program_state.h"
#include "f1book.h"

namespace chart {

void copyStatistics(const sheet::F1Book& computationGrid, sheet::F1Book& statisticsGrid,
                    const ProgramState& state)
{
    statisticsGrid.setText(1, 2, state.job.ChartTitle);
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
