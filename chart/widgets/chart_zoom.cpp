// Chart zoom; see chart_zoom.h.
#include "chart/widgets/chart_zoom.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>

namespace {

// The box without scroll bars; the horizontal one takes its height only
// while the chart is wider than the box.
void sizeChart(QScrollArea& box, QWidget& chart, int width)
{
    const QSize room = box.maximumViewportSize();
    const int fullWidth = std::max(width, room.width());
    int height = room.height();
    if (fullWidth > room.width())
        height -= box.horizontalScrollBar()->sizeHint().height();
    chart.resize(fullWidth, std::max(1, height));
}

}  // namespace

void fitZoomedChart(QScrollArea& box, QWidget& chart, QSlider& zoom)
{
    const int boxWidth = box.maximumViewportSize().width();
    const bool zoomedIn = zoom.value() > zoom.minimum() && zoom.minimum() > 0;
    // A minimum above the maximum would move the maximum: the box is then wider than any zoom.
    {
        const QSignalBlocker quiet(zoom);
        zoom.setMinimum(std::min(boxWidth, zoom.maximum()));
        if (!zoomedIn)
            zoom.setValue(zoom.minimum());
    }
    zoom.setSingleStep(zoom.maximum() / 100);
    zoom.setPageStep(zoom.maximum() / 10);
    zoom.setTickInterval(zoom.pageStep());
    sizeChart(box, chart, zoom.value());
}

void applyZoom(QScrollArea& box, QWidget& chart, const QSlider& zoom)
{
    sizeChart(box, chart, zoom.value());
}
