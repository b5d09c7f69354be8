// The start and end column of the text import, from the texts of the start
// and end column fields: a decimal integer, or "$" and a column reference in
// letters ("$C" is column 3).
#pragma once

#include <QString>
#include <optional>

namespace sheet { class Spreadsheet; }

namespace dataimport {

inline constexpr qint64 kNoEndColumn = 99999;

// Column number of `text`, or nothing when it is neither a decimal integer
// nor an evaluable "$" reference. With a scratch grid, "$ref" is evaluated as
// the formula COLUMN(ref1) in its cell A1, as the user's spreadsheet would;
// without one, letters (optionally with "$" and a row number) are read directly.
std::optional<qint64> columnFromText(const QString& text, sheet::Spreadsheet* scratch);

struct ColumnBounds {
    qint64 start = 1;
    qint64 end = kNoEndColumn;
};
// Start falls back to 1, end to 99999 (also when its text is empty).
ColumnBounds resolveColumnBounds(const QString& startText, const QString& endText, sheet::Spreadsheet* scratch);

}  // namespace dataimport
