// Range selector bar geometry; see range_bar_geometry.h. The clamp rules below
// are the bar's contract with its users: the inner window never leaves the
// track, the left handle never leaves the window 50 pixels or narrower, the
// right handle may leave it exactly 50.
#include "chart/range_bar_geometry.h"

#include <algorithm>
#include <cmath>

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

void RangeBarGeometry::selectWholeTrack()
{
    m_left = 0;
    setWidth(m_trackWidth);
    m_pinned = false;
    recomputePercents();
}

void RangeBarGeometry::setSpanPercents(double leftPercent, double rightPercent)
{
    m_leftPercent = std::clamp(leftPercent, 0.0, 100.0);
    m_rightPercent = std::clamp(rightPercent, 0.0, 100.0);
    m_pinned = true;
    placeFromPercents();
}

void RangeBarGeometry::placeFromPercents()
{
    const int left = int(std::lround(m_leftPercent * m_trackWidth / 100.0));
    const int right = m_trackWidth - int(std::lround(m_rightPercent * m_trackWidth / 100.0));
    m_left = std::clamp(left, 0, m_trackWidth);
    setWidth(std::min(right - m_left, m_trackWidth));
    if (innerRight() > m_trackWidth)
        m_left = m_trackWidth - m_width;
}

void RangeBarGeometry::recomputePercents()
{
    const double track = m_trackWidth;
    m_leftPercent = m_left * 100.0 / track;
    m_rightPercent = (m_trackWidth - innerRight()) * 100.0 / track;
}

void RangeBarGeometry::updatePercents()
{
    if (!m_pinned)
        recomputePercents();
}

void RangeBarGeometry::innerWindowPressed(int x)
{
    m_dragging = true;
    m_grabX = x;
    m_movedInGesture = false;
}

void RangeBarGeometry::handlePressed(int x)
{
    m_resizing = true;
    m_grabX = x;
    m_movedInGesture = false;
}

void RangeBarGeometry::innerWindowDragged(int x)
{
    if (!m_dragging)
        return;
    const int step = x - m_grabX;
    const int left = std::clamp(m_left + step, 0, std::max(0, m_trackWidth - m_width));
    if (left == m_left)
        return;
    m_left = left;
    m_movedInGesture = true;
    m_pinned = false;
    recomputePercents();
}

void RangeBarGeometry::innerWindowReleased(int x)
{
    if (!m_dragging)
        return;
    innerWindowDragged(x);
    m_dragging = false;
}

void RangeBarGeometry::leftHandleDragged(int x)
{
    if (!m_resizing)
        return;
    const int step = x - m_grabX;
    if (step == 0 || (step < 0 && m_left <= 0))
        return;
    if (step > 0 && m_left + step >= innerRight() - kMinInnerWidth)
        return;  // would leave the window 50 pixels or narrower
    const int right = innerRight();
    // Pulled beyond the left end: stop at the track edge, keep the right edge.
    m_left = std::max(0, m_left + step);
    setWidth(right - m_left);
    if (innerRight() > m_trackWidth)
        setWidth(m_trackWidth - m_left);
    m_movedInGesture = true;
    m_pinned = false;
    recomputePercents();
}

void RangeBarGeometry::rightHandleDragged(int x)
{
    if (!m_resizing)
        return;
    const int step = x - m_grabX;
    if (step == 0 || (step > 0 && innerRight() >= m_trackWidth))
        return;
    if (step < 0 && (innerRight() + step) - m_left < kMinInnerWidth)
        return;  // exactly 50 pixels is still allowed
    const int newRight = std::min(innerRight() + step, m_trackWidth);
    setWidth(newRight - m_left);
    m_movedInGesture = true;
    m_pinned = false;
    recomputePercents();
}

void RangeBarGeometry::handleReleased()
{
    m_resizing = false;
    if (m_movedInGesture)
        recomputePercents();
}

void RangeBarGeometry::frameEntered() { m_dragging = false; }

void RangeBarGeometry::trackResized(int newTrackWidth)
{
    newTrackWidth = std::max(newTrackWidth, kMinTrackWidth);
    if (m_pinned) {
        m_trackWidth = newTrackWidth;
        placeFromPercents();
        return;
    }
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
