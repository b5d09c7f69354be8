// Readers of foreign workbook files into a plain WorkbookData snapshot:
// ".xls" through FreeXL, ".xlsx" and ".ods" through liborcus. Numbers, texts
// and booleans arrive as they are, dates and times as serial day numbers of
// the 1900 date system with a date format, formulas as their last results.
// A reader never touches a grid: on failure it returns false and says why.
#pragma once

#include "components/sheet/workbook_data.h"

#include <QString>
#include <utility>

namespace dataimport {

bool readXlsWorkbook(const QString& path, sheet::WorkbookData& out, QString& error);
bool readXlsxWorkbook(const QString& path, sheet::WorkbookData& out, QString& error);
bool readOdsWorkbook(const QString& path, sheet::WorkbookData& out, QString& error);

// Hands a finished read to the caller; a workbook without a sheet is refused.
inline bool takeWorkbook(sheet::WorkbookData&& book, sheet::WorkbookData& out, QString& error)
{
    if (book.sheets.empty()) {
        error = QStringLiteral("the workbook holds no sheet");
        return false;
    }
    out = std::move(book);
    return true;
}

// What a reader says when the workbook needs more memory than there is; in
// words, never the name of the exception.
inline QString outOfMemoryText()
{
    return QStringLiteral("the workbook needs more memory than is available");
}

// Serial day number of the 1900 date system (1 is 1900-01-01, 61 is 1900-03-01).
double serialFromDateTime(int year, int month, int day, int hour, int minute, double second);

}  // namespace dataimport
