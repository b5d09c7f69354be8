// A line with more points than pixel columns is seen as a band, and drawn as
// one: for each pixel column a rectangle over the heights its segments pass
// through there, widened by the pen. A few hundred rectangles replace
// thousands of stroked segments (a stroked million-row mean line took most
// of a chart's drawing time) and look the same at that density.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QVector>

namespace chartcomponent {

// The band of `lines` (pixel coordinates; a NaN point is a gap) for a pen
// `penWidth` pixels wide: one rectangle per whole pixel column the line
// crosses. Empty when the line is not crowded (fewer than one and a half
// segments per column), and then it is stroked as usual.
QVector<QRectF> crowdedLineBand(const QVector<QPointF>& lines, double penWidth);

}  // namespace chartcomponent
