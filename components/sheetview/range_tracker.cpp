// Gesture bookkeeping for the ordered selection of a grid.
#include "components/sheetview/range_tracker.h"

#include <algorithm>

namespace sheetview {

namespace {

SelectionRange spanning(int rowA, int colA, int rowB, int colB)
{
    SelectionRange r;
    r.row1 = std::min(rowA, rowB);
    r.row2 = std::max(rowA, rowB);
    r.col1 = std::min(colA, colB);
    r.col2 = std::max(colA, colB);
    return r;
}

}  // namespace

void RangeTracker::pressCell(int row, int col, Gesture gesture)
{
    start(Kind::Cells, row, col, gesture);
}

void RangeTracker::pressColumn(int col, Gesture gesture)
{
    start(Kind::Columns, 1, col, gesture);
}

void RangeTracker::pressRow(int row, Gesture gesture)
{
    start(Kind::Rows, row, 1, gesture);
}

void RangeTracker::start(Kind kind, int row, int col, Gesture gesture)
{
    if (gesture == Gesture::ExtendLast && !m_ranges.isEmpty()) {
        // Shift keeps the anchor of the last range; a Shift+header click after a
        // cell range turns the range into whole columns (rows) from the anchor.
        m_kind = kind;
        dragTo(row, col);
        return;
    }
    if (gesture != Gesture::AddRange)
        m_ranges.clear();
    m_kind = kind;
    m_anchorRow = row;
    m_anchorCol = col;
    m_ranges.append(SelectionRange{});
    dragTo(row, col);
}

void RangeTracker::dragTo(int row, int col)
{
    if (m_ranges.isEmpty())
        return;
    SelectionRange& last = m_ranges.last();
    switch (m_kind) {
    case Kind::Cells:
        last = spanning(m_anchorRow, m_anchorCol, row, col);
        break;
    case Kind::Columns:
        last = spanning(1, m_anchorCol, 1, col);
        last.wholeColumns = true;
        break;
    case Kind::Rows:
        last = spanning(m_anchorRow, 1, row, 1);
        last.wholeRows = true;
        break;
    }
}

void RangeTracker::selectAll()
{
    SelectionRange all;
    all.wholeColumns = true;
    all.wholeRows = true;
    m_ranges = {all};
    m_kind = Kind::Cells;
    m_anchorRow = 1;
    m_anchorCol = 1;
}

void RangeTracker::clear()
{
    m_ranges.clear();
    m_kind = Kind::Cells;
}

void RangeTracker::adopt(const QVector<sheet::Range>& ranges)
{
    m_ranges.clear();
    m_kind = Kind::Cells;
    for (const sheet::Range& r : ranges) {
        if (r.row1 == -1 && r.col1 == -1 && r.row2 == -1 && r.col2 == -1) {
            SelectionRange all;
            all.wholeColumns = true;
            all.wholeRows = true;
            m_ranges.append(all);
            continue;
        }
        // Clamp to the sheet so that a bad range from code cannot reach the view as a
        // negative index.
        m_ranges.append(spanning(std::max(r.row1, 1), std::max(r.col1, 1),
                                 std::max(r.row2, 1), std::max(r.col2, 1)));
        m_anchorRow = std::max(r.row1, 1);
        m_anchorCol = std::max(r.col1, 1);
    }
}

QVector<sheet::Range> RangeTracker::toBookRanges(int lastRow, int lastCol) const
{
    const int rows = std::max(lastRow, 1);
    const int cols = std::max(lastCol, 1);
    QVector<sheet::Range> out;
    out.reserve(m_ranges.size());
    for (const SelectionRange& r : m_ranges) {
        sheet::Range b{r.row1, r.col1, r.row2, r.col2};
        if (r.wholeColumns) {
            b.row1 = 1;
            b.row2 = rows;
        }
        if (r.wholeRows) {
            b.col1 = 1;
            b.col2 = cols;
        }
        out.append(b);
    }
    return out;
}

}  // namespace sheetview
