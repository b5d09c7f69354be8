// Workbook import; see workbook_import.h. Foreign files are read completely
// into a WorkbookData first, by the reader program in a child process; only a
// complete read replaces the grid.
#include "import/workbook_import.h"

#include "import/workbook_limits.h"
#include "import/workbook_reader_process.h"

#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook_data.h"

#include <QDir>
#include <QFileInfo>

#include <new>

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
    try {
        reason = readWorkbookInReaderProgram(kind, path, data);
    } catch (const std::bad_alloc&) {
        reason = outOfMemoryText();
    }
    if (!reason.isEmpty()) return QStringLiteral("%1: %2").arg(shown, reason);
    try {
        // load() checks everything before it replaces the grid's content.
        grid.load(data);
    } catch (const sheet::SheetError& e) {
        return QStringLiteral("%1: %2").arg(shown, e.message());
    } catch (const std::bad_alloc&) {
        return QStringLiteral("%1: %2").arg(shown, outOfMemoryText());
    }
    return QString();
}

}  // namespace dataimport
