// Writes a workbook as an ".xlsx" file through libxlsxwriter, so the
// statistics and the imported data open in the common desktop spreadsheets.
#pragma once

#include "components/sheet/workbook_data.h"

#include <QString>

namespace sheet {

// Writes every sheet with its name: numbers, texts, booleans, formulas with
// their cached numeric results (CellData::number), number formats and the
// defined names (a definition without a sheet refers to the first sheet).
// Error cells are written as the text of their name ("#DIV/0!"), since the
// format has no plain error value outside a formula. Replaces `path`
// atomically; throws SheetError naming the file and the library's reason.
void writeXlsx(const QString& path, const WorkbookData& data);

}  // namespace sheet
