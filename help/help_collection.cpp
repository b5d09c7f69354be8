// Locating and copying the help collections; see help_collection.h.
#include "help/help_collection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QStandardPaths>

namespace help {

namespace {

// One line: the file and every folder it was looked for in.
QString notInstalledText(platform::Language language, const QString& name, const QStringList& folders)
{
    QStringList places;
    for (const QString& folder : folders) places << QDir::toNativeSeparators(folder);
    const QString where = places.join(QStringLiteral(", "));
    return language == platform::Language::German
        ? QStringLiteral("Die Hilfe ist nicht installiert: %1 wurde nicht gefunden in %2.").arg(name, where)
        : QStringLiteral("The help is not installed: %1 was not found in %2.").arg(name, where);
}

// The folder holding both files of the collection; empty when none does.
QString collectionFolder(const QStringList& folders, const QString& name)
{
    for (const QString& folder : folders)
        if (QFileInfo(folder + name + QStringLiteral(".qhc")).isFile() && QFileInfo(folder + name + QStringLiteral(".qch")).isFile())
            return folder;
    return {};
}

// The copy is taken again when the shipped collection changed since it was made.
bool copyIsCurrent(const QFileInfo& shipped, const QFileInfo& copy)
{
    return copy.exists() && copy.lastModified() >= shipped.lastModified();
}

// The copy must list the shipped topics file by a path that exists from the
// copy's folder; a collection built elsewhere names it relative to itself.
bool registerShippedTopics(const QString& collectionPath, const QString& topicsPath)
{
    QHelpEngineCore engine(collectionPath);
    if (!engine.setupData()) return false;
    const QString namespaceName = QHelpEngineCore::namespaceName(topicsPath);
    if (namespaceName.isEmpty()) return false;
    const QString registered = engine.documentationFileName(namespaceName);
    if (!registered.isEmpty() && QFileInfo(registered).canonicalFilePath() == QFileInfo(topicsPath).canonicalFilePath())
        return true;
    if (!registered.isEmpty()) engine.unregisterDocumentation(namespaceName);
    return engine.registerDocumentation(topicsPath);
}

}  // namespace

QString cannotOpenText(platform::Language language, const QString& path)
{
    return language == platform::Language::German
        ? QStringLiteral("Die Hilfe kann nicht geöffnet werden: %1.").arg(QDir::toNativeSeparators(path))
        : QStringLiteral("The help cannot be opened: %1.").arg(QDir::toNativeSeparators(path));
}

QString collectionName(platform::Language language)
{
    return language == platform::Language::German ? QStringLiteral("ovtchartGer") : QStringLiteral("ovtchartEng");
}

PreparedCollection prepareCollection(const QStringList& shippedFolders, const QString& userDirectory,
                                     platform::Language language)
{
    const QString name = collectionName(language);
    const QString folder = collectionFolder(shippedFolders, name);
    if (folder.isEmpty()) return {QString(), notInstalledText(language, name + QStringLiteral(".qhc"), shippedFolders)};
    const QFileInfo shipped(folder + name + QStringLiteral(".qhc"));
    const QFileInfo topics(folder + name + QStringLiteral(".qch"));

    QDir().mkpath(userDirectory);
    const QString copyPath = QDir(userDirectory).filePath(name + QStringLiteral(".qhc"));
    const QFileInfo copy(copyPath);
    if (!copyIsCurrent(shipped, copy)) {
        QFile::remove(copyPath);
        // The search index of an older copy belongs to older topics.
        QDir(QDir(userDirectory).filePath(QLatin1Char('.') + name)).removeRecursively();
        if (!QFile::copy(shipped.absoluteFilePath(), copyPath))
            return {QString(), cannotOpenText(language, copyPath)};
        QFile::setPermissions(copyPath, QFile::permissions(copyPath) | QFile::WriteOwner | QFile::ReadOwner);
    }
    if (!registerShippedTopics(copyPath, topics.absoluteFilePath()))
        return {QString(), cannotOpenText(language, copyPath)};
    return {copyPath, QString()};
}

QUrl topicForContext(const QHelpEngineCore& engine, int helpContext)
{
    const QList<QHelpLink> links = engine.documentsForIdentifier(QString::number(helpContext));
    return links.isEmpty() ? QUrl() : links.first().url;
}

QString defaultUserDirectory()
{
    // ~/.local/share/Plotwise/ (the desktop's data folder, named once, not per organisation and program).
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dir.isEmpty()) dir = QDir::homePath() + QStringLiteral("/.local/share");
    return dir + QStringLiteral("/Plotwise/");
}

}  // namespace help
