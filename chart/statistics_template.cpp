// Statistics grid template; see statistics_template.h.
#include "statistics_template.h"

#include "program_state.h"
#include "f1book.h"

namespace chart {

QString statisticsTemplatePath(const ProgramState& state)
{
    return state.applicationDirectory
        + (state.languageCode == 1 ? QStringLiteral("ChartdatenE.def") : QStringLiteral("ChartdatenG.def"));
}

bool loadStatisticsTemplate(ProgramState& state)
{
    if (state.statisticsGrid == nullptr)
        return false;
    try {
        state.statisticsGrid->read(statisticsTemplatePath(state));
        return true;
    } catch (const sheet::SheetError&) {
        return false;
    }
}

}  // namespace chart
