// Renders the control chart window on the sample data, once per chart kind
// and once with the capability chart, and the comparison window of the same
// three columns into PNG files (docs/images/mean-chart.png, range-chart.png,
// difference-chart.png, capability-window.png, comparison-chart.png): the look
// of the shipped templates as users see it.
//   control_chart_snapshots <application dir with the data files> <output dir>
#include "chart/widgets/control_chart_window.h"
#include "compare/widgets/comparison_window.h"
#include "components/sheet/spreadsheet.h"
#include "chart/program_state.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <application dir> <output dir>\n", argv[0]);
        return 2;
    }
    const QString appDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + '/';
    const QDir outDir(QString::fromLocal8Bit(argv[2]));

    sheet::Spreadsheet importGrid, statisticsGrid, scratchGrid;
    importGrid.setDecimalSeparator(QLatin1Char('.'));
    try {
        importGrid.read(appDir + "Sampledata_multi.vts");
    } catch (const sheet::SheetError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    chart::ProgramState state;
    state.language = platform::Language::English;
    state.applicationDirectory = appDir;
    state.importGrid = &importGrid;
    state.statisticsGrid = &statisticsGrid;
    state.scratchGrid = &scratchGrid;
    state.job.valueColumns = {2, 3, 4};
    state.job.xColumn = 1;
    state.job.firstDataRow = 2;
    state.job.lastDataRow = importGrid.lastRow();
    state.job.chartTitle = QStringLiteral("Sample data: Messung 1/Messung 2/Messung 3");
    state.fileNameText = appDir + "Sampledata_multi.vts";
    state.xTitleText = QStringLiteral("Date");
    state.yTitleText = QStringLiteral("Diameter [mm]");
    state.job.specificationLimits = {25.0, 25.02, 25.01};

    ControlChartWindow window(state);
    window.setErrorReporter([](const QString& message) { std::fprintf(stderr, "error: %s\n", qPrintable(message)); });
    window.resize(1100, 640);
    window.show();
    QApplication::processEvents();
    window.activate();

    const std::pair<int, const char*> kinds[] = {{1, "mean-chart.png"}, {2, "range-chart.png"}, {3, "difference-chart.png"},
                                                 {7, "capability-window.png"}};
    for (const auto& [tag, file] : kinds) {
        if (tag == 2) window.showRangeChart();
        if (tag == 3) window.showDifferenceChart();
        if (tag == 7) window.showCapabilityChart();
        QApplication::processEvents();
        const QString path = outDir.filePath(QString::fromLatin1(file));
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }

    state.job.compareColumns = {2, 3, 4, 0, 0};
    state.job.headerRow = 1;
    ComparisonWindow comparison(state);
    comparison.setErrorReporter([](const QString& message) { std::fprintf(stderr, "error: %s\n", qPrintable(message)); });
    comparison.resize(1100, 560);
    comparison.show();
    QApplication::processEvents();
    comparison.activate();
    QApplication::processEvents();
    const QString path = outDir.filePath(QStringLiteral("comparison-chart.png"));
    if (!comparison.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
