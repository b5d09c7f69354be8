// The start of the window program: its command line and the shipped files it checks; see program_start.h.
#include "app/program_start.h"

#include <QFileInfo>

#ifndef PLOTWISE_VERSION
#define PLOTWISE_VERSION "0.0.0"
#endif

namespace app {

namespace {

// Options of QGuiApplication and QApplication (and of the X11 platform) that
// take a value as the next argument or after '='.
const QStringList kQtOptionsWithValue = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"), QStringLiteral("session"), QStringLiteral("display"),
    QStringLiteral("name"), QStringLiteral("title"), QStringLiteral("geometry"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("qmljsdebugger"), QStringLiteral("visual"),
    QStringLiteral("ncols"), QStringLiteral("cmap"), QStringLiteral("dialogs"), QStringLiteral("fontengine"),
};

// Qt's options that stand alone.
const QStringList kQtSwitches = {
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"), QStringLiteral("sync"), QStringLiteral("testability"),
};

CommandLine failure(const QString& why)
{
    CommandLine result;
    result.action = CommandLine::Action::Fail;
    result.error = why;
    return result;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& args)
{
    CommandLine result;
    QStringList files;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(u'-') || arg == QLatin1String("-")) {
            files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const QString body = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString name = body.section(u'=', 0, 0);
        if (name == QLatin1String("help") || name == QLatin1String("h") || name == QLatin1String("?")) {
            result.action = CommandLine::Action::ShowHelp;
            return result;
        }
        if (name == QLatin1String("version") || name == QLatin1String("v")) {
            result.action = CommandLine::Action::ShowVersion;
            return result;
        }
        if (kQtSwitches.contains(name)) continue;
        if (kQtOptionsWithValue.contains(name)) {
            if (!body.contains(u'=') && ++i >= args.size())
                return failure(QStringLiteral("option %1 needs a value").arg(arg));
            continue;
        }
        return failure(QStringLiteral("unknown option %1").arg(arg));
    }
    if (files.size() > 1)
        return failure(QStringLiteral("one file at a time: %1").arg(files.join(QStringLiteral(", "))));
    if (!files.isEmpty()) result.file = files.front();
    return result;
}

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage: plotwise [options] [FILE]\n"
        "Statistical process control charts from measured data.\n"
        "\n"
        "  FILE           a data file to import (.vts, .xls, .xlsx, .ods, .csv, .txt, ...)\n"
        "                 as the file-name box would, or an import template (.ctpl) to read\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "\n"
        "Qt's own options work as well, e.g. -platform offscreen, -style fusion, -reverse.\n"
        "Exit status: 0 after a normal end, 1 when the program cannot start, 2 on a wrong option.\n");
}

QString versionText() { return QStringLiteral("plotwise " PLOTWISE_VERSION); }

QString unopenableFileReason(const QString& path, platform::Language language)
{
    const bool english = language == platform::Language::English;
    const QFileInfo info(path);
    QString why;
    if (!info.exists()) why = english ? QStringLiteral("the file does not exist") : QStringLiteral("die Datei gibt es nicht");
    else if (info.isDir()) why = english ? QStringLiteral("it is a folder") : QStringLiteral("es ist ein Ordner");
    else if (!info.isReadable()) why = english ? QStringLiteral("the file cannot be read") : QStringLiteral("die Datei ist nicht lesbar");
    else return {};
    return english ? QStringLiteral("%1 was not opened: %2.").arg(path, why)
                   : QStringLiteral("%1 wurde nicht geöffnet: %2.").arg(path, why);
}

bool isImportTemplateFile(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("ctpl"), Qt::CaseInsensitive) == 0;
}

QStringList requiredShippedFiles()
{
    return {QStringLiteral("Sampledata_multi.vts"), QStringLiteral("sampledata_multi_e.ctpl"),
            QStringLiteral("sampledata_multi_g.ctpl"), QStringLiteral("xycharte.def"),
            QStringLiteral("xychartg.def"), QStringLiteral("ChartdatenE.def"),
            QStringLiteral("ChartdatenG.def"), QStringLiteral("ctadefault.vtc"),
            QStringLiteral("vgldefault.vtc")};
}

}  // namespace app
