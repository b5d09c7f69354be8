// Stand-in for builds without FreeXL: ".xls" files are refused with a reason.
#include "workbook_readers.h"


namespace dataimport {

bool readXlsWorkbook(const QString&, sheet::WorkbookData&, QString& error)
{
    error = QStringLiteral("this build cannot read .xls workbooks (FreeXL missing)");
    return false;
}

}  // namespace dataimport
