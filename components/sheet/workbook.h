// The implementation behind Spreadsheet: sheets, defined names, the number-format
// table, the selection, and the structural operations (insert, fill, clear)
// that keep formulas and names pointing at the cells they meant.
#pragma once

#include "components/sheet/name_table.h"
#include "components/sheet/sheet_store.h"
#include "components/sheet/sheet_types.h"

#include <QHash>
#include <QVector>
#include <memory>
#include <vector>

namespace sheet {

class Workbook {
public:
    Workbook();

    // --- sheets -------------------------------------------------------------
    int sheetCount() const { return static_cast<int>(m_sheets.size()); }
    Sheet& sheet(int index) { return *m_sheets[static_cast<size_t>(index)]; }
    const Sheet& sheet(int index) const { return *m_sheets[static_cast<size_t>(index)]; }
    int activeIndex() const { return m_active; }
    void setActiveIndex(int index) { m_active = index; }
    Sheet& active() { return sheet(m_active); }
    const Sheet& active() const { return sheet(m_active); }
    void setSheetCount(int count);

    // --- settings -----------------------------------------------------------
    QChar decimalSeparator = u'.';
    // Filled-down blocks are evaluated a chunk of rows at a time; off, every
    // cell is interpreted on its own (the reference the tests compare with).
    bool columnWiseEvaluation = true;
    QVector<Range> selection;

    // --- cells --------------------------------------------------------------
    void setConstant(Sheet& s, int row, int col, std::uint8_t kind, double value);
    void setText(Sheet& s, int row, int col, const QString& text);  // stored as text, as given
    void setFormula(Sheet& s, int row, int col, const QString& text);  // throws SheetError
    void setFormula(Sheet& s, int row, int col, const FormulaPtr& formula);
    // Compiled formula of a cell, or nullptr.
    FormulaPtr formulaAt(const Sheet& s, int row, int col) const;
    // Value of a cell (a formula's result, calculated first when needed).
    CellValue value(const Sheet& s, int row, int col);
    // The stored kind byte, with formulas calculated first.
    std::uint8_t calculatedKind(const Sheet& s, int row, int col);

    // --- formats ------------------------------------------------------------
    int formatIndex(const QString& format);  // 0 = General
    const QString& formatText(int index) const { return m_formats[static_cast<size_t>(index)]; }
    // Whether the cell shows its number in the General format.
    bool showsGeneral(const Sheet& s, int row, int col) const;
    QString numberFormat(const Sheet& s, int row, int col) const;
    void setNumberFormat(Sheet& s, const Range& range, const QString& format);

    // --- names --------------------------------------------------------------
    NameTable& names() { return m_names; }
    const NameTable& names() const { return m_names; }
    void defineName(const QString& name, const QString& definition);  // throws SheetError
    void removeName(const QString& name);

    // --- structure ----------------------------------------------------------
    void clear(Sheet& s, Range range, ClearKind kind);
    // Inserts `count` whole rows at `at` (or whole columns when `columns`).
    void insert(Sheet& s, int at, int count, bool columns);
    // Inserts `count` whole rows at `at` and fills row at - 1 down over them
    // in columns col1..col2: the cells insert() then fillDown() would give,
    // but each new cell's storage is written once instead of cleared first.
    void insertFilledRows(Sheet& s, int at, int count, int col1, int col2);
    // Shifts the cells of the range's columns (down) or rows (right) only.
    void shiftCells(Sheet& s, const Range& range, bool down);
    void fillDown(Sheet& s, const Range& range);

    // --- calculation --------------------------------------------------------
    void markDirty() { m_dirty = true; }
    bool dirty() const { return m_dirty; }
    void recalculate();
    void ensureCalculated()
    {
        if (m_dirty) recalculate();
    }

private:
    // Row insertion; columns col1..col2 (none when fillCol1 > fillCol2) get
    // the fill of row at - 1 instead of empty cells where they have storage.
    void insertRows(Sheet& s, int at, int count, int fillCol1, int fillCol2);
    // fillDown of one column; storage of rows beyond `written` (the last row
    // already holding the fill, or less) is written here.
    static void fillColumnDown(Column& c, int row1, int row2, int written);
    // Moves the sheet's defined names for an insertion of `count` rows or
    // columns at `at`.
    void shiftNames(const Sheet& s, int at, int count, bool columns);

    std::vector<std::unique_ptr<Sheet>> m_sheets;
    int m_active = 0;
    NameTable m_names;
    std::vector<QString> m_formats;   // [0] = "General"
    QHash<QString, int> m_formatIndex;
    bool m_dirty = false;
};

}  // namespace sheet
