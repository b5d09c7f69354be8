// Letter names of grid columns ("A" .. "IV"), used for built chart titles and
// series names. Columns outside 1..256 have no name.
#pragma once

#include <QString>

namespace chart {

inline constexpr int kLastNamedColumn = 256;  // "IV"

// 1..26 -> "A".."Z", 27..256 -> "AA".."IV"; any other number -> empty text.
QString columnLetters(int column);

}  // namespace chart
