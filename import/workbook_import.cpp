// Workbook import; see workbook_import.h. Foreign files are read completely
// into a WorkbookData first; only a complete read replaces the grid.
#include "import/workbook_import.h"

#include "import/workbook_readers.h"

#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook_data.h"

#include <QDir>
#include <QFileInfo>

namespace dataimport {

QString importWorkbook(const QString& path, WorkbookKind kind, sheet::Spreadsheet& grid)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) return QStringLiteral("%1: the file does not exist").arg(shown);
    if (!QFileInfo(path).isFile()) return QStringLiteral("%1: not a regular file").arg(shown);

    if (kind == WorkbookKind::Native) {
        try {
            grid.read(path);
            return QString();
        } catch (const sheet::SheetError& e) {
            // The component's message names the file and line already.
            return e.message().contains(QFileInfo(path).fileName()) ? e.message()
                                                                    : QStringLiteral("%1: %2").arg(shown, e.message());
        } catch (const std::bad_alloc&) {
            return QStringLiteral("%1: %2").arg(shown, outOfMemoryText());
        } catch (const std::exception& e) {
            return QStringLiteral("%1: %2").arg(shown, QString::fromUtf8(e.what()));
        }
    }

    sheet::WorkbookData data;
    QString reason;
    bool ok = false;
    switch (kind) {
    case WorkbookKind::Xls: ok = readXlsWorkbook(path, data, reason); break;
    case WorkbookKind::Xlsx: ok = readXlsxWorkbook(path, data, reason); break;
    case WorkbookKind::Ods: ok = readOdsWorkbook(path, data, reason); break;
    case WorkbookKind::Native: break;
    }
    if (!ok) return QStringLiteral("%1: %2").arg(shown, reason);
    try {
        // load() checks everything before it replaces the grid's content.
        grid.load(data);
    } catch (const sheet::SheetError& e) {
        return QStringLiteral("%1: %2").arg(shown, e.message());
    }
    return QString();
}

}  // namespace dataimport
