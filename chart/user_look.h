// The user's copies of the chart looks. Apply in a chart's settings saves the
// look it draws with; a shipped look of an installed copy lies under the
// read-only prefix, so the look is saved as the user's own copy in the folder
// of the settings file, and the settings point at that copy from then on. The
// shipped look stays the default of a fresh user.
#pragma once

#include <QString>

#include <functional>

namespace chart {

struct ProgramState;

// Where Apply saves a look read from lookPath: lookPath itself when it lies in
// the folder of the settings file (a portable copy's own looks, the user's
// copies) or in no shipped folder (a look the user chose); else a file of the
// same name in the folder of the settings file. Without a settings file: lookPath.
QString lookSavePath(const ProgramState& state, const QString& lookPath);

// Saves a look through save(path) where lookSavePath puts it and, when that is
// a new place, points the settings key ("XYFile" or "VglFile") at it. Returns
// the path written. Throws what save and the settings file throw.
QString saveUserLook(const ProgramState& state, const char* settingsKey, const QString& lookPath,
                     const std::function<void(const QString&)>& save);

}  // namespace chart
