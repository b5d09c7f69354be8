// A1-style cell addresses and the sheet's size: column letters <-> numbers,
// "B7" / "$B$7" parsed and written, and which texts may name a range. Every
// place that reads or writes a column letter or checks a sheet limit uses
// these, so the formula parser, the files and the grids agree.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <string>
#include <string_view>

namespace sheet {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxCols = 16384;  // "XFD"

// "A" -> 1, "Z" -> 26, "AA" -> 27, "xfd" -> 16384 (either case). 0 when the
// text is empty, holds anything but ASCII letters, or names a column beyond maxCol.
int columnNumber(QStringView letters, int maxCol = kMaxCols);
int columnNumber(std::string_view letters, int maxCol = kMaxCols);

// 1 -> "A", 27 -> "AA", 16384 -> "XFD"; empty when col < 1 or col > maxCol.
QString columnLetters(int col, int maxCol = kMaxCols);
// Appends the letters of a column 1..kMaxCols (nothing otherwise), for writers
// that build their output in bytes.
void appendColumnLetters(std::string& out, int col);

struct CellAddress {
    int row = 0;  // one-based
    int col = 0;
    bool rowAbsolute = false;  // "$" before the row digits
    bool colAbsolute = false;  // "$" before the column letters
};

// Length of the address [$]letters[$]digits at the start of `text` (1 to 3
// letters of either case, 1 to 8 digits, within the sheet), 0 when there is
// none. What follows the address is not looked at: "A1B" matches "A1".
int matchCellAddress(QStringView text, CellAddress* out);
int matchCellAddress(std::string_view text, CellAddress* out);

// The whole text is one address, without blanks around it.
std::optional<CellAddress> parseCellAddress(QStringView text);
std::optional<CellAddress> parseCellAddress(std::string_view text);

// "E16", or "$E$16" with both flags set.
QString cellAddress(int row, int col, bool rowAbsolute = false, bool colAbsolute = false);

// A defined name starts with a letter or "_" and holds letters, digits, "_"
// and "."; it must not read as a cell address ("A1", "ab12").
bool isValidName(QStringView name);
// The same rule on UTF-8 bytes; names of ASCII characters are checked without
// decoding them.
bool isValidName(std::string_view utf8);

}  // namespace sheet
