// How the main window makes its two chart windows. The windows are created
// hidden at the end of window creation, read the program state live, and are
// destroyed when the main window closes, after their geometry is saved. The
// entry supplies the real windows; a window not supplied is an empty hidden
// placeholder that only keeps its place (and its geometry in the settings).
#pragma once

#include <QWidget>
#include <functional>

namespace chart { struct ProgramState; }

namespace app {

using ChartWindowFactory = std::function<QWidget*(chart::ProgramState& state)>;

struct ChartWindowFactories {
    ChartWindowFactory controlChart;  // ControlChartWindow; geometry in section kControlChartSection
    ChartWindowFactory comparison;    // ComparisonWindow; geometry in section kComparisonSection
};

// The program's chart windows, reporting their errors through the
// application's error report.
ChartWindowFactories programChartWindows();

}  // namespace app
