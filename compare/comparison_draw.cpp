// The comparison chart's data, read straight from the import grid.
#include "compare/comparison_draw.h"

#include "components/chart/chart_error.h"
#include "chart/chart_look_settings.h"
#include "chart/column_letters.h"
#include "components/sheet/spreadsheet.h"
#include "components/platform/profile.h"
#include "chart/program_state.h"
#include "chart/shared_texts.h"
#include "components/chart/chart_view.h"

#include <algorithm>
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
    if (job.xColumn < 1) {
        d.numberedFrom = startRow;
    } else {
        d.rowLabels.reserve(d.rowCount);
        for (int p = 0; p < d.rowCount; ++p) d.rowLabels << grid.formattedText(startRow + p, job.xColumn);
    }
    return d;
}

QString ComparisonData::rowLabel(int point) const
{
    return numberedFrom > 0 ? QString::number(std::int64_t(numberedFrom) + point) : rowLabels.value(point);
}

ComparisonData sliceComparisonData(const ComparisonData& data, int firstPoint, int count,
                                   QVector<QVector<double>>* buffers)
{
    ComparisonData d = data;
    firstPoint = std::clamp(firstPoint, 0, data.rowCount);
    count = std::clamp(count, 0, data.rowCount - firstPoint);
    d.rowCount = count;
    if (buffers) buffers->resize(d.values.size());
    for (qsizetype i = 0; i < d.values.size(); ++i) {
        const double* from = data.values[i].constData() + firstPoint;
        if (buffers) {
            QVector<double>& buffer = (*buffers)[i];
            buffer.resize(count);  // keeps its capacity; fresh pages cost more than the copy
            std::copy(from, from + count, buffer.data());
            d.values[i] = buffer;
        } else {
            d.values[i] = QVector<double>(from, from + count);
        }
    }
    if (data.numberedFrom > 0)
        d.numberedFrom = data.numberedFrom + firstPoint;
    else
        d.rowLabels = data.rowLabels.mid(firstPoint, count);
    return d;
}

void applyComparisonData(chartcomponent::ChartView& chart, const ComparisonData& d)
{
    if (d.seriesCount == 0) {
        // No compared column: five empty series over one empty point, nothing left of a drawing before.
        chart.setColumnCount(kMaxComparedColumns);
        chart.setRowCount(1);
        for (int i = 1; i <= kMaxComparedColumns; ++i)
            chart.setColumnValues(i, QVector<double>(1, std::numeric_limits<double>::quiet_NaN()));
        chart.setRowLabels(QStringList(QString()));
    } else {
        // Emptied first: resizing would copy the old columns only to replace them.
        chart.setColumnCount(0);
        chart.setRowCount(0);
        chart.setColumnCount(d.seriesCount);
        chart.setRowCount(d.rowCount);
        for (int i = 0; i < d.seriesCount; ++i) {
            chart.setColumn(i + 1);
            if (!d.seriesLabels[i].isEmpty()) chart.setColumnLabel(d.seriesLabels[i]);
            chart.setSeriesHidden(i + 1, false);
            chart.setColumnValues(i + 1, d.values[i]);
        }
        if (d.numberedFrom > 0)
            chart.setRowNumberLabels(d.numberedFrom);
        else
            chart.setRowLabels(d.rowLabels);
    }
    chart.setTitleText(d.title);
    chart.setAxisTitle(0, d.xAxisTitle);
    chart.setAxisTitle(1, d.yAxisTitle);
}

bool loadComparisonLook(chartcomponent::ChartView& chart, const chart::ProgramState& state, const QString& path)
{
    try {
        chart.loadSettings(path);
        return true;
    } catch (const chartcomponent::ChartError& error) {
        // A missing or unreadable template: the chart keeps its current look; the user is told which file.
        if (state.showNote) state.showNote(chart::lookUnreadableText(state.language, QString::fromUtf8(error.what())));
        return false;
    }
}

QString drawComparison(chartcomponent::ChartView& chart, const chart::ProgramState& state,
                       std::int32_t startRow, std::int32_t endRow)
{
    const QString templatePath = comparisonTemplatePath(state);
    loadComparisonLook(chart, state, templatePath);
    applyComparisonData(chart, buildComparisonData(state, startRow, endRow));
    return templatePath;
}

}  // namespace compare
