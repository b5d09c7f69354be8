// Bands are raised frames with a grip line at their left edge, like the bands
// of a desktop rebar, laid out left to right.
#include "app/cool_bar.h"

#include <QHBoxLayout>
#include <QToolBar>

namespace app {

namespace {

// The grip at the left edge of a band.
QFrame* makeGrip(QWidget* parent)
{
    auto* grip = new QFrame(parent);
    grip->setFrameShape(QFrame::VLine);
    grip->setFrameShadow(QFrame::Raised);
    grip->setLineWidth(2);
    grip->setFixedWidth(6);
    return grip;
}

}  // namespace

CoolBar::CoolBar(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_layout = new QHBoxLayout(this);
    m_layout->setContentsMargins(2, 1, 2, 1);
    m_layout->setSpacing(4);
    m_layout->addStretch(1);
}

int CoolBar::addBand(QToolBar* toolBar)
{
    auto* band = new QFrame(this);
    band->setFrameShape(QFrame::StyledPanel);
    band->setFrameShadow(QFrame::Raised);
    band->setObjectName(QStringLiteral("band%1").arg(m_bands.size()));
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(2);
    layout->addWidget(makeGrip(band));
    toolBar->setParent(band);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    layout->addWidget(toolBar);
    // Before the trailing stretch, so bands pack to the left.
    m_layout->insertWidget(m_layout->count() - 1, band);
    m_bands << band;
    m_toolBars << toolBar;
    return static_cast<int>(m_bands.size()) - 1;
}

void CoolBar::setBandVisible(int index, bool visible)
{
    if (QWidget* b = band(index)) b->setVisible(visible);
}

bool CoolBar::isBandVisible(int index) const
{
    const QWidget* b = band(index);
    return b && !b->isHidden();
}

void CoolBar::realign()
{
    m_layout->invalidate();
    updateGeometry();
}

}  // namespace app
