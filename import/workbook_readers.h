// Readers of foreign workbook files: ".xls" through FreeXL, ".xlsx" and
// ".ods" from their zip container (libzip) with our streaming XML reader (XmlCursor).
// They hand every cell to a CellSink: numbers, texts, booleans and errors as
// they are, dates and times as serial day numbers of the 1900 date system
// with a date format, formulas as their last results. A reader never touches
// a grid; on a damaged file or a cap it throws WorkbookReadError.
//
// These run inside the reader program (import/helper), never in the window's
// process: a crash inside a third-party library ends only that program.
#pragma once

#include "import/cell_sink.h"
#include "import/workbook_import.h"
#include "import/workbook_limits.h"

#include <QString>

namespace dataimport {

class ZipArchive;

void readXlsWorkbook(const QString& path, CellSink& sink);
void readXlsxWorkbook(const ZipArchive& archive, CellSink& sink);
void readOdsWorkbook(const ZipArchive& archive, CellSink& sink);

// Reads a file of one of the three foreign kinds; empty on success, else why not.
// A workbook without a sheet is refused.
QString readForeignWorkbook(WorkbookKind kind, const QString& path, CellSink& sink);

// Serial day number of the 1900 date system (1 is 1900-01-01, 61 is 1900-03-01).
double serialFromDateTime(int year, int month, int day, int hour, int minute, double second);
// "2024-03-15" or "2024-03-15T10:30:00.5" as a serial number; false when it is neither.
bool serialFromIsoDate(QStringView text, double& serial);

}  // namespace dataimport
