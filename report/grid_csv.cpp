// Writing the computation grid for scripts; see grid_csv.h.
#include "report/grid_csv.h"

#include "components/sheet/spreadsheet.h"

#include <QSaveFile>
#include <charconv>

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

// Appends one cell; numbers go straight from std::to_chars, the shortest
// text that reads back exactly, as the native workbook files write them.
void appendCell(QByteArray& line, const sheet::CellValue& v)
{
    switch (v.kind) {
    case sheet::CellKind::Number: {
        char buf[32];
        const auto end = std::to_chars(buf, buf + sizeof buf, v.number).ptr;
        line.append(buf, end - buf);
        return;
    }
    case sheet::CellKind::Boolean: line += v.number != 0 ? "TRUE" : "FALSE"; return;
    case sheet::CellKind::Error: line += sheet::errorName(v.error).toUtf8(); return;
    case sheet::CellKind::Text: line += csvField(v.text).toUtf8(); return;
    default: return;
    }
}

}  // namespace

void writeGridCsv(const sheet::Spreadsheet& grid, int lastRow, int lastColumn, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QByteArray buffer;
    buffer.reserve(1 << 16);
    for (int row = 1; row <= lastRow; ++row) {
        for (int col = 1; col <= lastColumn; ++col) {
            if (col > 1) buffer += ',';
            appendCell(buffer, grid.value(row, col));
        }
        buffer += "\r\n";
        if (buffer.size() > (1 << 16) - 4096) {
            file.write(buffer);
            buffer.resize(0);  // keeps its capacity
        }
    }
    file.write(buffer);
    if (!file.commit()) throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

}  // namespace report
