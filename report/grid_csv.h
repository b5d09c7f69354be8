// The computation grid as comma-separated text for scripts: numbers in the
// shortest form that reads back exactly with "." as the decimal point, texts
// as they stand, errors by name, empty cells empty, RFC 4180 quoting.
#pragma once

#include <QString>

namespace sheet { class Spreadsheet; }

namespace report {

// Rows 1..lastRow, columns 1..lastColumn. Throws sheet::SheetError naming the
// file when it cannot be written.
void writeGridCsv(const sheet::Spreadsheet& grid, int lastRow, int lastColumn, const QString& path);

}  // namespace report
