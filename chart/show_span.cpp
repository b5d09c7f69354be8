// Texts of the span's two ends; see show_span.h.
#include "show_span.h"

#include "chart_job.h"
#include "f1book.h"

namespace chart {

QString spanEndText(const ChartJob& job, const sheet::F1Book* importGrid, std::int32_t row)
{
    if (job.XColumn <= 0 || importGrid == nullptr)
        return QString::number(row);
    if (row < 1)
        return QString();  // no such grid row: nothing to show
    return importGrid->formattedText(row, job.XColumn);
}

}  // namespace chart
