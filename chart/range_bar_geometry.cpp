// Range selector bar geometry; see range_bar_geometry.h. The drop-and-clamp
// rules below are the bar's contract with its users: a drag step that would
// cross the right end is dropped whole (the release then clamps), the left
// handle never leaves the window 50 pixels or narrower, the right handle
// may leave it exactly 50.
#include "chart/range_bar_geometry.h"

#include <algorithm>

namespace chart {

RangeBarGeometry::RangeBarGeometry(int trackWidth, int innerLeft, int innerWidth)
    : m_trackWidth(std::max(trackWidth, kMinTrackWidth)), m_left(innerLeft), m_width(0)
{
    setWidth(innerWidth);
}

void RangeBarGeometry::setWidth(int width)
{
    // The inner panel's minimum width holds whatever the gesture asks for.
    m_width = std::max(width, kMinInnerWidth);
}

void RangeBarGeometry::setInnerGeometry(int left, int width)
{
    m_left = left;
    setWidth(width);
}

void RangeBarGeometry::updatePercents()
{
    const double track = m_trackWidth;
    m_leftPercent = m_left * 100.0 / track;
    m_rightPercent = (m_trackWidth - innerRight()) * 100.0 / track;
}

void RangeBarGeometry::innerWindowPressed() { m_dragging = true; }
void RangeBarGeometry::handlePressed() { m_resizing = true; }

void RangeBarGeometry::applyDragOffset(int x)
{
    // The left edge jumps to the pointer, then the window is kept inside the track.
    m_left += x;
    if (m_left < 0)
        m_left = 0;
    if (x > 0 && innerRight() > m_trackWidth)
        m_left -= innerRight() - m_trackWidth;
    updatePercents();
}

void RangeBarGeometry::innerWindowDragged(int x)
{
    if (!m_dragging)
        return;
    if (x < 0 && m_left <= 0)
        return;  // already at the left end
    if (x > 0 && innerRight() + x > m_trackWidth)
        return;  // would cross the right end: dropped, not moved partway
    applyDragOffset(x);
}

void RangeBarGeometry::innerWindowReleased(int x)
{
    m_dragging = false;
    applyDragOffset(x);
}

void RangeBarGeometry::leftHandleDragged(int x)
{
    if (!m_resizing)
        return;
    if (x < 0 && m_left <= 0)
        return;
    if (x > 0 && m_left + x >= innerRight() - kMinInnerWidth)
        return;  // would leave the window 50 pixels or narrower
    const int right = innerRight();
    if (x > 0 || m_left + x >= 0) {
        m_left += x;
        setWidth(right - m_left);
    } else {
        // Pulled beyond the left end: stop at the track edge, keep the right edge.
        m_left = 0;
        setWidth(right);
    }
    if (m_left < 0)
        m_left = 0;
    if (innerRight() > m_trackWidth)
        setWidth(m_trackWidth - m_left);
    updatePercents();
}

void RangeBarGeometry::rightHandleDragged(int x)
{
    if (!m_resizing)
        return;
    if (x > 0 && innerRight() >= m_trackWidth)
        return;
    if (x < 0 && (innerRight() + x) - m_left < kMinInnerWidth)
        return;  // exactly 50 pixels is still allowed
    const int newRight = std::min(innerRight() + x, m_trackWidth);
    setWidth(newRight - m_left);
    updatePercents();
}

void RangeBarGeometry::handleReleased()
{
    m_resizing = false;
    updatePercents();
}

void RangeBarGeometry::frameEntered() { m_dragging = false; }

void RangeBarGeometry::trackResized(int newTrackWidth)
{
    newTrackWidth = std::max(newTrackWidth, kMinTrackWidth);
    // Anchored left and right: the right margin stays, the window stretches.
    const int rightMargin = m_trackWidth - innerRight();
    m_trackWidth = newTrackWidth;
    setWidth(m_trackWidth - rightMargin - m_left);
    if (innerRight() > m_trackWidth)
        m_left -= innerRight() - m_trackWidth;
    if (m_left < 0)
        m_left = 0;
}

}  // namespace chart
