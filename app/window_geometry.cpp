// Geometry of a window, ignoring maximisation: a maximised window keeps the
// size it had before, as the settings file should. Stored geometries are
// pulled onto a screen: a hand-edited or foreign settings file (a width of
// 30000, a screen that is gone) must not place a window nowhere or make it
// take gigabytes of window surface.
#include "app/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace app {

namespace {

constexpr int kSmallestSide = 50;

std::int64_t overlapArea(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : std::int64_t(common.width()) * common.height();
}

std::int64_t distanceSquared(const QRect& window, const QRect& screen)
{
    const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t(screen.left()) - window.right(),
                                                     std::int64_t(window.left()) - screen.right()});
    const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t(screen.top()) - window.bottom(),
                                                     std::int64_t(window.top()) - screen.bottom()});
    return dx * dx + dy * dy;
}

int clampInt(std::int64_t value, int low, int high)
{
    return int(std::clamp<std::int64_t>(value, low, std::max(low, high)));
}

}  // namespace

WindowGeometry geometryOf(const QWidget& window)
{
    if (window.isMaximized() || window.isMinimized() || window.isFullScreen()) {
        const QRect normal = window.normalGeometry();
        if (normal.isValid()) return {normal.top(), normal.left(), normal.width(), normal.height()};
    }
    return {window.pos().y(), window.pos().x(), window.width(), window.height()};
}

WindowGeometry fitOntoScreens(const WindowGeometry& g, const QList<QRect>& screens)
{
    if (screens.isEmpty()) return g;
    // Sizes first, so the overlap test below sees a rectangle Qt can hold.
    const int width = std::max(1, g.width);
    const int height = std::max(1, g.height);
    // Far-off positions are brought near enough that the rectangle's edges cannot overflow.
    constexpr int kFar = 1 << 28;
    const QRect window(QPoint(std::clamp(g.left, -kFar, kFar), std::clamp(g.top, -kFar, kFar)),
                       QSize(std::min(width, kFar), std::min(height, kFar)));
    const QRect* best = &screens.front();
    std::int64_t bestOverlap = -1;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const QRect& screen : screens) {
        const std::int64_t overlap = overlapArea(window, screen);
        const std::int64_t distance = distanceSquared(window, screen);
        if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &screen;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    WindowGeometry fitted;
    fitted.width = std::min(width, best->width());
    fitted.height = std::min(height, best->height());
    fitted.left = clampInt(g.left, best->left(), best->left() + best->width() - fitted.width);
    fitted.top = clampInt(g.top, best->top(), best->top() + best->height() - fitted.height);
    return fitted;
}

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().isValid()) areas.append(screen->availableGeometry());
    return areas;
}

void applyGeometry(QWidget& window, const WindowGeometry& g, const WindowGeometry& fallback)
{
    WindowGeometry usable = g;
    usable.width = g.width >= kSmallestSide ? g.width : fallback.width;
    usable.height = g.height >= kSmallestSide ? g.height : fallback.height;
    const WindowGeometry fitted = fitOntoScreens(usable, availableScreenAreas());
    window.resize(fitted.width, fitted.height);
    window.move(fitted.left, fitted.top);
}

WindowGeometry placeBesideMainWindow(const QRect& mainFrame, int clientTop, const QSize& size,
                                     const QSize& frameExtra, const QRect& screen)
{
    const int outerWidth = size.width() + frameExtra.width();
    const int outerHeight = size.height() + frameExtra.height();
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    const int topBesides = clampInt(mainFrame.top(), screen.top(), screenBottom - outerHeight);
    if (mainFrame.left() + mainFrame.width() + outerWidth <= screenRight)
        return {topBesides, mainFrame.left() + mainFrame.width(), size.width(), size.height()};
    if (mainFrame.left() - outerWidth >= screen.left())
        return {topBesides, mainFrame.left() - outerWidth, size.width(), size.height()};
    if (mainFrame.top() + mainFrame.height() + outerHeight <= screenBottom)
        return {mainFrame.top() + mainFrame.height(),
                clampInt(mainFrame.left(), screen.left(), screenRight - outerWidth), size.width(), size.height()};
    // No room around the main window: over its client area, at the right, below its bars.
    const int top = std::clamp(clientTop, screen.top(), std::max(screen.top(), screenBottom - kSmallestSide));
    const int height = std::max(kSmallestSide, std::min(size.height(), screenBottom - top - frameExtra.height()));
    const int width = std::max(kSmallestSide, std::min(size.width(), screen.width() - frameExtra.width()));
    return {top, clampInt(screenRight - width - frameExtra.width(), screen.left(), screenRight), width, height};
}

}  // namespace app
