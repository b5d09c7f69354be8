// Column letters of the grid's header: 1 -> "A", 26 -> "Z", 27 -> "AA", 702 -> "ZZ",
// 703 -> "AAA". Used by the header and the edit bar's cell address.
#pragma once

#include <QString>

namespace sheetview {

// Letters of a one-based column; empty for col < 1.
QString columnLetters(int col);

// Address of a one-based cell as the user reads it, e.g. "B12".
QString cellAddress(int row, int col);

}  // namespace sheetview
