// The chart windows the program runs with.
#include "app/chart_window_factories.h"

#include "chart/widgets/control_chart_window.h"
#include "compare/widgets/comparison_window.h"
#include "app/error_report.h"

namespace app {

ChartWindowFactories programChartWindows()
{
    ChartWindowFactories factories;
    factories.controlChart = [](chart::ProgramState& state) -> QWidget* {
        auto* window = new ControlChartWindow(state);
        window->setObjectName(QStringLiteral("frmtxtChart"));
        window->setErrorReporter(reportError);
        return window;
    };
    factories.comparison = [](chart::ProgramState& state) -> QWidget* {
        auto* window = new ComparisonWindow(state);
        window->setErrorReporter(reportError);
        return window;
    };
    return factories;
}

}  // namespace app
