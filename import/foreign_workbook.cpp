// The one entry to the foreign readers, by kind; see workbook_readers.h.
#include "import/workbook_readers.h"

#include "import/zip_archive.h"

#include <QFileInfo>

#include <exception>
#include <new>

namespace dataimport {

QString readForeignWorkbook(WorkbookKind kind, const QString& path, CellSink& sink)
{
    if (!QFileInfo(path).isFile()) return QStringLiteral("the file does not exist");
    try {
        switch (kind) {
        case WorkbookKind::Xls: readXlsWorkbook(path, sink); break;
        case WorkbookKind::Xlsx: readXlsxWorkbook(ZipArchive::open(path), sink); break;
        case WorkbookKind::Ods: readOdsWorkbook(ZipArchive::open(path), sink); break;
        case WorkbookKind::Native: return QStringLiteral("not a foreign workbook");
        }
    } catch (const WorkbookReadError& e) {
        return e.message;
    } catch (const std::bad_alloc&) {
        return outOfMemoryText();
    } catch (const std::exception& e) {
        return QStringLiteral("the workbook cannot be read (%1)").arg(QString::fromUtf8(e.what()));
    }
    if (sink.sheetCount() == 0) return QStringLiteral("the workbook holds no sheet");
    return QString();
}

}  // namespace dataimport
