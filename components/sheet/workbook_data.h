// A plain snapshot of a workbook's content: what the file readers produce and
// the file writers consume. Spreadsheet::read() parses a file into this, checks it
// whole, and only then replaces the book's content, so a bad file never
// half-loads.
#pragma once

#include "components/sheet/sheet_types.h"

#include <QString>
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

}  // namespace sheet
