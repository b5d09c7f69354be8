// Swallows tool tip requests while the switch is off.
#include "app/tooltip_switch.h"

#include <QCoreApplication>
#include <QEvent>

namespace app {

ToolTipSwitch::ToolTipSwitch(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

ToolTipSwitch::~ToolTipSwitch()
{
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool ToolTipSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_enabled && event->type() == QEvent::ToolTip) return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace app
