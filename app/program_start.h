// The start of the window program. Its command line: one optional file to
// open, --help and --version, and the options Qt itself takes (-platform,
// -style, ...), which are left for the application object. It is read before
// the application object exists, so --help, --version and a wrong option need
// no display. Then the shipped files it checks before the window opens.
#pragma once

#include "components/platform/language.h"

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    QString file;    // the file to open; empty: none
    QString error;   // why the command line was refused (Fail)
};

// Exit status of a refused command line.
inline constexpr int kExitUsage = 2;

// Reads the arguments after the program name. "--" ends the options; one
// dash or two are the same for every option, as Qt has it.
CommandLine parseCommandLine(const QStringList& args);

QString commandLineHelp();
QString versionText();  // "plotwise 1.2.3"

// Why path cannot be opened (it does not exist, is a folder, cannot be read),
// as the status bar says it; empty when it can be opened.
QString unopenableFileReason(const QString& path, platform::Language language);

// Whether path is read as an import template rather than imported as data.
bool isImportTemplateFile(const QString& path);

// The files the program reads from its shipped folders (sample data,
// templates, chart looks), checked at the start.
QStringList requiredShippedFiles();

}  // namespace app
