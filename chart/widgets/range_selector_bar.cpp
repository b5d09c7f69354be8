// The range selector bar widget; see range_selector_bar.h.
#include "range_selector_bar.h"

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

Tfrmsizepanel::Tfrmsizepanel(QWidget* parent)
    : QFrame(parent), m_geometry(441, 88, 86)
{
    setObjectName(QStringLiteral("Tfrmsizepanel1"));
    setFocusPolicy(Qt::TabFocus);
    resize(441, 17);

    m_paussen = new QFrame(this);
    m_paussen->setObjectName(QStringLiteral("paussen"));
    m_paussen->setFrameShape(QFrame::Panel);
    m_paussen->setFrameShadow(QFrame::Sunken);

    m_pinnen = new QFrame(m_paussen);
    m_pinnen->setObjectName(QStringLiteral("pinnen"));
    m_pinnen->setFrameShape(QFrame::Panel);
    m_pinnen->setFrameShadow(QFrame::Raised);
    m_pinnen->setAutoFillBackground(true);
    QPalette innerPalette = m_pinnen->palette();
    innerPalette.setColor(QPalette::Window, palette().color(QPalette::Active, QPalette::Highlight));
    m_pinnen->setPalette(innerPalette);
    m_pinnen->setCursor(Qt::PointingHandCursor);

    m_plinks = makeHandle(m_pinnen, QStringLiteral("<"));
    m_plinks->setObjectName(QStringLiteral("plinks"));
    m_prechts = makeHandle(m_pinnen, QStringLiteral(">"));
    m_prechts->setObjectName(QStringLiteral("prechts"));

    for (QWidget* w : {static_cast<QWidget*>(m_pinnen), static_cast<QWidget*>(m_plinks),
                       static_cast<QWidget*>(m_prechts)})
        w->installEventFilter(this);

    onPinnenMouseMove = [this](int x) { pinnenMouseMove(x); };
    onPinnenMouseUp = [this](int x) { pinnenMouseUp(x); };
    onPlinksMouseMove = [this](int x) { plinksMouseMove(x); };
    onPlinksMouseUp = [this](int x) { plinksMouseUp(x); };
    onPrechtsMouseMove = [this](int x) { prechtsMouseMove(x); };
    onPrechtsMouseUp = [this](int x) { plinksMouseUp(x); };  // one release serves both handles

    syncWidgets();
}

void Tfrmsizepanel::placeInner(int left, int width)
{
    m_geometry.setInnerGeometry(left, width);
    syncWidgets();
}

void Tfrmsizepanel::placeInnerOnFirstLayout(int leftMargin, int rightMargin)
{
    m_placementPending = true;
    m_pendingLeftMargin = leftMargin;
    m_pendingRightMargin = rightMargin;
}

void Tfrmsizepanel::syncWidgets()
{
    m_paussen->setGeometry(rect());
    // Anchored top and bottom: the inner window keeps a one-pixel margin.
    const int innerHeight = std::max(1, m_paussen->height() - 2);
    m_pinnen->setGeometry(m_geometry.innerLeft(), 1, m_geometry.innerWidth(), innerHeight);
    const int handle = chart::RangeBarGeometry::kHandleWidth;
    m_plinks->setGeometry(0, 0, handle, innerHeight);
    m_prechts->setGeometry(m_geometry.innerWidth() - handle, 0, handle, innerHeight);
}

void Tfrmsizepanel::UpdatePercents() { m_geometry.UpdatePercents(); }

void Tfrmsizepanel::pinnenMouseDown() { m_geometry.pinnenMouseDown(); }
void Tfrmsizepanel::plinksMouseDown() { m_geometry.plinksMouseDown(); }

void Tfrmsizepanel::pinnenMouseMove(int x)
{
    m_geometry.pinnenMouseMove(x);
    syncWidgets();
}

void Tfrmsizepanel::pinnenMouseUp(int x)
{
    m_geometry.pinnenMouseUp(x);
    syncWidgets();
}

void Tfrmsizepanel::plinksMouseMove(int x)
{
    m_geometry.plinksMouseMove(x);
    syncWidgets();
}

void Tfrmsizepanel::prechtsMouseMove(int x)
{
    m_geometry.prechtsMouseMove(x);
    syncWidgets();
}

void Tfrmsizepanel::plinksMouseUp(int /*x*/)
{
    m_geometry.plinksMouseUp();
    syncWidgets();
}

void Tfrmsizepanel::FrameEnter() { m_geometry.FrameEnter(); }

bool Tfrmsizepanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QFrame::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = pointerX(mouse);
    if (watched == m_pinnen) {
        if (type == QEvent::MouseButtonPress) pinnenMouseDown();
        else if (type == QEvent::MouseMove) onPinnenMouseMove(x);
        else onPinnenMouseUp(x);
        return true;
    }
    if (watched == m_plinks || watched == m_prechts) {
        const bool left = watched == m_plinks;
        if (type == QEvent::MouseButtonPress) plinksMouseDown();
        else if (type == QEvent::MouseMove) (left ? onPlinksMouseMove : onPrechtsMouseMove)(x);
        else (left ? onPlinksMouseUp : onPrechtsMouseUp)(x);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void Tfrmsizepanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    m_geometry.FrameResize(width());
    if (m_placementPending && width() > chart::RangeBarGeometry::kMinTrackWidth) {
        m_geometry.setInnerGeometry(m_pendingLeftMargin, width() - m_pendingLeftMargin - m_pendingRightMargin);
        m_placementPending = false;
    }
    syncWidgets();
}

void Tfrmsizepanel::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    FrameEnter();
}
