// Letter names of grid columns; see column_letters.h.
#include "chart/column_letters.h"

#include "components/sheet/cell_address.h"

namespace chart {

QString columnLetters(int column)
{
    return sheet::columnLetters(column, kLastNamedColumn);
}

}  // namespace chart
