// The statistics grid's labels: the workbook "ChartdatenE.def" (English)
// or "ChartdatenG.def" (German) from the application directory, read into
// the statistics grid at start and on a change of language.
#pragma once

#include "components/platform/language.h"

#include <QString>

namespace chart {

struct ProgramState;

QString statisticsTemplatePath(const ProgramState& state);
// The template of a language, e.g. before a switch to it.
QString statisticsTemplatePath(const ProgramState& state, platform::Language language);

// Reads the template into the statistics grid. Errors are ignored: the grid
// then keeps what it held. Returns whether the template was read.
bool loadStatisticsTemplate(ProgramState& state);

}  // namespace chart
