// The per-kind table and the reading of the computation grid; see chart_kinds.h.
#include "chart/chart_kinds.h"

#include "chart/chart_look_settings.h"
#include "chart/computation_fill.h"
#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"
#include "components/platform/profile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace chart {

namespace {

using MinRule = ChartKindLayout::MinRule;

// Mean: E, F and the five limit lines L..P; series 3 to 5 drawn; axis MIN (E10) to Max (E9); alarms in Q.
// Range: I, G, two empty series, AC..AE; 3 and 4 taken out; axis 0 to RMax (I9); alarms in AF.
// Difference: K, H, AR, AS, no centre line, AU, AV; 5 taken out; axis -DMax to DMax (K9); alarms in AW.
const ChartKindLayout kKindLayouts[] = {
    {ChartKind::Mean, {5, 6, 12, 13, 14, 15, 16},
     {{{3, false, false}, {4, false, false}, {5, false, false}}},
     9, 5, MinRule::Cell, 10, 5, 17},
    {ChartKind::Range, {9, 7, 0, 0, 29, 30, 31},
     {{{3, true, true}, {4, true, true}, {5, false, false}}},
     9, 9, MinRule::Zero, 0, 0, 32},
    {ChartKind::Difference, {11, 8, 44, 45, 0, 47, 48},
     {{{3, false, false}, {4, false, false}, {5, true, std::nullopt}}},
     9, 11, MinRule::NegatedMax, 0, 0, 49},
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

}  // namespace

const ChartKindLayout& chartKindLayout(ChartKind kind)
{
    for (const ChartKindLayout& kindLayout : kKindLayouts)
        if (kindLayout.kind == kind)
            return kindLayout;
    return kKindLayouts[0];
}

QString chartLookPath(const ProgramState& state, const char* key, const char* defaultFile)
{
    const QString fallback = state.shippedFile(QLatin1String(defaultFile));
    if (state.settingsPath.isEmpty())
        return fallback;
    const platform::Profile settings(state.settingsPath);
    return settings.readString(QLatin1String(kChartLookSection), QLatin1String(key), fallback);
}

QString chartTemplatePath(const ProgramState& state)
{
    return chartLookPath(state, kControlChartLookKey, kChartTemplateDefault);
}

ChartKindData buildChartKindData(ChartKind kind, const sheet::Spreadsheet& grid,
                                 std::int32_t lastComputationRow, const ProgramState& state,
                                 const RowLabels* rowLabels)
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
        grid.readNumbers(column, kFirstDataRow, data.rowCount, values.data());
        data.seriesLabels[s] = grid.text(kHeaderRow, column);
    }
    // The marker's own values cannot tell an alarm (with a standard deviation
    // of 0 the top bound equals the bottom one): the alarm column decides.
    if (data.seriesUsed[kAlarmMarkerSeries - 1]) {
        double* marker = data.values[kAlarmMarkerSeries - 1].data();
        std::vector<double> alarms(static_cast<size_t>(data.rowCount));
        grid.readNumbers(kindLayout.alarmColumn, kFirstDataRow, data.rowCount, alarms.data());
        for (int r = 0; r < data.rowCount; ++r) {
            if (!(alarms[static_cast<size_t>(r)] > 0))
                marker[r] = std::numeric_limits<double>::quiet_NaN();
        }
    }

    if (rowLabels != nullptr && rowLabels->count() == data.rowCount)
        data.rowLabels = *rowLabels;
    else
        data.rowLabels = RowLabels(grid, lastComputationRow, state);

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
    if (!data.scaleMinimum || !data.scaleMaximum || *data.scaleMinimum == *data.scaleMaximum) {
        const auto [low, high] = fallbackValueScale(data);
        data.scaleMinimum = low;
        data.scaleMaximum = high;
    }
    return data;
}

std::pair<double, double> fallbackValueScale(const ChartKindData& data)
{
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int s = 0; s < kChartSeriesCount; ++s) {
        if (!data.seriesUsed[s])
            continue;
        for (double v : data.values[s]) {
            if (!std::isfinite(v))
                continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (!(low <= high))
        low = high = 0.0;
    if (low < high) {
        const double pad = (high - low) * 0.1;
        return {low - pad, high + pad};
    }
    const double pad = low == 0.0 ? 1.0 : std::abs(low) * 0.1;
    return {low - pad, high + pad};
}

}  // namespace chart
