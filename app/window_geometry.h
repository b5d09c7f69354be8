// Moving a window's geometry between the widget and the settings file's
// top/left/width/height. Top and left are the outer frame's position, width
// and height the window's inner size, so a value read back places the window
// exactly where it was. Every stored geometry passes through one function
// that pulls it onto a screen before it is applied.
#pragma once

#include "app/settings.h"

#include <QList>
#include <QRect>

class QWidget;

namespace app {

WindowGeometry geometryOf(const QWidget& window);

// Pulls a geometry onto one of the screens (their available areas): a size
// beyond the screen shrinks to it, a position off every screen or partly
// off moves onto the screen the window overlaps most (the nearest when it
// overlaps none). Without screens the geometry is returned as it is.
WindowGeometry fitOntoScreens(const WindowGeometry& geometry, const QList<QRect>& screens);

// The available areas of the screens the program runs on.
QList<QRect> availableScreenAreas();

// Applies the geometry as read. A width or height below the smallest usable
// size (e.g. typed by hand as 0) falls back to `fallback`, so a window
// can never become invisible through its settings; the result is then
// pulled onto a screen (fitOntoScreens), so it can never take more than one.
void applyGeometry(QWidget& window, const WindowGeometry& geometry, const WindowGeometry& fallback);

// The first place of a chart window of the given inner size: right of the
// main window's frame, else left of it, else below it, on the main window's
// screen; where none has room, over the main window's client area
// (clientTop: its top edge), never over its menu or tool bars. frameExtra is
// what the window frame adds to the inner size.
WindowGeometry placeBesideMainWindow(const QRect& mainFrame, int clientTop, const QSize& size,
                                     const QSize& frameExtra, const QRect& screen);

}  // namespace app
