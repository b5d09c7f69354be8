// The import command of the main window ("Neu Lesen", file choice, file
// drop, a change of the file-name box): reads the named data file into the
// import grid, as a workbook or as delimited text by its extension, and says
// how many rows it read; the caller passes that on to the chart job.
#pragma once

#include "import/import_fields.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace sheet { class Spreadsheet; }

namespace dataimport {

enum class DataFileKind { Text, NativeWorkbook, Xls, Xlsx, Ods };

// Extension of the lower-cased name: from the last "." behind the last path
// delimiter ("/", "\") or drive colon, dot included; empty when there is none.
QString dataFileExtension(const QString& fileName);
// ".vts", ".xls", ".xlsx" and ".ods" are workbooks; everything else is text.
DataFileKind dataFileKind(const QString& fileName);

struct ImportResult {
    enum class Status { Finished, Cancelled, Failed };
    Status status = Status::Finished;
    bool workbook = false;   // the workbook path was taken
    qint64 linesRead = 0;    // text files: lines read (also when stopped)
    QString errorText;       // Failed: file and reason, for the window to show
    // The last data row for the chart job; empty when the job's value should stay
    // as it was (a cancelled or failed import).
    std::optional<std::int32_t> lastDataRow;

    bool ok() const { return status == Status::Finished; }
};

// What the import needs besides the fields.
struct ImportEnvironment {
    sheet::Spreadsheet* scratchGrid = nullptr;  // evaluates "$C" column references; letters are read directly without it
    QChar decimalSeparator;                // null: the user's locale (platform::Platform)
};

// Workbook: read whole; on success lastDataRow is the grid's last row and the
// grid's formula display, edit bar and header editing are switched off; on
// failure nothing changes. Text: see importTextFile(); lastDataRow is the
// number of lines when the import finishes, empty after a cancel or a read
// error (the rows read so far stay in the grid).
ImportResult importFile(const QString& path, const ImportFields& fields, sheet::Spreadsheet& grid,
                        const ProgressCallback& progress = {},
                        const ImportEnvironment& environment = {});

}  // namespace dataimport
