// Reads a delimited text file into the import grid: one grid row per line,
// fields split at the separator, quotes stripped, numbers stored as numbers
// and everything else as text. The file is streamed, never held whole.
#pragma once

#include "import/import_fields.h"

#include <QChar>
#include <QString>

namespace sheet { class Spreadsheet; }

namespace dataimport {

struct TextImportOptions {
    QString separator;
    qint64 startColumn = 1;       // file column that lands in grid column 1
    qint64 endColumn = 99999;     // last file column taken
    QChar decimalSeparator = u'.';
};

struct TextImportOutcome {
    enum class Status { Finished, Cancelled, Failed };
    Status status = Status::Finished;
    qint64 linesRead = 0;   // every line counts, empty ones included
    QString error;          // Failed: names the file and the reason
};

// Sets the grid to one sheet named "ASCII Import", opens the file (a failure
// leaves the cells as they were), clears the grid and fills it line by line.
// A read error or a cancel through `progress` stops the import; the rows
// written so far stay.
TextImportOutcome importTextFile(const QString& path, const TextImportOptions& options,
                                 sheet::Spreadsheet& grid, const ProgressCallback& progress = {});

}  // namespace dataimport
