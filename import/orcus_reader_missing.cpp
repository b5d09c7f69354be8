// Stand-in for builds without liborcus: ".xlsx" and ".ods" files are refused with a reason.
#include "workbook_readers.h"

namespace dataimport {

bool readXlsxWorkbook(const QString&, sheet::WorkbookData&, QString& error)
{
    error = QStringLiteral("this build cannot read .xlsx workbooks (liborcus missing)");
    return false;
}

bool readOdsWorkbook(const QString&, sheet::WorkbookData&, QString& error)
{
    error = QStringLiteral("this build cannot read .ods workbooks (liborcus missing)");
    return false;
}

}  // namespace dataimport
