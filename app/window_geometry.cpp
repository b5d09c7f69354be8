// Geometry of a window, ignoring maximisation: a maximised window keeps the
// size it had before, as the settings file should.
#include "app/window_geometry.h"

#include <QWidget>

namespace app {

namespace {

constexpr int kSmallestSide = 50;

}  // namespace

WindowGeometry geometryOf(const QWidget& window)
{
    if (window.isMaximized() || window.isMinimized() || window.isFullScreen()) {
        const QRect normal = window.normalGeometry();
        if (normal.isValid()) return {normal.top(), normal.left(), normal.width(), normal.height()};
    }
    return {window.pos().y(), window.pos().x(), window.width(), window.height()};
}

void applyGeometry(QWidget& window, const WindowGeometry& g, const WindowGeometry& fallback)
{
    const int width = g.width >= kSmallestSide ? g.width : fallback.width;
    const int height = g.height >= kSmallestSide ? g.height : fallback.height;
    window.resize(width, height);
    window.move(g.left, g.top);
}

}  // namespace app
