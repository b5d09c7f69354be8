// The range selector bar widget; see range_selector_bar.h.
#include "chart/widgets/range_selector_bar.h"

#include <QLabel>
#include <QMouseEvent>
#include <QResizeEvent>
#include <cmath>

namespace {

QLabel* makeHandle(QWidget* parent, const QString& caption)
{
    auto* handle = new QLabel(caption, parent);
    handle->setAlignment(Qt::AlignCenter);
    QFont font = handle->font();
    font.setBold(true);
    handle->setFont(font);
    handle->setStyleSheet(QStringLiteral("color: red;"));
    handle->setCursor(Qt::SizeHorCursor);
    return handle;
}

int pointerX(const QMouseEvent* event) { return static_cast<int>(std::floor(event->position().x())); }

}  // namespace

RangeSelectorBar::RangeSelectorBar(QWidget* parent)
    : QFrame(parent), m_geometry(441, 88, 86)
{
    setObjectName(QStringLiteral("rangeSelectorBar"));
    setFocusPolicy(Qt::TabFocus);
    resize(441, 17);

    m_track = new QFrame(this);
    m_track->setObjectName(QStringLiteral("track"));
    m_track->setFrameShape(QFrame::Panel);
    m_track->setFrameShadow(QFrame::Sunken);

    m_innerWindow = new QFrame(m_track);
    m_innerWindow->setObjectName(QStringLiteral("innerWindow"));
    m_innerWindow->setFrameShape(QFrame::Panel);
    m_innerWindow->setFrameShadow(QFrame::Raised);
    m_innerWindow->setAutoFillBackground(true);
    QPalette innerPalette = m_innerWindow->palette();
    innerPalette.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    m_innerWindow->setPalette(innerPalette);
    m_innerWindow->setCursor(Qt::PointingHandCursor);

    m_leftHandle = makeHandle(m_innerWindow, QStringLiteral("<"));
    m_leftHandle->setObjectName(QStringLiteral("leftHandle"));
    m_rightHandle = makeHandle(m_innerWindow, QStringLiteral(">"));
    m_rightHandle->setObjectName(QStringLiteral("rightHandle"));

    for (QWidget* w : {static_cast<QWidget*>(m_innerWindow), static_cast<QWidget*>(m_leftHandle),
                       static_cast<QWidget*>(m_rightHandle)})
        w->installEventFilter(this);

    onInnerWindowDragged = [this](int x) { innerWindowDragged(x); };
    onInnerWindowReleased = [this](int x) { innerWindowReleased(x); };
    onLeftHandleDragged = [this](int x) { leftHandleDragged(x); };
    onLeftHandleReleased = [this](int x) { handleReleased(x); };
    onRightHandleDragged = [this](int x) { rightHandleDragged(x); };
    onRightHandleReleased = [this](int x) { handleReleased(x); };  // one release serves both handles

    syncWidgets();
}

void RangeSelectorBar::placeInner(int left, int width)
{
    m_geometry.setInnerGeometry(left, width);
    syncWidgets();
}

void RangeSelectorBar::placeInnerOnFirstLayout(int leftMargin, int rightMargin)
{
    m_placementPending = true;
    m_pendingLeftMargin = leftMargin;
    m_pendingRightMargin = rightMargin;
}

void RangeSelectorBar::syncWidgets()
{
    m_track->setGeometry(rect());
    // Anchored top and bottom: the inner window keeps a one-pixel margin.
    const int innerHeight = std::max(1, m_track->height() - 2);
    m_innerWindow->setGeometry(m_geometry.innerLeft(), 1, m_geometry.innerWidth(), innerHeight);
    const int handle = chart::RangeBarGeometry::kHandleWidth;
    m_leftHandle->setGeometry(0, 0, handle, innerHeight);
    m_rightHandle->setGeometry(m_geometry.innerWidth() - handle, 0, handle, innerHeight);
}

void RangeSelectorBar::updatePercents() { m_geometry.updatePercents(); }

void RangeSelectorBar::selectWholeTrack()
{
    m_placementPending = false;
    m_geometry.selectWholeTrack();
    syncWidgets();
}

void RangeSelectorBar::setSpanPercents(double leftPercent, double rightPercent)
{
    m_placementPending = false;
    m_geometry.setSpanPercents(leftPercent, rightPercent);
    syncWidgets();
}

void RangeSelectorBar::innerWindowPressed(int x) { m_geometry.innerWindowPressed(x); }
void RangeSelectorBar::handlePressed(int x) { m_geometry.handlePressed(x); }

void RangeSelectorBar::innerWindowDragged(int x)
{
    m_geometry.innerWindowDragged(x);
    syncWidgets();
}

void RangeSelectorBar::innerWindowReleased(int x)
{
    m_geometry.innerWindowReleased(x);
    syncWidgets();
}

void RangeSelectorBar::leftHandleDragged(int x)
{
    m_geometry.leftHandleDragged(x);
    syncWidgets();
}

void RangeSelectorBar::rightHandleDragged(int x)
{
    m_geometry.rightHandleDragged(x);
    syncWidgets();
}

void RangeSelectorBar::handleReleased(int /*x*/)
{
    m_geometry.handleReleased();
    syncWidgets();
}

void RangeSelectorBar::frameEntered() { m_geometry.frameEntered(); }

bool RangeSelectorBar::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QFrame::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = pointerX(mouse);
    if (watched == m_innerWindow) {
        if (type == QEvent::MouseButtonPress) innerWindowPressed(x);
        else if (type == QEvent::MouseMove) onInnerWindowDragged(x);
        else onInnerWindowReleased(x);
        return true;
    }
    if (watched == m_leftHandle || watched == m_rightHandle) {
        const bool left = watched == m_leftHandle;
        if (type == QEvent::MouseButtonPress) handlePressed(x);
        else if (type == QEvent::MouseMove) (left ? onLeftHandleDragged : onRightHandleDragged)(x);
        else (left ? onLeftHandleReleased : onRightHandleReleased)(x);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void RangeSelectorBar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_geometry.trackResized(width());
    if (m_placementPending && width() > chart::RangeBarGeometry::kMinTrackWidth) {
        m_geometry.setInnerGeometry(m_pendingLeftMargin, width() - m_pendingLeftMargin - m_pendingRightMargin);
        m_placementPending = false;
    }
    syncWidgets();
}

void RangeSelectorBar::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    frameEntered();
}
