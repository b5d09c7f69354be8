// The chart windows the program runs with.
#include "chart_window_factories.h"

#include "control_chart_window.h"
#include "error_report.h"

namespace app {

ChartWindowFactories programChartWindows()
{
    ChartWindowFactories factories;
    factories.controlChart = [](chart::ProgramState& state) -> QWidget* {
        auto* window = new TfrmtxtChart(state);
        window->setObjectName(QStringLiteral("frmtxtChart"));
        window->setErrorReporter(reportError);
        return window;
    };
    return factories;
}

}  // namespace app
