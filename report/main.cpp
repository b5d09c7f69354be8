// plotwise-report: control charts and statistics of a data file without a
// window, for scripted use. See `plotwise-report --help`.
#include "report/report_options.h"
#include "report/report_run.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <limits>
#include <malloc.h>
#include <new>

namespace {

// Standard error carries this program's own messages only, so a script can
// pass them on as they stand: Qt's notes (a missing runtime folder under cron
// or CI, font fallbacks) are dropped. A fatal message is still written before
// Qt ends the process.
void dropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv)
{
    // A run allocates and frees chart arrays, graph data and images of up to
    // a million rows several times over. Kept by the allocator instead of
    // handed back to the system after each use, that memory is reused without
    // page faults (a tenth of a large run's time went to faulting and zeroing
    // fresh pages). The process ends after one run, so nothing is held for long.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    qInstallMessageHandler(dropQtNotes);
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
    report::RunResult result;
    try {
        result = report::runReport(*options);
    } catch (const std::bad_alloc&) {
        result = {report::ExitFileError, QStringLiteral("plotwise-report: not enough memory for this data")};
    }
    if (!result.message.isEmpty()) err << result.message << "\n";
    return result.status;
}
