// Chart kind drawing against the chart component; see chart_kind_draw.h.
#include "chart/chart_kind_draw.h"

#include "components/chart/chart_error.h"
#include "components/chart/chart_view.h"
#include "chart/program_state.h"
#include "chart/shared_texts.h"

namespace chart {

namespace {

constexpr int kCategoryAxis = 0;
constexpr int kValueAxis = 1;

}  // namespace

void applyChartKindData(chartcomponent::ChartView& chart, const ChartKindData& data)
{
    chart.setColumnCount(kChartSeriesCount);
    chart.setRowCount(data.rowCount);
    // The same chart may have shown the capability chart: categories again, no note.
    chart.setRowPositions({}, 0);
    chart.setNoteText(QString());
    for (int s = 0; s < kChartSeriesCount; ++s) {
        if (!data.seriesUsed[s])
            continue;  // the series keeps whatever it held; the kind takes it out
        chart.setColumn(s + 1);
        chart.setSeriesColumn(s + 1);
        chart.setColumnValues(s + 1, data.values[s]);
    }
    chart.setRowLabelSource([labels = data.rowLabels](int row) { return labels.label(row - 1); });
    for (int s = 0; s < kChartSeriesCount; ++s) {
        if (!data.seriesUsed[s])
            continue;
        chart.setColumn(s + 1);
        chart.setColumnLabel(data.seriesLabels[s]);
    }
    for (const SeriesPositionRule& rule : data.positions) {
        chart.setSeriesExcluded(rule.series, rule.excluded);
        if (rule.hidden)
            chart.setSeriesHidden(rule.series, *rule.hidden);
        chart.setSeriesOrder(rule.series, rule.series);
        chart.setSeriesStackOrder(rule.series, rule.series);
    }
    chart.setTitleText(data.title);
    chart.setAxisTitle(kCategoryAxis, data.xAxisTitle);
    chart.setAxisTitle(kValueAxis, data.yAxisTitle);

    if (!chart.valueScaleAuto() && data.scaleMinimum && data.scaleMaximum)
        chart.setValueScale(*data.scaleMinimum, *data.scaleMaximum, data.majorDivisions, data.minorDivisions);
}

QString drawChartKind(ChartKind kind, chartcomponent::ChartView& chart, const sheet::Spreadsheet& computationGrid,
                      std::int32_t lastComputationRow, const ProgramState& state,
                      const RowLabels* rowLabels)
{
    const QString templatePath = chartTemplatePath(state);
    try {
        chart.loadSettings(templatePath);
    } catch (const chartcomponent::ChartError& error) {
        // A missing or unreadable template: the chart keeps the look it had; the user is told which file.
        if (state.showNote) state.showNote(lookUnreadableText(state.language, QString::fromUtf8(error.what())));
    }
    const ChartKindData data = buildChartKindData(kind, computationGrid, lastComputationRow, state, rowLabels);
    applyChartKindData(chart, data);
    return templatePath;
}

}  // namespace chart
