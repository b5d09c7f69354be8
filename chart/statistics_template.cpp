// Statistics grid template; see statistics_template.h.
#include "chart/statistics_template.h"

#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"

namespace chart {

QString statisticsTemplatePath(const ProgramState& state, platform::Language language)
{
    return state.shippedFile(language == platform::Language::English ? QStringLiteral("ChartdatenE.def")
                                                                     : QStringLiteral("ChartdatenG.def"));
}

QString statisticsTemplatePath(const ProgramState& state)
{
    return statisticsTemplatePath(state, state.language);
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
