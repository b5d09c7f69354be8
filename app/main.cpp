// Program entry: the command line (read before any display is needed), the
// application, the main window (which reads its settings and the sample data
// as it is created), the about box, the file of the command line, the event
// loop. A start that fails prints its reason on standard error and ends with
// a non-zero status; errors after the start are reported by the application
// and the program goes on.
#include "app/about_box.h"
#include "app/main_window.h"
#include "app/plotwise_application.h"
#include "app/program_start.h"
#include "components/platform/install_layout.h"
#include "components/platform/platform.h"

#include <QStatusBar>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const app::CommandLine commandLine = app::parseCommandLine(args);
    switch (commandLine.action) {
    case app::CommandLine::Action::ShowHelp:
        std::fputs(app::commandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    case app::CommandLine::Action::ShowVersion:
        std::printf("%s\n", app::versionText().toLocal8Bit().constData());
        return 0;
    case app::CommandLine::Action::Fail:
        std::fprintf(stderr, "plotwise: %s\nTry 'plotwise --help' for the options.\n",
                     commandLine.error.toLocal8Bit().constData());
        return app::kExitUsage;
    case app::CommandLine::Action::Run:
        break;
    }

    try {
        app::PlotwiseApplication application(argc, argv);
        // An installation that lost shipped files starts with what it has and says what is missing.
        const QStringList folders = platform::Platform::shippedFolders();
        const QStringList missing = platform::missingFiles(app::requiredShippedFiles(), folders);
        const QString missingText = missing.isEmpty() ? QString() : platform::missingShippedFilesText(missing, folders);
        if (!missingText.isEmpty()) std::fprintf(stderr, "plotwise: %s\n", missingText.toLocal8Bit().constData());

        app::MainWindow mainWindow(app::programChartWindows());
        app::AboutBox aboutBox(&mainWindow);
        mainWindow.setAboutBox(&aboutBox);
        if (!missingText.isEmpty()) mainWindow.statusBar()->showMessage(missingText);
        mainWindow.show();
        if (!commandLine.file.isEmpty()) mainWindow.openFile(commandLine.file);
        return application.exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Plotwise cannot start: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "Plotwise cannot start: unknown error\n");
    }
    return 1;
}
