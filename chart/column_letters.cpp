// Letter names of grid columns; see column_letters.h.
#include "chart/column_letters.h"

namespace chart {

QString columnLetters(int column)
{
    if (column >= 1 && column <= 26)
        return QString(QChar(64 + column));
    if (column >= 27 && column <= 256) {
        // Two letters: the first counts whole alphabets, the second the rest.
        return QString(QChar(64 + (column - 1) / 26)) + QChar(65 + (column - 1) % 26);
    }
    return {};
}

}  // namespace chart
