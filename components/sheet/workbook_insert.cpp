// Inserting whole rows or columns. Cells below (right of) the insertion move;
// every formula reference and defined name follows the cells it points at:
// a reference is made absolute against the formula's old position, moved when
// its target moved, and re-encoded against the formula's new position; a
// range that starts before the insertion and ends at or after it grows.
//
// A filled-down block shares one formula, but after an insertion its rows may
// need different relative offsets (the rows whose target lies across the
// insertion point). The block is cut where that changes, and each piece gets
// its adjusted formula; pieces that still agree keep sharing one.
#include "components/sheet/workbook.h"

#include <algorithm>

namespace sheet {

namespace {

struct Shift {
    int at;
    int count;
    int moved(int position) const { return position >= at ? position + count : position; }
};

// The axis of a reference that the insertion acts on.
RefAxis& axisOf(CellRef& ref, bool columns) { return columns ? ref.col : ref.row; }
const RefAxis& axisOf(const CellRef& ref, bool columns) { return columns ? ref.col : ref.row; }

void reencode(RefAxis& axis, int target, int newPosition)
{
    axis.value = axis.absolute ? target : target - newPosition;
}

// The formula adjusted for the cell at `position` on the shifted axis; the
// same pointer when nothing changes.
FormulaPtr adjusted(const FormulaPtr& formula, int position, const Shift& shift, bool columns)
{
    const int newPosition = shift.moved(position);
    std::vector<CellRef> refs = formula->refs;
    for (const Token& t : formula->code) {
        if (t.op == Op::Ref) {
            RefAxis& axis = axisOf(refs[static_cast<size_t>(t.index)], columns);
            const int target = axis.resolve(position);
            if (target < 1) continue;  // already off the sheet
            reencode(axis, shift.moved(target), newPosition);
        } else if (t.op == Op::Range) {
            RefAxis& a = axisOf(refs[static_cast<size_t>(t.index)], columns);
            RefAxis& b = axisOf(refs[static_cast<size_t>(t.index) + 1], columns);
            int ta = a.resolve(position), tb = b.resolve(position);
            if (std::min(ta, tb) < 1) continue;
            const int low = std::min(ta, tb), high = std::max(ta, tb);
            if (low >= shift.at) {
                ta += shift.count;
                tb += shift.count;
            } else if (high >= shift.at) {
                // The range spans the insertion point: its far end grows.
                (ta == high ? ta : tb) += shift.count;
            }
            reencode(a, ta, newPosition);
            reencode(b, tb, newPosition);
        }
    }
    if (refs == formula->refs) return formula;
    auto copy = std::make_shared<Formula>(*formula);
    copy->refs = std::move(refs);
    return copy;
}

// Rows (or columns) at which a cell's adjusted formula can change: the
// insertion point itself and, per relative reference, the position whose
// target is the insertion point.
std::vector<int> cutPoints(const Formula& formula, const Shift& shift, bool columns)
{
    std::vector<int> cuts{shift.at};
    for (const CellRef& ref : formula.refs) {
        const RefAxis& axis = axisOf(ref, columns);
        if (!axis.absolute) cuts.push_back(shift.at - axis.value);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

// New formula runs of one column for a row insertion.
void shiftFormulaRowsOfColumn(Column& column, const Shift& shift)
{
    RunList<FormulaPtr>::Runs result;
    for (const Run<FormulaPtr>& run : column.formulas.runs()) {
        const std::vector<int> cuts = cutPoints(*run.value, shift, false);
        FormulaPtr previous;
        int start = run.first;
        auto emitPiece = [&](int first, int last) {
            FormulaPtr f = adjusted(run.value, first, shift, false);
            if (previous && f != previous && f->sameAs(*previous)) f = previous;
            previous = f;
            result.push_back(Run<FormulaPtr>{shift.moved(first), shift.moved(last), f});
        };
        for (int cut : cuts) {
            if (cut > start && cut <= run.last) {
                emitPiece(start, cut - 1);
                start = cut;
            }
        }
        emitPiece(start, run.last);
    }
    column.formulas.runs().swap(result);
    column.formulas.normalize();
}

void shiftFormatRuns(RunList<int>& formats, const Shift& shift)
{
    for (Run<int>& run : formats.runs()) {
        if (run.first >= shift.at) {
            run.first += shift.count;
            run.last += shift.count;
        } else if (run.last >= shift.at) {
            run.last += shift.count;
        }
    }
}

void shiftName(NameSlot& name, const Shift& shift, bool columns)
{
    int& low = columns ? name.col1 : name.row1;
    int& high = columns ? name.col2 : name.row2;
    if (low >= shift.at) {
        low += shift.count;
        high += shift.count;
    } else if (high >= shift.at) {
        high += shift.count;
    }
}

}  // namespace

void Workbook::insert(Sheet& s, int at, int count, bool columns)
{
    if (!columns) {
        insertRows(s, at, count, 1, 0);
        return;
    }
    if (count <= 0 || at < 1) return;
    const Shift shift{at, count};
    const int lastCol = s.lastCol();
    if (lastCol >= at && lastCol + count > kMaxCols)
        throw SheetError(QStringLiteral("Cannot insert %1 columns: cells would move past column %2")
                             .arg(count)
                             .arg(kMaxCols));
    // Every cell of a column run sits in the same column, so one adjusted
    // formula per run serves all its rows.
    for (size_t i = 0; i < s.columns.size(); ++i) {
        const int col = static_cast<int>(i) + 1;
        for (Run<FormulaPtr>& run : s.columns[i].formulas.runs())
            run.value = adjusted(run.value, col, shift, true);
    }
    if (static_cast<int>(s.columns.size()) >= at)
        s.columns.insert(s.columns.begin() + (at - 1), static_cast<size_t>(count), Column());
    shiftNames(s, at, count, true);
}

void Workbook::insertRows(Sheet& s, int at, int count, int fillCol1, int fillCol2)
{
    if (count <= 0 || at < 1) return;
    const Shift shift{at, count};
    for (const Column& c : s.columns) {
        const int last = c.extent() - 1;
        if (last >= at && last + count > kMaxRows)
            throw SheetError(QStringLiteral("Cannot insert %1 rows: cells would move past row %2")
                                 .arg(count)
                                 .arg(kMaxRows));
    }
    for (size_t i = 0; i < s.columns.size(); ++i) {
        Column& c = s.columns[i];
        const int col = static_cast<int>(i) + 1;
        if (c.extent() > at) {
            // The new rows are created holding what they will hold: empty
            // cells, or the fill of the row above them.
            std::uint8_t kind = KindEmpty;
            double value = 0.0;
            if (col >= fillCol1 && col <= fillCol2) {
                kind = filledKind(c.kind(at - 1));
                value = filledValue(c.kind(at - 1), c.value(at - 1));
            }
            c.kinds.insert(c.kinds.begin() + at, static_cast<size_t>(count), kind);
            c.values.insert(c.values.begin() + at, static_cast<size_t>(count), value);
        }
        shiftFormulaRowsOfColumn(c, shift);
        shiftFormatRuns(c.formats, shift);
    }
    shiftNames(s, at, count, false);
}

void Workbook::shiftNames(const Sheet& s, int at, int count, bool columns)
{
    int sheetIndex = 0;
    for (int i = 0; i < sheetCount(); ++i)
        if (&sheet(i) == &s) sheetIndex = i;
    for (int i = 0; i < m_names.size(); ++i) {
        NameSlot& name = m_names.slot(i);
        if (name.defined && name.sheet == sheetIndex) shiftName(name, Shift{at, count}, columns);
    }
    m_dirty = true;
}

void Workbook::shiftCells(Sheet&, const Range&, bool)
{
    throw SheetError(QStringLiteral("Shifting part of a sheet is not supported; insert whole rows or columns"));
}

}  // namespace sheet
