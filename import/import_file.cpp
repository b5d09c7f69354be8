// The import command; see import_file.h.
#include "import/import_file.h"

#include "import/column_bounds.h"
#include "import/text_import.h"
#include "import/workbook_import.h"

#include "components/sheet/spreadsheet.h"
#include "components/platform/platform.h"

#include <limits>

namespace dataimport {

QString dataFileExtension(const QString& fileName)
{
    const QString lower = fileName.toLower();
    const qsizetype dot = lower.lastIndexOf(u'.');
    if (dot < 0) return QString();
    const qsizetype delimiter = std::max({lower.lastIndexOf(u'/'), lower.lastIndexOf(u'\\'), lower.lastIndexOf(u':')});
    if (dot < delimiter) return QString();
    return lower.mid(dot);
}

DataFileKind dataFileKind(const QString& fileName)
{
    const QString extension = dataFileExtension(fileName);
    if (extension == u".vts") return DataFileKind::NativeWorkbook;
    if (extension == u".xls") return DataFileKind::Xls;
    if (extension == u".xlsx") return DataFileKind::Xlsx;
    if (extension == u".ods") return DataFileKind::Ods;
    return DataFileKind::Text;
}

ImportResult importFile(const QString& path, const ImportFields& fields, sheet::Spreadsheet& grid,
                        const ProgressCallback& progress,
                        const ImportEnvironment& environment)
{
    ImportResult result;
    if (path.trimmed().isEmpty()) {
        result.status = ImportResult::Status::Failed;
        result.errorText = QStringLiteral("No data file is named.");
        return result;
    }

    const DataFileKind kind = dataFileKind(path);
    if (kind != DataFileKind::Text) {
        result.workbook = true;
        if (progress) progress(0, 1);
        const WorkbookKind workbookKind = kind == DataFileKind::NativeWorkbook ? WorkbookKind::Native
                                          : kind == DataFileKind::Xls         ? WorkbookKind::Xls
                                          : kind == DataFileKind::Xlsx        ? WorkbookKind::Xlsx
                                                                              : WorkbookKind::Ods;
        const QString error = importWorkbook(path, workbookKind, grid);
        if (!error.isEmpty()) {
            result.status = ImportResult::Status::Failed;
            result.errorText = error;
            return result;
        }
        result.lastDataRow = grid.lastRow();
        grid.showFormulas = false;
        grid.showEditBar = false;
        grid.allowEditHeaders = false;
        if (progress) progress(1, 1);
        return result;
    }

    TextImportOptions options;
    options.separator = fields.separator;
    const ColumnBounds bounds = resolveColumnBounds(fields.startColumn, fields.endColumn, environment.scratchGrid);
    options.startColumn = bounds.start;
    options.endColumn = bounds.end;
    options.decimalSeparator = environment.decimalSeparator.isNull() ? platform::Platform::decimalSeparator()
                                                                     : environment.decimalSeparator;
    const TextImportOutcome outcome = importTextFile(path, options, grid, progress);
    result.linesRead = outcome.linesRead;
    switch (outcome.status) {
    case TextImportOutcome::Status::Finished:
        // The row counter of the chart job is a 32-bit integer.
        result.lastDataRow = static_cast<std::int32_t>(std::min<qint64>(outcome.linesRead, std::numeric_limits<std::int32_t>::max()));
        break;
    case TextImportOutcome::Status::Cancelled:
        result.status = ImportResult::Status::Cancelled;
        break;
    case TextImportOutcome::Status::Failed:
        result.status = ImportResult::Status::Failed;
        result.errorText = outcome.error;
        break;
    }
    return result;
}

}  // namespace dataimport
