// Shipped-file lookup of the program state; see program_state.h.
#include "chart/program_state.h"

#include "components/platform/install_layout.h"

namespace chart {

QString ProgramState::shippedFile(const QString& name) const
{
    const QStringList folders = shippedFolders.isEmpty() ? QStringList{applicationDirectory} : shippedFolders;
    const QString found = platform::findInFolders(folders, name);
    return found.isEmpty() ? folders.front() + name : found;
}

}  // namespace chart
