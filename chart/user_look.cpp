// Where changed chart looks are saved; see user_look.h.
#include "chart/user_look.h"

#include "chart/chart_look_settings.h"
#include "chart/program_state.h"
#include "components/platform/profile.h"

#include <QDir>
#include <QFileInfo>

namespace chart {

namespace {

QString folderOf(const QString& path) { return QDir::cleanPath(QFileInfo(path).absolutePath()); }

}  // namespace

QString lookSavePath(const ProgramState& state, const QString& lookPath)
{
    if (state.settingsPath.isEmpty()) return lookPath;
    const QString userFolder = folderOf(state.settingsPath);
    const QString lookFolder = folderOf(lookPath);
    if (lookFolder == userFolder) return lookPath;
    bool isShipped = false;
    for (const QString& folder : state.shippedFileFolders())
        isShipped = isShipped || QDir::cleanPath(folder) == lookFolder;
    if (!isShipped) return lookPath;
    return userFolder + u'/' + QFileInfo(lookPath).fileName();
}

QString saveUserLook(const ProgramState& state, const char* settingsKey, const QString& lookPath,
                     const std::function<void(const QString&)>& save)
{
    const QString target = lookSavePath(state, lookPath);
    save(target);
    if (target != lookPath) {
        platform::Profile settings(state.settingsPath);
        settings.writeString(QLatin1String(kChartLookSection), QLatin1String(settingsKey), target);
    }
    return target;
}

}  // namespace chart
