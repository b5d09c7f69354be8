// Geometry and gestures of the range selector bar, without any widget: a
// track (the outer panel, left edge 0) and an inner window on it that the user
// drags sideways or resizes by its two edge handles. The bar turns the
// geometry into two percentages, the share of the track left and right of the
// inner window; its host turns those into the visible span of rows.
//
// All positions are whole pixels in the track's coordinates. Each gesture
// handler takes the pointer's horizontal position X relative to the control
// that received the press (the inner window or a handle), as a captured mouse
// reports it: X may be negative or beyond the control's width. The control
// moves with the pointer, so the pointer keeps the place where it grabbed the
// control: every step moves by X minus the X of the press.
#pragma once

namespace chart {

class RangeBarGeometry {
public:
    // Minimum widths the host windows give the two panels.
    static constexpr int kMinTrackWidth = 70;
    static constexpr int kMinInnerWidth = 50;
    static constexpr int kHandleWidth = 12;

    RangeBarGeometry(int trackWidth, int innerLeft, int innerWidth);

    int trackWidth() const { return m_trackWidth; }
    int innerLeft() const { return m_left; }
    int innerWidth() const { return m_width; }
    int innerRight() const { return m_left + m_width; }

    double leftPercent() const { return m_leftPercent; }
    double rightPercent() const { return m_rightPercent; }
    bool dragging() const { return m_dragging; }
    bool resizing() const { return m_resizing; }
    // True while the percentages hold a span set by rows (setSpanPercents)
    // rather than one read from the geometry.
    bool spanPinned() const { return m_pinned; }

    // Recomputes both percentages from the current geometry; a span set by
    // rows stays until the user's next gesture.
    void updatePercents();

    // Inner window: a press at X grabs it, moves follow the pointer, the
    // release ends the drag. The window stays inside the track; a press
    // and release without a move changes nothing.
    void innerWindowPressed(int x = 0);
    void innerWindowDragged(int x);
    void innerWindowReleased(int x);

    // Edge handles: a press on either starts a resize; one release serves both.
    void handlePressed(int x = 0);
    void leftHandleDragged(int x);
    void rightHandleDragged(int x);
    void handleReleased();

    // Focus entering the bar ends a drag (not a resize).
    void frameEntered();
    // The bar took a new width: the inner window is anchored on both sides, so
    // it stretches with the track, and is then pushed back inside if needed.
    // The percentages keep their values until the next gesture.
    void trackResized(int newTrackWidth);

    // Places the inner window directly (host layout); percentages unchanged.
    void setInnerGeometry(int left, int width);
    // The inner window spans the whole track and both percentages are 0.
    void selectWholeTrack();
    // Takes percentages worked out from rows the user typed: they are kept
    // exactly, and the inner window is placed as near them as its minimum
    // width allows.
    void setSpanPercents(double leftPercent, double rightPercent);

private:
    void setWidth(int width);
    void placeFromPercents();
    void recomputePercents();

    int m_trackWidth;
    int m_left;
    int m_width;
    double m_leftPercent = 0.0;
    double m_rightPercent = 0.0;
    bool m_dragging = false;
    bool m_resizing = false;
    bool m_pinned = false;
    bool m_movedInGesture = false;
    int m_grabX = 0;  // X of the press, relative to the pressed control
};

}  // namespace chart
