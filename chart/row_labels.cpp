// The x labels of a fill, formatted on demand; see row_labels.h.
#include "chart/row_labels.h"

#include "chart/computation_fill.h"
#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"

#include <cmath>
#include <limits>

namespace chart {

namespace {

// The import row in column A of a data row, given the cell's number (NaN
// when it holds none): the fill writes it as a number; a text holding a whole
// number counts too.
std::int32_t importRowOf(const sheet::Spreadsheet& grid, int dataRow, double number)
{
    if (number == std::trunc(number) && number >= 0 && number <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(number);
    bool ok = false;
    const int row = grid.text(dataRow, 1).trimmed().toInt(&ok);
    if (!ok)
        throw sheet::SheetError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(grid.text(dataRow, 1)));
    return row;
}

}  // namespace

RowLabels::RowLabels(const sheet::Spreadsheet& computationGrid, std::int32_t lastComputationRow,
                     const ProgramState& state)
    : m_computationGrid(&computationGrid),
      m_count(lastComputationRow > kHeaderRow ? lastComputationRow - kHeaderRow : 0)
{
    if (state.job.xColumn <= 0 || state.importGrid == nullptr)
        return;
    m_importGrid = state.importGrid;
    m_xColumn = state.job.xColumn;
    std::vector<double> numbers(static_cast<size_t>(m_count));
    computationGrid.readNumbers(1, kFirstDataRow, m_count, numbers.data());
    auto rows = std::make_shared<std::vector<std::int32_t>>();
    rows->reserve(static_cast<size_t>(m_count));
    for (int i = 0; i < m_count; ++i)
        rows->push_back(importRowOf(computationGrid, kFirstDataRow + i, numbers[static_cast<size_t>(i)]));
    m_importRows = std::move(rows);
}

QString RowLabels::label(int index) const
{
    if (index < 0 || index >= m_count || m_computationGrid == nullptr)
        return QString();
    if (m_importRows)
        return m_importGrid->formattedText((*m_importRows)[static_cast<size_t>(index)], m_xColumn);
    return m_computationGrid->formattedText(kFirstDataRow + index, 1);
}

QStringList RowLabels::all() const
{
    QStringList labels;
    labels.reserve(m_count);
    for (int i = 0; i < m_count; ++i)
        labels.append(label(i));
    return labels;
}

}  // namespace chart
