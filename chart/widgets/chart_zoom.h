// The zoom of a chart window: the chart sits in a scroll box and a track bar
// sets its width. The chart fills the box whenever the window changes size;
// a width the user zoomed to beyond the box is kept, and then the box scrolls.
#pragma once

class QScrollArea;
class QSlider;
class QWidget;

// Fits the chart to the box after a resize: the track bar's minimum becomes
// the box width (while that stays within its maximum), a track bar that was
// not zoomed follows it, and the chart takes the box height and the track
// bar's width, never less than the box.
void fitZoomedChart(QScrollArea& box, QWidget& chart, QSlider& zoom);

// The chart width after a move of the track bar.
void applyZoom(QScrollArea& box, QWidget& chart, const QSlider& zoom);
