// The selection of a grid as the user made it: an ordered list of rectangular
// ranges. A plain click starts a new list, Ctrl adds a range at the end, Shift
// reshapes the last range from its anchor, and a header click takes whole
// columns (or rows). Item views keep their selection as an unordered set of
// cells, so the order the chart commands rely on is kept here instead.
// Widget-free: the view feeds it gestures and shows what it holds.
#pragma once

#include "components/sheet/sheet_types.h"

#include <QVector>

namespace sheetview {

// One range, one-based and inclusive. For whole columns the rows are
// meaningless (and for whole rows the columns): they cover the sheet's extent,
// which is only known when the ranges are reported.
struct SelectionRange {
    int row1 = 1, col1 = 1, row2 = 1, col2 = 1;
    bool wholeColumns = false;
    bool wholeRows = false;
    bool operator==(const SelectionRange&) const = default;
};

class RangeTracker {
public:
    // How a press relates to the ranges already made.
    enum class Gesture {
        NewSelection,  // plain click: the list becomes this one range
        AddRange,      // Ctrl+click: a new range goes at the end
        ExtendLast,    // Shift+click: the last range spans from its anchor to here
    };

    void pressCell(int row, int col, Gesture gesture);
    void pressColumn(int col, Gesture gesture);
    void pressRow(int row, Gesture gesture);
    // The pointer moved on with the button down (or the cursor moved with
    // Shift): the last range spans from its anchor to here. For a column
    // gesture only col counts, for a row gesture only row.
    void dragTo(int row, int col);
    void selectAll();
    void clear();
    // Takes over a selection set by code (Spreadsheet::selectRange/setSelection).
    // A range with every bound -1 is the whole sheet.
    void adopt(const QVector<sheet::Range>& ranges);

    const QVector<SelectionRange>& ranges() const { return m_ranges; }
    bool isEmpty() const { return m_ranges.isEmpty(); }

    // The ranges as the program sees them, in the order they were made.
    // Whole columns are reported as rows 1..lastRow (at least row 1), whole
    // rows as columns 1..lastCol (at least column 1): the used area, not the
    // empty margin the view lets the user scroll into.
    QVector<sheet::Range> toBookRanges(int lastRow, int lastCol) const;

private:
    enum class Kind { Cells, Columns, Rows };
    void start(Kind kind, int row, int col, Gesture gesture);

    QVector<SelectionRange> m_ranges;
    Kind m_kind = Kind::Cells;
    int m_anchorRow = 1;
    int m_anchorCol = 1;
};

}  // namespace sheetview
