// Cell sinks; see cell_sink.h.
#include "import/cell_sink.h"

#include "import/workbook_limits.h"

#include "components/sheet/cell_address.h"

#include <QLocale>

namespace dataimport {

QString limitMessage(const QString& what, qint64 asked, qint64 limit)
{
    const QLocale c(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("the file asks for %1 %2; at most %3 are read")
        .arg(c.toString(asked), what, c.toString(limit));
}

void CellSink::beginSheet(const QString& name)
{
    if (m_sheets >= kMaxSheets) throw WorkbookReadError{limitMessage(QStringLiteral("sheets"), m_sheets + 1, kMaxSheets)};
    if (name.size() > kMaxNameLength)
        throw WorkbookReadError{limitMessage(QStringLiteral("characters in a sheet name"), name.size(), kMaxNameLength)};
    ++m_sheets;
    sheetStarted(name);
}

void CellSink::requireRoomFor(qint64 count) const
{
    if (count > kMaxWorkbookCells - m_cells)
        throw WorkbookReadError{limitMessage(QStringLiteral("cells"), m_cells + count, kMaxWorkbookCells)};
}

void CellSink::addCell(const sheet::CellData& cell)
{
    if (m_sheets == 0) throw WorkbookReadError{QStringLiteral("a cell lies outside every sheet")};
    if (cell.row < 1 || cell.row > sheet::kMaxRows || cell.col < 1 || cell.col > sheet::kMaxCols)
        throw WorkbookReadError{QStringLiteral("a cell lies outside the sheet (row %1, column %2)").arg(cell.row).arg(cell.col)};
    if (cell.text.size() > kMaxTextLength)
        throw WorkbookReadError{limitMessage(QStringLiteral("characters in one cell"), cell.text.size(), kMaxTextLength)};
    requireRoomFor(1);
    ++m_cells;
    cellRead(cell);
}

void WorkbookCollector::sheetStarted(const QString& name)
{
    m_book.sheets.push_back(sheet::SheetData{name, {}});
}

void WorkbookCollector::cellRead(const sheet::CellData& cell)
{
    m_book.sheets.back().cells.push_back(cell);
}

sheet::WorkbookData WorkbookCollector::take()
{
    for (sheet::SheetData& s : m_book.sheets) {
        std::vector<sheet::CellData>& cells = s.cells;
        auto before = [](const sheet::CellData& a, const sheet::CellData& b) {
            return a.row != b.row ? a.row < b.row : a.col < b.col;
        };
        // Writers store rows in order, so this is almost always a check only.
        if (!std::is_sorted(cells.begin(), cells.end(), before)) std::stable_sort(cells.begin(), cells.end(), before);
        // A cell stored twice keeps its last value.
        size_t kept = 0;
        for (size_t i = 0; i < cells.size(); ++i) {
            if (kept > 0 && cells[kept - 1].row == cells[i].row && cells[kept - 1].col == cells[i].col) {
                cells[kept - 1] = std::move(cells[i]);
            } else {
                if (kept != i) cells[kept] = std::move(cells[i]);
                ++kept;
            }
        }
        cells.resize(kept);
    }
    sheet::WorkbookData out = std::move(m_book);
    m_book = {};
    return out;
}

}  // namespace dataimport
