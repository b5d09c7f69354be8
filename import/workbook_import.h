// Reads a workbook file into the import grid: the native ".vts" through the
// grid itself, ".xls", ".xlsx" and ".ods" through the foreign readers. A
// workbook that cannot be read leaves the grid as it was and says why.
#pragma once

#include <QString>

namespace sheet { class Spreadsheet; }

namespace dataimport {

enum class WorkbookKind { Native, Xls, Xlsx, Ods };

// Empty on success; otherwise the reason, naming the file.
QString importWorkbook(const QString& path, WorkbookKind kind, sheet::Spreadsheet& grid);

}  // namespace dataimport
