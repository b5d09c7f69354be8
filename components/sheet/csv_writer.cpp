// Delimited-text writer of the spreadsheet component: the "save as text"
// formats. Rows are streamed, so a million-row sheet needs no second copy.
#include "components/sheet/csv_writer.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/number_format.h"

#include <QSaveFile>

#include <algorithm>
#include <numeric>
#include <vector>

namespace sheet {

QString storedCellText(const CellData& cell, QChar decimalSeparator)
{
    switch (cell.kind) {
    case CellKind::Number:
    case CellKind::Formula:
        return formatNumber(cell.number, cell.format, decimalSeparator);
    case CellKind::Text:
        return cell.text;
    case CellKind::Boolean:
        return cell.number != 0.0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellKind::Error:
        return errorName(cell.error);
    case CellKind::Empty:
        break;
    }
    return QString();
}

QString csvField(const QString& text, QChar separator)
{
    const bool needsQuotes = text.contains(separator) || text.contains(QLatin1Char('"'))
                             || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void writeCsv(const QString& path, const SheetData& sheet, QChar separator,
              const CellTextFunction& cellText)
{
    auto failWrite = [&path](const QString& reason) {
        throw SheetError(QStringLiteral("cannot write %1: %2").arg(path, reason));
    };
    if (separator == QLatin1Char('"') || separator == QLatin1Char('\n') || separator == QLatin1Char('\r'))
        failWrite(QStringLiteral("a double quote or line end cannot separate fields"));

    // Visit cells in row-major order even if the snapshot is not sorted.
    const std::vector<CellData>& cells = sheet.cells;
    const std::vector<size_t> order = rowMajorOrder(cells);

    int lastRow = 0, lastCol = 0;
    for (const CellData& c : cells) {
        if (c.kind == CellKind::Empty)
            continue;
        lastRow = std::max(lastRow, c.row);
        lastCol = std::max(lastCol, c.col);
    }
    const long long rectangle = static_cast<long long>(lastRow) * lastCol;
    if (rectangle > kMaxTextFileCells)
        failWrite(QStringLiteral("the used area A1:%1 spans %2 cells; a text file may span at most %3")
                      .arg(cellAddress(lastRow, lastCol))
                      .arg(rectangle)
                      .arg(kMaxTextFileCells));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        failWrite(file.errorString());
    QByteArray out;
    auto flush = [&](bool force) {
        if (!force && out.size() < (1 << 20))
            return;
        if (file.write(out) != out.size()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            failWrite(reason);
        }
        out.clear();
    };

    size_t next = 0;
    QString line;
    for (int row = 1; row <= lastRow; ++row) {
        line.clear();
        int col = 1;      // fields started so far: col - 1 separators written
        int written = 0;  // column of the last field written; guards repeated cells
        while (next < order.size() && cells[order[next]].row < row)
            ++next;
        for (; next < order.size() && cells[order[next]].row == row; ++next) {
            const CellData& c = cells[order[next]];
            if (c.kind == CellKind::Empty || c.col <= written || c.col > lastCol)
                continue;
            for (; col < c.col; ++col)
                line += separator;
            line += csvField(cellText(c), separator);
            written = c.col;
        }
        for (; col < lastCol; ++col)
            line += separator;
        line += QLatin1String("\r\n");
        out += line.toUtf8();
        flush(false);
    }
    flush(true);
    if (!file.commit())
        failWrite(file.errorString());
}

void writeCsv(const QString& path, const SheetData& sheet, QChar separator, QChar decimalSeparator)
{
    writeCsv(path, sheet, separator,
             [decimalSeparator](const CellData& c) { return storedCellText(c, decimalSeparator); });
}

}  // namespace sheet
