// Renders the pictures of the chart component for the documentation: a
// sample mean chart with the shipped control-chart look, and the settings
// dialog. Usage: chartcomponent_screenshots <output folder>
#include "components/chart/chart_settings_dialog.h"
#include "bench/chartcomponent/sample_control_chart.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <cstdio>

using namespace chartcomponent;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    try {
        const int rows = 120;
        const SampleControlChart sample = makeSampleControlChart(rows);
        ChartView chart;
        chart.setDecimalSeparator(QChar(','));
        chart.resize(900, 500);
        chart.loadSettings(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/ctadefault.vtc"));
        chart.setColumnCount(7);
        chart.setRowCount(rows);
        const char* names[7] = {"Mittel", "AKM", "KU", "WU", "Xm", "WO", "KO"};
        for (int s = 1; s <= 7; ++s) {
            chart.setColumnValues(s, sample.series[std::size_t(s - 1)]);
            chart.setColumn(s);
            chart.setColumnLabel(QString::fromLatin1(names[s - 1]));
        }
        QStringList labels;
        for (int r = 1; r <= rows; ++r) labels << QStringLiteral("%1.03.2026").arg(r % 28 + 1, 2, 10, QChar('0'));
        chart.setRowLabels(labels);
        chart.setTitleText(QStringLiteral("Bohrung Ø 12 mm – Mittelwertkarte"));
        chart.setAxisTitle(0, QStringLiteral("Datum"));
        chart.setAxisTitle(1, QStringLiteral("Durchmesser [mm]"));
        chart.setValueScale(sample.axisMinimum, sample.axisMaximum, 8, 1);
        chart.saveImage(out.filePath(QStringLiteral("chart-component.png")), QStringLiteral("png"), 900, 500);

        ChartSettingsDialog dialog(&chart);
        dialog.resize(560, 420);
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(out.filePath(QStringLiteral("chart-settings-dialog.png")));
        if (auto* tabs = dialog.findChild<QTabWidget*>()) {
            tabs->setCurrentIndex(1);
            QApplication::processEvents();
            dialog.grab().save(out.filePath(QStringLiteral("chart-settings-dialog-axes.png")));
        }
    } catch (const ChartError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
