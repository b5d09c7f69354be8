// Helpers of the import tests: files with exact bytes in a temporary folder.
#pragma once

#include "import/import_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace importtest {

inline QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(bytes);
    return path;
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The chart job's row counter as an import's caller keeps it: set from a
// finished import, left alone by a cancelled or failed one.
struct ImportedRows {
    std::int32_t lastDataRow = 0;
};

inline dataimport::ImportResult importInto(const QString& path, const dataimport::ImportFields& fields,
                                           sheet::Spreadsheet& grid, ImportedRows& rows,
                                           const dataimport::ProgressCallback& progress = {},
                                           const dataimport::ImportEnvironment& environment = {})
{
    dataimport::ImportResult result = dataimport::importFile(path, fields, grid, progress, environment);
    if (result.lastDataRow) rows.lastDataRow = *result.lastDataRow;
    return result;
}

}  // namespace importtest
