// The control chart run shared by the window and the report; see chart_run.h.
#include "chart/chart_run.h"

#include "chart/chart_kind_draw.h"
#include "chart/copy_statistics.h"
#include "chart/program_state.h"

namespace chart {

ChartRun::ChartRun(sheet::Spreadsheet& computationGrid, const ProgramState& state)
    : m_computationGrid(computationGrid), m_state(state)
{
}

FillResult ChartRun::fill(std::int32_t startRow, std::int32_t endRow)
{
    m_rowLabelsValid = false;
    const FillResult result = ComputationFill::run(m_computationGrid, m_state, startRow, endRow);
    m_lastComputationRow = result.lastComputationRow;
    return result;
}

QString ChartRun::draw(ChartKind kind, chartcomponent::ChartView& chart)
{
    if (!m_rowLabelsValid || m_rowLabelsXColumn != m_state.job.xColumn) {
        m_rowLabels = buildRowLabels(m_computationGrid, m_lastComputationRow, m_state);
        m_rowLabelsXColumn = m_state.job.xColumn;
        m_rowLabelsValid = true;
    }
    m_chartTemplatePath = drawChartKind(kind, chart, m_computationGrid, m_lastComputationRow, m_state, &m_rowLabels);
    m_shownKind = kind;
    return m_chartTemplatePath;
}

void ChartRun::copyStatistics()
{
    if (m_state.statisticsGrid != nullptr)
        chart::copyStatistics(m_computationGrid, *m_state.statisticsGrid, m_state);
}

}  // namespace chart
