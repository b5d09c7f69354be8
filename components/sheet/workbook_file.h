// The native workbook file (".vts" data workbooks, ".def" templates): a
// line-oriented UTF-8 text format of our own, readable in a diff. The format
// is described in docs/workbook-format.md.
#pragma once

#include "components/sheet/workbook_data.h"

#include <QString>

namespace sheet {

// Reads a native workbook. Throws SheetError naming the file, the line and
// the reason when the file cannot be opened or is not a complete, well-formed
// native workbook. Formula texts are checked only for their leading "=";
// parsing them is left to the caller. Cells come back in row-major order.
// Sheets hold at most 1,048,576 rows and 16,384 columns (A..XFD).
WorkbookData readNativeWorkbook(const QString& path);

// Writes `data` as a native workbook, replacing `path` atomically. Throws
// SheetError("cannot write <path>: <reason>") on failure; the old file then
// stays as it was.
void writeNativeWorkbook(const QString& path, const WorkbookData& data);

// True when the file starts with the native workbook's magic line.
bool isNativeWorkbookFile(const QString& path);

}  // namespace sheet
