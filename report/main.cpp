// plotwise-report: control charts and statistics of a data file without a
// window, for scripted use. See `plotwise-report --help`.
#include "report/report_options.h"
#include "report/report_run.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    // The charts are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);

    QStringList args = QApplication::arguments().mid(1);
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        QTextStream(stdout) << report::usageText();
        return report::ExitOk;
    }
    if (args.contains(QLatin1String("--version"))) {
        QTextStream(stdout) << "plotwise-report " PLOTWISE_VERSION "\n";
        return report::ExitOk;
    }
    QString error;
    const auto options = report::parseReportOptions(args, &error);
    if (!options) {
        err << "plotwise-report: " << error << "\n\n" << report::usageText();
        return report::ExitUsage;
    }
    const report::RunResult result = report::runReport(*options);
    if (!result.message.isEmpty()) err << result.message << "\n";
    return result.status;
}
