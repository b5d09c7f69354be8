// Where an installed or a portable copy of the program keeps its files.
//
// A portable copy (the build folder, or a folder copied as a whole) carries a
// marker file beside the executable and keeps the user's files beside it, as
// it always did. Any other copy is installed: it reads its shipped files from
// the prefix and writes nothing there, even when its user could (root); the
// user's files go to the configuration folder.
//
// Shipped files are looked for beside the executable first (so a portable copy
// uses its own), then in <executable>/../share/plotwise (an installation under
// any prefix), then in the "plotwise" folder of each data folder the desktop
// names (XDG_DATA_HOME, XDG_DATA_DIRS).
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The file the build writes beside the executable; installing never copies it.
inline constexpr const char* kPortableMarkerName = "plotwise-portable";

// The sub-folder of a data folder ("share") that holds the shipped files.
inline constexpr const char* kShippedFolderName = "plotwise";

// The folders searched for shipped files, in order, each with a trailing '/',
// without repeats: executableDir, executableDir/../share/plotwise, then
// dataFolder/plotwise for each of dataFolders.
QStringList shippedFolders(const QString& executableDir, const QStringList& dataFolders);

// The first folder's path of name that exists as a file; empty when none has it.
QString findInFolders(const QStringList& folders, const QString& name);
// The same, but when no folder has it, its path in the first folder, so that
// the reader's error names a place.
QString shippedFilePath(const QStringList& folders, const QString& name);

// Of names, those no folder of folders holds.
QStringList missingFiles(const QStringList& names, const QStringList& folders);

// "Shipped file missing: x.def; looked in a/, b/" (or "files", for several names).
QString missingShippedFilesText(const QStringList& names, const QStringList& folders);

// A helper program the executable runs (e.g. a workbook reader): beside the
// executable (a build folder), else in executableDir/../libexec/plotwise (an
// installation); the first that exists, else the path beside the executable.
QString helperProgramPath(const QString& executableDir, const QString& name);

// Whether the copy in executableDir is portable: the marker file lies beside it.
bool isPortableCopy(const QString& executableDir);

// The folder of the user's files, with a trailing '/': executableDir for a
// portable copy that may write there, else configFolder.
QString userFilesFolder(const QString& executableDir, const QString& configFolder);

}  // namespace platform
