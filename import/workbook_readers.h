// Readers of foreign workbook files into a plain WorkbookData snapshot:
// ".xls" through FreeXL, ".xlsx" and ".ods" through liborcus. Numbers, texts
// and booleans arrive as they are, dates and times as serial day numbers of
// the 1900 date system with a date format, formulas as their last results.
// A reader never touches a grid: on failure it returns false and says why.
#pragma once

#include "workbook_data.h"

#include <QString>

namespace dataimport {

bool readXlsWorkbook(const QString& path, sheet::WorkbookData& out, QString& error);
bool readXlsxWorkbook(const QString& path, sheet::WorkbookData& out, QString& error);
bool readOdsWorkbook(const QString& path, sheet::WorkbookData& out, QString& error);

// Serial day number of the 1900 date system (1 is 1900-01-01, 61 is 1900-03-01).
double serialFromDateTime(int year, int month, int day, int hour, int minute, double second);

}  // namespace dataimport
