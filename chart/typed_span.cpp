// Typed span ends; see typed_span.h.
#include "chart/typed_span.h"

#include "chart/chart_job.h"
#include "components/sheet/spreadsheet.h"

#include <algorithm>

namespace chart {

namespace {

std::optional<std::int32_t> rowOfLabel(const ChartJob& job, const sheet::Spreadsheet& grid, const QString& label,
                                       SpanEnd which)
{
    if (which == SpanEnd::Start) {
        for (std::int32_t r = job.firstDataRow; r <= job.lastDataRow; ++r)
            if (grid.formattedText(r, job.xColumn) == label) return r;
    } else {
        for (std::int32_t r = job.lastDataRow; r >= job.firstDataRow; --r)
            if (grid.formattedText(r, job.xColumn) == label) return r;
    }
    return std::nullopt;
}

std::optional<std::int32_t> typedRow(const ChartJob& job, const sheet::Spreadsheet* grid, const QString& typed,
                                     SpanEnd which)
{
    const QString text = typed.trimmed();
    if (text.isEmpty() || job.lastDataRow < job.firstDataRow || job.firstDataRow < 1)
        return std::nullopt;
    if (job.xColumn > 0 && grid != nullptr)
        if (const auto row = rowOfLabel(job, *grid, text, which)) return row;
    bool ok = false;
    const qlonglong row = text.toLongLong(&ok);
    if (!ok || row < job.firstDataRow || row > job.lastDataRow)
        return std::nullopt;
    return std::int32_t(row);
}

}  // namespace

std::optional<VisibleSpan> spanWithTypedEnd(const ChartJob& job, const sheet::Spreadsheet* importGrid,
                                            const VisibleSpan& current, const QString& text, SpanEnd which)
{
    const auto row = typedRow(job, importGrid, text, which);
    if (!row)
        return std::nullopt;
    VisibleSpan span = current;
    // An end outside the range (a span left over from another job) gives way to the range's own.
    span.startRow = std::clamp(span.startRow, job.firstDataRow, job.lastDataRow);
    span.endRow = std::clamp(span.endRow, job.firstDataRow, job.lastDataRow);
    (which == SpanEnd::Start ? span.startRow : span.endRow) = *row;
    if (span.endRow < span.startRow)
        return std::nullopt;
    return span;
}

std::pair<double, double> percentsForSpan(const ChartJob& job, const VisibleSpan& span)
{
    const double distance = double(job.lastDataRow) - job.firstDataRow;
    const double count = distance + 1;
    const double left = distance > 0 ? (double(span.startRow) - job.firstDataRow) * 100.0 / distance : 0.0;
    const double right = count > 0 ? (double(job.lastDataRow) - span.endRow) * 100.0 / count : 0.0;
    return {left, right};
}

}  // namespace chart
