// Writing the computation grid for scripts; see grid_csv.h.
#include "report/grid_csv.h"

#include "components/sheet/spreadsheet.h"

#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace report {

namespace {

// Rows read and formatted together: 60 columns of 1,024 rows fit the caches.
constexpr int kBlockRows = 1024;
// The longest shortest form of a double ("-2.2250738585072014e-308") is 24
// characters; a cell's slot in the output allows that and its comma.
constexpr size_t kMaxNumberChars = 32;

QByteArray csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text.toUtf8();
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return (u'"' + quoted + u'"').toUtf8();
}

// Writes the shortest text that reads back as exactly `value` (std::to_chars,
// as the native workbook files write numbers) and returns its end. Whole
// numbers below 100,000 come out the same from an integer conversion (fixed
// notation is never longer than the exponent form there), several times
// faster than the shortest round-trip search; -0 keeps its sign through it.
char* writeNumber(char* out, double value)
{
    if (value > -1e5 && value < 1e5) {
        const int whole = static_cast<int>(value);
        if (static_cast<double>(whole) == value && !(whole == 0 && std::signbit(value)))
            return std::to_chars(out, out + kMaxNumberChars, whole).ptr;
    }
    return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

// One cell of a block as read from the grid: a number (or a boolean's 0/1),
// or for texts and errors the index of its written form in the block's texts.
struct BlockCell {
    sheet::CellKind kind = sheet::CellKind::Empty;
    double number = 0.0;
};

// The text last written for a column: a column of one repeated number (a
// limit line, a constant) is formatted once per block.
struct RepeatedNumber {
    double number = 0.0;
    char text[kMaxNumberChars];
    int length = -1;
};

class BlockWriter {
public:
    BlockWriter(const sheet::Spreadsheet& grid, int columns)
        : m_grid(grid), m_columns(columns),
          m_cells(static_cast<size_t>(kBlockRows) * static_cast<size_t>(columns)), m_repeated(static_cast<size_t>(columns))
    {
    }

    // Reads rows first..first + rows - 1 column by column (the grid stores
    // its cells by column; row by row would miss the cache on every cell).
    void read(int first, int rows)
    {
        m_texts.clear();
        m_textBytes = 0;
        for (int col = 0; col < m_columns; ++col) {
            m_grid.readCells(col + 1, first, rows, m_columnKinds.data(), m_columnNumbers.data());
            for (int i = 0; i < rows; ++i) {
                BlockCell& cell = m_cells[static_cast<size_t>(i) * static_cast<size_t>(m_columns) + static_cast<size_t>(col)];
                cell.kind = m_columnKinds[static_cast<size_t>(i)];
                cell.number = m_columnNumbers[static_cast<size_t>(i)];
                if (cell.kind == sheet::CellKind::Text || cell.kind == sheet::CellKind::Error) {
                    m_texts.push_back(cell.kind == sheet::CellKind::Text
                                          ? csvField(m_grid.value(first + i, col + 1).text)
                                          : sheet::errorName(static_cast<sheet::ErrorCode>(static_cast<int>(cell.number))).toUtf8());
                    m_textBytes += static_cast<size_t>(m_texts.back().size());
                    cell.number = static_cast<double>(m_texts.size() - 1);
                }
            }
        }
    }

    // Formats the block read last, rows - 1 line ends included; gives its bytes.
    std::pair<const char*, size_t> format(int rows)
    {
        const size_t room = static_cast<size_t>(rows) * (static_cast<size_t>(m_columns) * kMaxNumberChars + 2) + m_textBytes;
        if (room > m_capacity) {
            m_out = std::make_unique_for_overwrite<char[]>(room);
            m_capacity = room;
        }
        char* p = m_out.get();
        for (int i = 0; i < rows; ++i) {
            const BlockCell* row = &m_cells[static_cast<size_t>(i) * static_cast<size_t>(m_columns)];
            for (int col = 0; col < m_columns; ++col) {
                if (col > 0) *p++ = ',';
                p = writeCell(p, row[col], m_repeated[static_cast<size_t>(col)]);
            }
            *p++ = '\r';
            *p++ = '\n';
        }
        return {m_out.get(), static_cast<size_t>(p - m_out.get())};
    }

private:
    char* writeCell(char* p, const BlockCell& cell, RepeatedNumber& repeated) const
    {
        switch (cell.kind) {
        case sheet::CellKind::Number:
            if (repeated.length >= 0 && std::memcmp(&cell.number, &repeated.number, sizeof cell.number) == 0) {
                std::memcpy(p, repeated.text, static_cast<size_t>(repeated.length));
                return p + repeated.length;
            } else {
                char* end = writeNumber(p, cell.number);
                repeated.number = cell.number;
                repeated.length = static_cast<int>(end - p);
                std::memcpy(repeated.text, p, static_cast<size_t>(repeated.length));
                return end;
            }
        case sheet::CellKind::Boolean:
            if (cell.number != 0) return std::copy_n("TRUE", 4, p);
            return std::copy_n("FALSE", 5, p);
        case sheet::CellKind::Text:
        case sheet::CellKind::Error: {
            const QByteArray& text = m_texts[static_cast<size_t>(cell.number)];
            return std::copy_n(text.constData(), text.size(), p);
        }
        default: return p;
        }
    }

    const sheet::Spreadsheet& m_grid;
    const int m_columns;
    std::vector<BlockCell> m_cells;  // row by row, kBlockRows x m_columns
    std::vector<sheet::CellKind> m_columnKinds = std::vector<sheet::CellKind>(kBlockRows);  // one column's read
    std::vector<double> m_columnNumbers = std::vector<double>(kBlockRows);
    std::vector<RepeatedNumber> m_repeated;
    std::vector<QByteArray> m_texts;
    size_t m_textBytes = 0;
    std::unique_ptr<char[]> m_out;
    size_t m_capacity = 0;
};

}  // namespace

void writeGridCsv(const sheet::Spreadsheet& grid, int lastRow, int lastColumn, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    BlockWriter writer(grid, std::max(lastColumn, 0));
    for (int first = 1; first <= lastRow; first += kBlockRows) {
        const int rows = std::min(kBlockRows, lastRow - first + 1);
        writer.read(first, rows);
        const auto [bytes, size] = writer.format(rows);
        if (file.write(bytes, static_cast<qint64>(size)) != static_cast<qint64>(size)) break;  // commit() reports it
    }
    if (!file.commit()) throw sheet::SheetError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

}  // namespace report
