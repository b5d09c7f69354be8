// The per-kind table and the reading of the computation grid; see chart_kinds.h.
#include "chart/chart_kinds.h"

#include "chart/chart_look_settings.h"
#include "chart/computation_fill.h"
#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"
#include "components/platform/profile.h"

#include <cmath>
#include <limits>

namespace chart {

namespace {

using MinRule = ChartKindLayout::MinRule;

// Mean: E, F and the five limit lines L..P; series 3 to 5 drawn; axis MIN (E10) to Max (E9).
// Range: I, G, two empty series, AC..AE; 3 and 4 taken out; axis 0 to RMax (I9).
// Difference: K, H, AR, AS, no centre line, AU, AV; 5 taken out; axis -DMax to DMax (K9).
const ChartKindLayout kKindLayouts[] = {
    {ChartKind::Mean, {5, 6, 12, 13, 14, 15, 16},
     {{{3, false, false}, {4, false, false}, {5, false, false}}},
     9, 5, MinRule::Cell, 10, 5},
    {ChartKind::Range, {9, 7, 0, 0, 29, 30, 31},
     {{{3, true, true}, {4, true, true}, {5, false, false}}},
     9, 9, MinRule::Zero, 0, 0},
    {ChartKind::Difference, {11, 8, 44, 45, 0, 47, 48},
     {{{3, false, false}, {4, false, false}, {5, true, std::nullopt}}},
     9, 11, MinRule::NegatedMax, 0, 0},
};
// A series that a kind draws also gets its hidden flag cleared: the range
// chart hides series 3 and 4, and without a readable chart template nothing
// else would bring them back for the mean and difference charts.

double cellNumberOrNaN(const sheet::Spreadsheet& grid, int row, int col)
{
    const sheet::CellValue value = grid.value(row, col);
    if (value.kind == sheet::CellKind::Number)
        return value.number;
    return std::numeric_limits<double>::quiet_NaN();
}

std::optional<double> boundCell(const sheet::Spreadsheet& grid, int row, int col)
{
    const double v = cellNumberOrNaN(grid, row, col);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

QString rowLabel(const sheet::Spreadsheet& grid, int dataRow, const ProgramState& state)
{
    if (state.job.xColumn > 0 && state.importGrid != nullptr) {
        bool ok = false;
        const int importRow = grid.text(dataRow, 1).trimmed().toInt(&ok);
        if (!ok)
            throw sheet::SheetError(QStringLiteral("'%1' ist kein gültiger Integerwert")
                                        .arg(grid.text(dataRow, 1)));
        return state.importGrid->formattedText(importRow, state.job.xColumn);
    }
    return grid.formattedText(dataRow, 1);
}

}  // namespace

const ChartKindLayout& chartKindLayout(ChartKind kind)
{
    for (const ChartKindLayout& kindLayout : kKindLayouts)
        if (kindLayout.kind == kind)
            return kindLayout;
    return kKindLayouts[0];
}

QString chartTemplatePath(const ProgramState& state)
{
    const QString fallback = state.shippedFile(QLatin1String(kChartTemplateDefault));
    if (state.settingsPath.isEmpty())
        return fallback;
    const platform::Profile settings(state.settingsPath);
    return settings.readString(QLatin1String(kChartLookSection), QLatin1String(kControlChartLookKey), fallback);
}

QStringList buildRowLabels(const sheet::Spreadsheet& grid, std::int32_t lastComputationRow, const ProgramState& state)
{
    QStringList labels;
    const int rowCount = lastComputationRow > kHeaderRow ? lastComputationRow - kHeaderRow : 0;
    labels.reserve(rowCount);
    for (int r = 0; r < rowCount; ++r)
        labels.append(rowLabel(grid, kFirstDataRow + r, state));
    return labels;
}

ChartKindData buildChartKindData(ChartKind kind, const sheet::Spreadsheet& grid,
                                 std::int32_t lastComputationRow, const ProgramState& state,
                                 const QStringList* rowLabels)
{
    const ChartKindLayout& kindLayout = chartKindLayout(kind);
    ChartKindData data;
    data.kind = kind;
    data.rowCount = lastComputationRow > kHeaderRow ? lastComputationRow - kHeaderRow : 0;
    data.positions = kindLayout.positions;

    for (int s = 0; s < kChartSeriesCount; ++s) {
        const int column = kindLayout.sourceColumns[s];
        data.seriesUsed[s] = column > 0;
        if (column <= 0)
            continue;
        QVector<double>& values = data.values[s];
        values.resize(data.rowCount);
        double* out = values.data();
        for (int r = 0; r < data.rowCount; ++r)
            out[r] = cellNumberOrNaN(grid, kFirstDataRow + r, column);
        data.seriesLabels[s] = grid.text(kHeaderRow, column);
    }

    if (rowLabels != nullptr && rowLabels->size() == data.rowCount)
        data.rowLabels = *rowLabels;
    else
        data.rowLabels = buildRowLabels(grid, lastComputationRow, state);

    data.title = state.job.chartTitle;
    data.xAxisTitle = state.xTitleText;
    data.yAxisTitle = state.yTitleText;

    data.scaleMaximum = boundCell(grid, kindLayout.maxRow, kindLayout.maxCol);
    switch (kindLayout.minRule) {
    case MinRule::Cell:
        data.scaleMinimum = boundCell(grid, kindLayout.minRow, kindLayout.minCol);
        break;
    case MinRule::Zero:
        data.scaleMinimum = 0.0;
        break;
    case MinRule::NegatedMax:
        if (data.scaleMaximum)
            data.scaleMinimum = -*data.scaleMaximum;
        break;
    }
    if (!data.scaleMinimum || !data.scaleMaximum) {
        data.scaleMinimum.reset();
        data.scaleMaximum.reset();
    }
    return data;
}

}  // namespace chart
