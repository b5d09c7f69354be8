// The computation grid's reference layout: the statistics block, defined
// names, rule numbers, series names and the prototype formula row that the
// control chart fills down over its data rows. The shipped computation
// templates are written from it, and the control chart window falls back on it
// when no template file can be read.
#pragma once

#include "components/platform/language.h"

namespace sheet { class Spreadsheet; }

namespace chart {

// Puts the whole reference layout into `book` (expected empty): labels in
// the given language. Rows 16 and 17 hold two
// sample data rows (1 and 2 in columns A and B) with the prototype formulas,
// and every statistics range runs from row 16 to row 17.
void buildReferenceLayout(sheet::Spreadsheet& book, platform::Language language);

}  // namespace chart
