// Formula text <-> compiled formula. The parser turns "=(B16+C16)/COUNT(B16:D16)"
// into reverse Polish code with references relative to the holding cell; the
// printer writes it back as text for any cell the formula sits in.
#pragma once

#include "components/sheet/formula.h"
#include "components/sheet/name_table.h"

#include <QString>

namespace sheet {

// Compiles a formula (leading "=" optional) for the cell (row, col). Names are
// interned in `names`. Throws SheetError when the text is not a formula.
FormulaPtr compileFormula(const QString& text, int row, int col, NameTable& names);

// The formula's text, with a leading "=", as it reads in the cell (row, col).
QString formulaText(const Formula& formula, int row, int col, const NameTable& names);

// "$E$16:$E$17" or "E4": true with the normalised bounds.
bool parseRangeAddress(const QString& text, Range* out);

}  // namespace sheet
