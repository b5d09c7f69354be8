// The comparison chart's data, read straight from the import grid.
#include "compare/comparison_draw.h"

#include "components/chart/chart_error.h"
#include "chart/chart_look_settings.h"
#include "chart/column_letters.h"
#include "components/sheet/spreadsheet.h"
#include "components/platform/profile.h"
#include "chart/program_state.h"
#include "components/chart/chart_view.h"

#include <cmath>
#include <limits>

namespace compare {

QString comparisonTemplatePath(const chart::ProgramState& state)
{
    const QString fallback = state.shippedFile(QStringLiteral("vgldefault.vtc"));
    if (state.settingsPath.isEmpty()) return fallback;
    return platform::Profile(state.settingsPath).readString(QLatin1String(chart::kChartLookSection), QLatin1String(chart::kComparisonLookKey), fallback);
}

ComparisonData buildComparisonData(const chart::ProgramState& state, std::int32_t startRow, std::int32_t endRow)
{
    const chart::ChartJob& job = state.job;
    const sheet::Spreadsheet& grid = *state.importGrid;
    ComparisonData d;
    for (int i = 0; i < int(job.compareColumns.size()); ++i)
        if (job.compareColumns[i] > 0) d.seriesCount = i + 1;
    d.rowCount = endRow >= startRow ? int(std::int64_t(endRow) - startRow + 1) : 0;
    d.title = job.chartTitle;
    d.xAxisTitle = state.xTitleText;
    d.yAxisTitle = state.yTitleText;

    for (int i = 0; i < d.seriesCount; ++i) {
        const int column = job.compareColumns[i];
        if (job.headerRow < 1) {
            const QString letters = chart::columnLetters(column);
            d.seriesLabels << (letters.isEmpty() ? QString() : QLatin1String(kSeriesPrefix) + letters);
        } else {
            d.seriesLabels << grid.text(job.headerRow, column);
        }
        QVector<double> values(d.rowCount, std::numeric_limits<double>::quiet_NaN());
        if (column > 0) {
            for (int p = 0; p < d.rowCount; ++p) {
                if (sheet::isNumeric(grid.cellType(startRow + p, column))) values[p] = grid.number(startRow + p, column);
            }
        }
        d.values << values;
    }
    d.rowLabels.reserve(d.rowCount);
    for (int p = 0; p < d.rowCount; ++p) {
        const int row = startRow + p;
        d.rowLabels << (job.xColumn < 1 ? QString::number(row) : grid.formattedText(row, job.xColumn));
    }
    return d;
}

QString drawComparison(chartcomponent::ChartView& chart, const chart::ProgramState& state,
                       std::int32_t startRow, std::int32_t endRow)
{
    const QString templatePath = comparisonTemplatePath(state);
    try {
        chart.loadSettings(templatePath);
    } catch (const chartcomponent::ChartError&) {
        // A missing or unreadable template: the chart keeps its current look.
    }
    const ComparisonData d = buildComparisonData(state, startRow, endRow);
    chart.setColumnCount(d.seriesCount > 0 ? d.seriesCount : 5);
    chart.setRowCount(d.seriesCount > 0 ? d.rowCount : 1);
    for (int i = 0; i < d.seriesCount; ++i) {
        chart.setColumn(i + 1);
        if (!d.seriesLabels[i].isEmpty()) chart.setColumnLabel(d.seriesLabels[i]);
        chart.setSeriesHidden(i + 1, false);
        chart.setColumnValues(i + 1, d.values[i]);
    }
    if (d.seriesCount > 0) chart.setRowLabels(d.rowLabels);
    chart.setTitleText(d.title);
    chart.setAxisTitle(0, d.xAxisTitle);
    chart.setAxisTitle(1, d.yAxisTitle);
    return templatePath;
}

}  // namespace compare
