// The platform layer: locale identifiers in the numbering desktop platforms
// use, the decimal separator, and the folders the program reads and writes.
#include "components/platform/platform.h"

#include "components/platform/install_layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace platform {

namespace {

struct LocaleEntry {
    const char* name;
    int id;
};

// The common locales; unknown ones fall back to their language's primary entry, then en_US.
constexpr LocaleEntry kLocales[] = {
    {"de_DE", 1031}, {"de_CH", 2055}, {"de_AT", 3079}, {"de_LU", 4103}, {"de_LI", 5127},
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en_NZ", 5129},
    {"en_IE", 6153}, {"en_ZA", 7177}, {"fr_FR", 1036}, {"fr_BE", 2060}, {"fr_CA", 3084},
    {"fr_CH", 4108}, {"it_IT", 1040}, {"it_CH", 2064}, {"es_ES", 3082}, {"es_MX", 2058},
    {"nl_NL", 1043}, {"nl_BE", 2067}, {"pt_BR", 1046}, {"pt_PT", 2070}, {"sv_SE", 1053},
    {"da_DK", 1030}, {"nb_NO", 1044}, {"fi_FI", 1035}, {"pl_PL", 1045}, {"cs_CZ", 1029},
    {"hu_HU", 1038}, {"ru_RU", 1049}, {"tr_TR", 1055}, {"ja_JP", 1041}, {"zh_CN", 2052},
    {"ko_KR", 1042},
};

QString g_localeOverride;
QString g_appDirOverride;

QString withSlash(QString dir)
{
    if (!dir.endsWith(u'/')) dir += u'/';
    return dir;
}

}  // namespace

int localeIdForName(const QString& localeName)
{
    const QString name = localeName.section(u'.', 0, 0).replace(u'-', u'_');
    for (const auto& e : kLocales)
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0) return e.id;
    const QString language = name.section(u'_', 0, 0);
    for (const auto& e : kLocales)
        if (QLatin1String(e.name).startsWith(language + u'_', Qt::CaseInsensitive)) return e.id;
    return 1033;
}

QString Platform::localeName()
{
    return g_localeOverride.isEmpty() ? QLocale::system().name() : g_localeOverride;
}

int Platform::localeId() { return localeIdForName(localeName()); }

QChar Platform::decimalSeparator()
{
    const QString sep = QLocale(localeName()).decimalPoint();
    return sep.isEmpty() ? QChar(u'.') : sep.front();
}

void Platform::overrideLocale(const QString& localeName) { g_localeOverride = localeName; }

QString Platform::applicationDirectory()
{
    if (!g_appDirOverride.isEmpty()) return g_appDirOverride;
    return withSlash(QCoreApplication::applicationDirPath());
}

void Platform::overrideApplicationDirectory(const QString& dir)
{
    g_appDirOverride = dir.isEmpty() ? QString() : withSlash(dir);
}

QStringList Platform::shippedFolders()
{
    if (!g_appDirOverride.isEmpty()) return {g_appDirOverride};
    return platform::shippedFolders(applicationDirectory(),
                                    QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

QString Platform::shippedFile(const QString& name)
{
    return shippedFilePath(shippedFolders(), name);
}

QString Platform::helperProgram(const QString& name)
{
    return helperProgramPath(applicationDirectory(), name);
}

QString Platform::writableDirectory()
{
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    config += QStringLiteral("/Plotwise");
    // A test's folder counts as portable without a marker file.
    const QString appDir = applicationDirectory();
    if (!g_appDirOverride.isEmpty() && QFileInfo(appDir).isWritable()) return appDir;
    const QString folder = userFilesFolder(appDir, config);
    QDir().mkpath(folder);
    return folder;
}

}  // namespace platform
