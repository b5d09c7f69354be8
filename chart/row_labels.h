// The x labels of one fill's data rows (computation grid rows 16 on), each
// formatted when the chart asks for it: an axis shows a few dozen labels of a
// million rows, so a fill no longer makes a text per row. With an x column a
// label is the import grid's displayed text in that column of the import row
// held in column A; otherwise column A's displayed text.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ProgramState;

class RowLabels {
public:
    RowLabels() = default;
    // With an x column, reads the import rows of column A once; throws
    // sheet::SheetError when one of them is not a row number. The grids must
    // outlive every copy.
    RowLabels(const sheet::Spreadsheet& computationGrid, std::int32_t lastComputationRow, const ProgramState& state);

    int count() const { return m_count; }
    int xColumn() const { return m_xColumn; }
    // The label of data row `index` (0 is grid row 16); empty outside 0..count() - 1.
    // Never throws, so the chart may ask while it paints.
    QString label(int index) const;
    QStringList all() const;

private:
    const sheet::Spreadsheet* m_computationGrid = nullptr;
    const sheet::Spreadsheet* m_importGrid = nullptr;
    int m_xColumn = 0;
    int m_count = 0;
    // The import row of each data row, read when there is an x column; shared
    // by the copies the chart keeps.
    std::shared_ptr<const std::vector<std::int32_t>> m_importRows;
};

}  // namespace chart
