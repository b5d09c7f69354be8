// Cell storage of one sheet: column-oriented and sparse by column. Each column
// keeps a value slot (double) and a kind byte per row up to its last used row,
// its formulas as runs of rows sharing one compiled formula, and its number
// formats as runs. Texts live in a per-sheet pool indexed from the value slot;
// error codes sit in the value slot too. A million formula rows cost about
// nine bytes per cell.
#pragma once

#include "components/sheet/big_block_allocator.h"
#include "components/sheet/formula.h"
#include "components/sheet/run_list.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace sheet {

// Kind byte of a stored cell. Formula cells carry kFormulaFlag plus the kind
// of their cached result.
enum StoredKind : std::uint8_t {
    KindEmpty = 0,
    KindNumber = 1,
    KindText = 2,       // value slot: index into the sheet's text pool
    KindBoolean = 3,    // value slot: 0 or 1
    KindError = 4,      // value slot: ErrorCode
    KindEmptyText = 5,  // the empty text "" (a formula result or a stored text)
};
inline constexpr std::uint8_t kFormulaFlag = 0x80;
inline constexpr std::uint8_t kKindMask = 0x7f;

// What filling down from a cell of kind `sourceKind` stores in each filled
// cell: a formula cell starts as an uncalculated number, a constant is copied.
inline std::uint8_t filledKind(std::uint8_t sourceKind)
{
    return sourceKind & kFormulaFlag ? static_cast<std::uint8_t>(kFormulaFlag | KindNumber) : sourceKind;
}
inline double filledValue(std::uint8_t sourceKind, double sourceValue)
{
    return (sourceKind & kFormulaFlag) || sourceKind == KindEmpty ? 0.0 : sourceValue;
}

struct Column {
    std::vector<double, BigBlockAllocator<double>> values;              // index = row; row 0 unused
    std::vector<std::uint8_t, BigBlockAllocator<std::uint8_t, false>> kinds;   // same length as values
    RunList<FormulaPtr> formulas;
    RunList<int> formats;              // index into the workbook's format table

    // One past the last row that has storage (0 when none).
    int extent() const { return static_cast<int>(kinds.size()); }
    std::uint8_t kind(int row) const { return row < extent() ? kinds[static_cast<size_t>(row)] : static_cast<std::uint8_t>(KindEmpty); }
    double value(int row) const { return row < extent() ? values[static_cast<size_t>(row)] : 0.0; }
    // Makes storage for `row` and gives its slots.
    void ensure(int row)
    {
        if (row >= extent()) {
            values.resize(static_cast<size_t>(row) + 1, 0.0);
            kinds.resize(static_cast<size_t>(row) + 1, KindEmpty);
        }
    }
    // Drops trailing empty rows so extent() - 1 is the last used row.
    void trim()
    {
        size_t n = kinds.size();
        while (n > 1 && kinds[n - 1] == KindEmpty) --n;
        if (n == 1) n = 0;
        if (n != kinds.size()) {
            kinds.resize(n);
            values.resize(n);
        }
    }
};

class Sheet {
public:
    QString name;
    std::vector<Column> columns;   // index = column - 1
    std::vector<QString> texts;    // text pool

    Column* column(int col)
    {
        return col >= 1 && col <= static_cast<int>(columns.size()) ? &columns[static_cast<size_t>(col) - 1] : nullptr;
    }
    const Column* column(int col) const
    {
        return col >= 1 && col <= static_cast<int>(columns.size()) ? &columns[static_cast<size_t>(col) - 1] : nullptr;
    }
    Column& ensureColumn(int col)
    {
        if (col > static_cast<int>(columns.size())) columns.resize(static_cast<size_t>(col));
        return columns[static_cast<size_t>(col) - 1];
    }

    std::uint8_t kind(int row, int col) const
    {
        const Column* c = column(col);
        return c ? c->kind(row) : static_cast<std::uint8_t>(KindEmpty);
    }

    int addText(const QString& text)
    {
        texts.push_back(text);
        return static_cast<int>(texts.size()) - 1;
    }

    // Stores a constant (not a formula) in a cell; removes a formula there.
    void setConstant(int row, int col, std::uint8_t kind, double value)
    {
        Column& c = ensureColumn(col);
        if (c.kind(row) & kFormulaFlag) c.formulas.erase(row, row);
        if (kind == KindEmpty) {
            if (row < c.extent()) {
                c.kinds[static_cast<size_t>(row)] = KindEmpty;
                c.values[static_cast<size_t>(row)] = 0.0;
                if (row == c.extent() - 1) c.trim();
            }
            return;
        }
        c.ensure(row);
        c.kinds[static_cast<size_t>(row)] = kind;
        c.values[static_cast<size_t>(row)] = value;
    }

    int lastRow() const
    {
        int last = 0;
        for (const Column& c : columns) last = std::max(last, c.extent() - 1);
        return last;
    }
    int lastCol() const
    {
        for (int i = static_cast<int>(columns.size()); i >= 1; --i)
            if (columns[static_cast<size_t>(i) - 1].extent() > 0) return i;
        return 0;
    }
    bool hasFormulas() const
    {
        for (const Column& c : columns)
            if (!c.formulas.empty()) return true;
        return false;
    }
};

}  // namespace sheet
