// Shipped-file lookup of the program state; see program_state.h.
#include "chart/program_state.h"

#include "components/platform/install_layout.h"

namespace chart {

QStringList ProgramState::shippedFileFolders() const
{
    return shippedFolders.isEmpty() ? QStringList{applicationDirectory} : shippedFolders;
}

QString ProgramState::shippedFile(const QString& name) const
{
    return platform::shippedFilePath(shippedFileFolders(), name);
}

}  // namespace chart
