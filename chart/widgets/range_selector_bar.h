// Tfrmsizepanel: the range selector bar both chart windows place along their
// bottom edge. A track (paussen) with a movable, resizable inner window
// (pinnen) and two edge handles (plinks "<", prechts ">"); the geometry and
// its rules live in chart::RangeBarGeometry, this widget only shows it and
// turns mouse events into the gesture handlers.
//
// Host contract: the host replaces the move and release handlers through the
// on... hooks below; each host handler first calls the bar's own handler
// (pinnenMouseMove, plinksMouseUp, ...) with the same X and then does its
// own work (show the span on a move, redraw on a release). Press handlers
// always stay the bar's.
#pragma once

#include "range_bar_geometry.h"

#include <QFrame>
#include <functional>

class QLabel;

class Tfrmsizepanel : public QFrame {
    Q_OBJECT
public:
    explicit Tfrmsizepanel(QWidget* parent = nullptr);

    double LeftPercent() const { return m_geometry.leftPercent(); }
    double RightPercent() const { return m_geometry.rightPercent(); }
    const chart::RangeBarGeometry& geometryModel() const { return m_geometry; }

    // Places the inner window on the track (host layout); percentages unchanged.
    void placeInner(int left, int width);
    // Places the inner window with these margins as soon as the bar gets its
    // real width from the host's layout (the host's design placement).
    void placeInnerOnFirstLayout(int leftMargin, int rightMargin);

    void UpdatePercents();

    // The bar's own gesture handlers; X is relative to the control that got the press.
    void pinnenMouseDown();
    void pinnenMouseMove(int x);
    void pinnenMouseUp(int x);
    void plinksMouseDown();
    void plinksMouseMove(int x);
    void prechtsMouseMove(int x);
    void plinksMouseUp(int x);
    void FrameEnter();

    // Hooks the host may replace; by default they run the bar's own handlers.
    std::function<void(int)> onPinnenMouseMove;
    std::function<void(int)> onPinnenMouseUp;
    std::function<void(int)> onPlinksMouseMove;
    std::function<void(int)> onPlinksMouseUp;
    std::function<void(int)> onPrechtsMouseMove;
    std::function<void(int)> onPrechtsMouseUp;

    QFrame* paussen() const { return m_paussen; }
    QFrame* pinnen() const { return m_pinnen; }
    QLabel* plinks() const { return m_plinks; }
    QLabel* prechts() const { return m_prechts; }

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
    QFrame* m_paussen;
    QFrame* m_pinnen;
    QLabel* m_plinks;
    QLabel* m_prechts;
};
