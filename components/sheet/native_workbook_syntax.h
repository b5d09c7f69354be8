// What the native workbook's reader and writer share: the magic line, the
// limits a file keeps, the key that orders cells, and how a refused line is
// reported (the reason only; the reader adds file and line).
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <string_view>

namespace sheet::native {

constexpr std::string_view kMagic = "PLOTWISE-WORKBOOK";
constexpr int kVersion = 1;
constexpr qint64 kBlockBytes = 1 << 20;         // read and written in blocks of this size
constexpr std::size_t kMaxLineBytes = 4 << 20;  // a cell text is far shorter; guards memory
constexpr std::size_t kMaxNameBytes = 255;      // a defined name in the file

// Thrown while a line is parsed with the reason only.
struct LineError {
    QString reason;
};

[[noreturn]] void fail(const QString& reason);

// The text in double quotes for a message, cut after 40 bytes.
QString quoted(std::string_view text);

// A defined name as the workbook allows it, and short enough for the file.
bool isStorableName(std::string_view name);

// Cells of a sheet are stored in the order of this key: row-major.
inline quint64 cellKey(int row, int col)
{
    return (quint64(row) << 16) | quint64(col);
}

}  // namespace sheet::native
