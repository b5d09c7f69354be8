// A plain snapshot of a workbook's content: what the file readers produce and
// the file writers consume. Spreadsheet::read() parses a file into this, checks it
// whole, and only then replaces the book's content, so a bad file never
// half-loads.
#pragma once

#include "components/sheet/sheet_types.h"

#include <QString>
#include <algorithm>
#include <numeric>
#include <vector>

namespace sheet {

struct CellData {
    int row = 0;              // one-based
    int col = 0;              // one-based
    CellKind kind = CellKind::Empty;
    double number = 0.0;      // Number, Boolean (0/1)
    QString text;             // Text: the text; Formula: the formula text with "="
    ErrorCode error = ErrorCode::None;
    QString format;           // number format code; empty means General
};

struct DefinedNameData {
    QString name;
    QString definition;       // "$E$4", "$E$16:$E$17"
};

struct SheetData {
    QString name;
    std::vector<CellData> cells;  // row-major order (row, then column)
};

struct WorkbookData {
    std::vector<SheetData> sheets;   // at least one
    std::vector<DefinedNameData> names;
};

// Indices of the cells in row-major order (row, then column), for writers
// that must visit cells in that order even when a snapshot is not sorted.
inline std::vector<size_t> rowMajorOrder(const std::vector<CellData>& cells)
{
    std::vector<size_t> order(cells.size());
    std::iota(order.begin(), order.end(), size_t(0));
    auto before = [&cells](size_t a, size_t b) {
        return cells[a].row != cells[b].row ? cells[a].row < cells[b].row : cells[a].col < cells[b].col;
    };
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::stable_sort(order.begin(), order.end(), before);
    return order;
}

}  // namespace sheet
