// Moving a window's geometry between the widget and the settings file's
// top/left/width/height. Top and left are the outer frame's position, width
// and height the window's inner size, so a value read back places the window
// exactly where it was.
#pragma once

#include "app/settings.h"

class QWidget;

namespace app {

WindowGeometry geometryOf(const QWidget& window);

// Applies the geometry as read. A width or height below the smallest usable
// size (e.g. typed by hand as 0) falls back to `fallback`, so a window
// can never become invisible through its settings.
void applyGeometry(QWidget& window, const WindowGeometry& geometry, const WindowGeometry& fallback);

}  // namespace app
