// Writes one sheet as delimited text (comma-separated or tab-separated):
// the text each cell shows, RFC 4180 quoting, UTF-8, CR LF line ends.
#pragma once

#include "components/sheet/workbook_data.h"

#include <QChar>
#include <QString>
#include <functional>

namespace sheet {

// The text a cell shows; the writer asks it once for every non-empty cell.
using CellTextFunction = std::function<QString(const CellData&)>;

// The text a stored cell shows on its own: numbers (and a formula's cached
// number) in the cell's number format with `decimalSeparator`, texts as they
// are, booleans as TRUE/FALSE, errors by name.
QString storedCellText(const CellData& cell, QChar decimalSeparator);

// The most cells the rectangle of a text file may span. Every cell of the
// rectangle costs at least its separator, so a sheet holding A1 and a cell far
// down and right would otherwise write gigabytes of empty fields.
inline constexpr long long kMaxTextFileCells = 100'000'000;

// Writes the rectangle from A1 to the sheet's last used row and column, one
// line per row, every line with the same number of fields. A rectangle of
// more than kMaxTextFileCells cells is refused before anything is written. A field holding
// the separator, a double quote, CR or LF is enclosed in double quotes, with
// its quotes doubled. Replaces `path` atomically; throws
// SheetError("cannot write <path>: <reason>") on failure.
void writeCsv(const QString& path, const SheetData& sheet, QChar separator,
              const CellTextFunction& cellText);

// The same with storedCellText() as the cell text.
void writeCsv(const QString& path, const SheetData& sheet, QChar separator,
              QChar decimalSeparator);

// One field quoted as writeCsv() quotes it.
QString csvField(const QString& text, QChar separator);

}  // namespace sheet
