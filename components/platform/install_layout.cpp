// Shipped-file lookup and the portable-or-installed decision; see install_layout.h.
#include "components/platform/install_layout.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace platform {

namespace {

QString folderWithSlash(const QString& dir)
{
    QString clean = QDir::cleanPath(dir);
    if (!clean.endsWith(u'/')) clean += u'/';
    return clean;
}

// A folder is writable when a file can be created in it (permissions, read-only
// mounts and access lists all count).
bool isWritableFolder(const QString& dir)
{
    QTemporaryFile probe(dir + QStringLiteral("plotwise-write-test-XXXXXX"));
    return probe.open();
}

}  // namespace

QStringList shippedFolders(const QString& executableDir, const QStringList& dataFolders)
{
    QStringList folders;
    auto add = [&folders](const QString& dir) {
        const QString folder = folderWithSlash(dir);
        if (!folders.contains(folder)) folders << folder;
    };
    add(executableDir);
    add(executableDir + QStringLiteral("/../share/") + QLatin1String(kShippedFolderName));
    for (const QString& data : dataFolders)
        if (!data.isEmpty()) add(data + u'/' + QLatin1String(kShippedFolderName));
    return folders;
}

QString findInFolders(const QStringList& folders, const QString& name)
{
    for (const QString& folder : folders) {
        const QString path = folder + name;
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString shippedFilePath(const QStringList& folders, const QString& name)
{
    const QString found = findInFolders(folders, name);
    return found.isEmpty() && !folders.isEmpty() ? folders.front() + name : found;
}

QStringList missingFiles(const QStringList& names, const QStringList& folders)
{
    QStringList missing;
    for (const QString& name : names)
        if (findInFolders(folders, name).isEmpty()) missing << name;
    return missing;
}

QString missingShippedFilesText(const QStringList& names, const QStringList& folders)
{
    QStringList shown;
    for (const QString& folder : folders) shown << QDir::toNativeSeparators(folder);
    return QStringLiteral("Shipped %1 missing: %2; looked in %3")
        .arg(names.size() == 1 ? QStringLiteral("file") : QStringLiteral("files"),
             names.join(QStringLiteral(", ")), shown.join(QStringLiteral(", ")));
}

QString helperProgramPath(const QString& executableDir, const QString& name)
{
    const QString beside = folderWithSlash(executableDir) + name;
    const QString installed = folderWithSlash(executableDir + QStringLiteral("/../libexec/")
                                              + QLatin1String(kShippedFolderName)) + name;
    for (const QString& path : {beside, installed})
        if (QFileInfo(path).isExecutable() && QFileInfo(path).isFile()) return path;
    return beside;
}

bool isPortableCopy(const QString& executableDir)
{
    return QFileInfo(folderWithSlash(executableDir) + QLatin1String(kPortableMarkerName)).isFile();
}

QString userFilesFolder(const QString& executableDir, const QString& configFolder)
{
    const QString appDir = folderWithSlash(executableDir);
    if (isPortableCopy(appDir) && isWritableFolder(appDir)) return appDir;
    return folderWithSlash(configFolder);
}

}  // namespace platform
