// Writing the computation grid for scripts; see grid_csv.h.
#include "grid_csv.h"

#include "f1book.h"
#include "number_format.h"

#include <QSaveFile>

namespace report {

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

QString cellField(const sheet::CellValue& v)
{
    switch (v.kind) {
    case sheet::CellKind::Number: return sheet::shortestRoundTrip(v.number);
    case sheet::CellKind::Boolean: return v.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case sheet::CellKind::Error: return sheet::errorName(v.error);
    case sheet::CellKind::Text: return csvField(v.text);
    default: return QString();
    }
}

}  // namespace

void writeGridCsv(const sheet::F1Book& grid, int lastRow, int lastColumn, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QByteArray line;
    for (int row = 1; row <= lastRow; ++row) {
        line.clear();
        for (int col = 1; col <= lastColumn; ++col) {
            if (col > 1) line += ',';
            line += cellField(grid.value(row, col)).toUtf8();
        }
        line += "\r\n";
        file.write(line);
    }
    if (!file.commit()) throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

}  // namespace report
