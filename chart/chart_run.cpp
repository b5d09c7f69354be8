// The control chart run shared by the window and the report; see chart_run.h.
#include "chart/chart_run.h"

#include "chart/capability_block.h"
#include "chart/capability_chart.h"
#include "chart/chart_kind_draw.h"
#include "chart/copy_statistics.h"
#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"

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
    m_capabilityValues = std::make_shared<const std::vector<double>>(
        chart::capabilityValues(m_computationGrid, m_lastComputationRow, m_state.job, &m_capabilityColumns));
    m_normalityValid = false;
    m_normalityDeferred = false;
    return result;
}

QString ChartRun::draw(ChartKind kind, chartcomponent::ChartView& chart)
{
    if (!m_rowLabelsValid || m_rowLabelsXColumn != m_state.job.xColumn) {
        m_rowLabels = RowLabels(m_computationGrid, m_lastComputationRow, m_state);
        m_rowLabelsXColumn = m_state.job.xColumn;
        m_rowLabelsValid = true;
    }
    m_chartTemplatePath = drawChartKind(kind, chart, m_computationGrid, m_lastComputationRow, m_state, &m_rowLabels);
    m_shownKind = kind;
    m_capabilityShown = false;
    return m_chartTemplatePath;
}

QString ChartRun::drawCapability(chartcomponent::ChartView& chart)
{
    const QChar separator = m_state.statisticsGrid ? m_state.statisticsGrid->decimalSeparator() : QChar(u'.');
    const CapabilityChartData data = buildCapabilityChartData(*m_capabilityValues, capabilityFigures(), shownNormality(),
                                                              m_state.job.specificationLimits, m_state.language,
                                                              separator);
    m_chartTemplatePath = drawCapabilityChart(chart, data, m_state);
    m_capabilityShown = true;
    return m_chartTemplatePath;
}

void ChartRun::copyStatistics()
{
    if (m_state.statisticsGrid == nullptr)
        return;
    chart::copyStatistics(m_computationGrid, *m_state.statisticsGrid, m_state);
    writeCapabilityBlock(*m_state.statisticsGrid, capabilityFigures(), shownNormality(), m_state.job.specificationLimits,
                         m_state.language);
}

capability::CapabilityFigures ChartRun::capabilityFigures() const
{
    return capability::computeCapability(*m_capabilityValues, m_capabilityColumns, m_state.job.specificationLimits);
}

const capability::NormalityFigures& ChartRun::normality()
{
    if (!m_normalityValid)
        setNormality(capability::testNormality(*m_capabilityValues));
    return m_normality;
}

void ChartRun::setNormality(const capability::NormalityFigures& normality)
{
    m_normality = normality;
    m_normalityValid = true;
}

std::optional<capability::NormalityFigures> ChartRun::shownNormality()
{
    if (normalityDeferred())
        return std::nullopt;
    return normality();
}

void ChartRun::completeNormality(const capability::NormalityFigures& normality)
{
    setNormality(normality);
    if (m_state.statisticsGrid && capabilityNormalityPending(*m_state.statisticsGrid))
        writeCapabilityNormality(*m_state.statisticsGrid, normality, m_state.language);
}

}  // namespace chart
