// The range selector bar both chart windows place along their bottom edge: a
// track with a movable, resizable inner window and two edge handles ("<" and
// ">"). The geometry and its rules live in chart::RangeBarGeometry; this
// widget only shows it and turns mouse events into the gesture handlers.
//
// Host contract: the host replaces the move and release handlers through the
// on... hooks below; each host handler first calls the bar's own handler
// (innerWindowDragged, handleReleased, ...) with the same X and then does its
// own work (show the span on a move, redraw on a release). Press handlers
// always stay the bar's.
#pragma once

#include "chart/range_bar_geometry.h"

#include <QFrame>
#include <functional>

class QLabel;

class RangeSelectorBar : public QFrame {
    Q_OBJECT
public:
    explicit RangeSelectorBar(QWidget* parent = nullptr);

    double leftPercent() const { return m_geometry.leftPercent(); }
    double rightPercent() const { return m_geometry.rightPercent(); }
    const chart::RangeBarGeometry& geometryModel() const { return m_geometry; }

    // Places the inner window on the track (host layout); percentages unchanged.
    void placeInner(int left, int width);
    // Places the inner window with these margins as soon as the bar gets its
    // real width from the host's layout (the host's starting placement).
    void placeInnerOnFirstLayout(int leftMargin, int rightMargin);

    void updatePercents();
    // The whole range: the inner window spans the track, both percentages 0.
    void selectWholeTrack();
    // A span the user typed as rows: the percentages are kept exactly and
    // the inner window follows as near as its minimum width allows.
    void setSpanPercents(double leftPercent, double rightPercent);

    // The bar's own gesture handlers; X is relative to the control that got the
    // press. Either handle's press and release go to handlePressed/handleReleased.
    void innerWindowPressed(int x = 0);
    void innerWindowDragged(int x);
    void innerWindowReleased(int x);
    void handlePressed(int x = 0);
    void leftHandleDragged(int x);
    void rightHandleDragged(int x);
    void handleReleased(int x);
    void frameEntered();

    // Hooks the host may replace; by default they run the bar's own handlers.
    std::function<void(int)> onInnerWindowDragged;
    std::function<void(int)> onInnerWindowReleased;
    std::function<void(int)> onLeftHandleDragged;
    std::function<void(int)> onLeftHandleReleased;
    std::function<void(int)> onRightHandleDragged;
    std::function<void(int)> onRightHandleReleased;

    QFrame* track() const { return m_track; }
    QFrame* innerWindow() const { return m_innerWindow; }
    QLabel* leftHandle() const { return m_leftHandle; }
    QLabel* rightHandle() const { return m_rightHandle; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void syncWidgets();

    chart::RangeBarGeometry m_geometry;
    bool m_placementPending = false;
    int m_pendingLeftMargin = 0;
    int m_pendingRightMargin = 0;
    QFrame* m_track;
    QFrame* m_innerWindow;
    QLabel* m_leftHandle;
    QLabel* m_rightHandle;
};
