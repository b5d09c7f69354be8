// Writing the computation grid for scripts; see grid_csv.h.
#include "report/grid_csv.h"

#include "components/sheet/spreadsheet.h"

#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>
#include <vector>

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
    // The grid keeps its cells by column: reading it row by row touches a
    // different memory stream for every column of every row, and at a
    // million rows most of the time went to cache misses. A block of rows is
    // read column by column into one text arena, then written row by row.
    constexpr int kBlockRows = 512;
    const int columns = std::max(lastColumn, 0);
    QByteArray arena;
    std::vector<std::pair<qsizetype, qsizetype>> cells(static_cast<size_t>(kBlockRows) * static_cast<size_t>(columns));
    QByteArray buffer;
    buffer.reserve(1 << 16);
    for (int first = 1; first <= lastRow; first += kBlockRows) {
        const int rows = std::min(kBlockRows, lastRow - first + 1);
        arena.resize(0);
        for (int col = 0; col < columns; ++col) {
            // A column of one repeated number (a limit line) is formatted once.
            double lastNumber = 0.0;
            char lastText[32];
            int lastLength = -1;
            for (int i = 0; i < rows; ++i) {
                const qsizetype start = arena.size();
                const sheet::CellValue v = grid.value(first + i, col + 1);
                if (v.kind == sheet::CellKind::Number && lastLength >= 0
                    && std::memcmp(&v.number, &lastNumber, sizeof lastNumber) == 0) {
                    arena.append(lastText, lastLength);
                } else {
                    appendCell(arena, v);
                    if (v.kind == sheet::CellKind::Number && arena.size() - start <= qsizetype(sizeof lastText)) {
                        lastNumber = v.number;
                        lastLength = int(arena.size() - start);
                        std::memcpy(lastText, arena.constData() + start, size_t(lastLength));
                    }
                }
                cells[static_cast<size_t>(i) * static_cast<size_t>(columns) + static_cast<size_t>(col)] = {start, arena.size() - start};
            }
        }
        for (int i = 0; i < rows; ++i) {
            for (int col = 0; col < columns; ++col) {
                if (col > 0) buffer += ',';
                const auto [start, length] = cells[static_cast<size_t>(i) * static_cast<size_t>(columns) + static_cast<size_t>(col)];
                buffer.append(arena.constData() + start, length);
            }
            buffer += "\r\n";
            if (buffer.size() > (1 << 16) - 4096) {
                file.write(buffer);
                buffer.resize(0);  // keeps its capacity
            }
        }
    }
    file.write(buffer);
    if (!file.commit()) throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

}  // namespace report
