// Texts of the span's two ends; see show_span.h.
#include "chart/show_span.h"

#include "chart/chart_job.h"
#include "components/sheet/spreadsheet.h"

namespace chart {

QString spanEndText(const ChartJob& job, const sheet::Spreadsheet* importGrid, std::int32_t row)
{
    if (job.xColumn <= 0 || importGrid == nullptr)
        return QString::number(row);
    if (row < 1)
        return QString();  // no such grid row: nothing to show
    return importGrid->formattedText(row, job.xColumn);
}

}  // namespace chart
