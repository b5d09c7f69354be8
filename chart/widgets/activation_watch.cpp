// Activation of a chart window; see activation_watch.h.
#include "chart/widgets/activation_watch.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <QWindow>

namespace {

bool isDialogWindow(QWindow* window)
{
    if (window == nullptr)
        return false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window)
            return qobject_cast<QDialog*>(w) != nullptr;
    return false;
}

}  // namespace

ActivationWatch::ActivationWatch(QWidget& window, std::function<void()> onActivated)
    : QObject(&window), m_window(window), m_onActivated(std::move(onActivated))
{
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &ActivationWatch::focusWindowChanged);
}

void ActivationWatch::focusWindowChanged(QWindow* now)
{
    const QWindow* own = m_window.windowHandle();
    if (now != nullptr && now == own && !isDialogWindow(m_previousFocusWindow) && m_window.isVisible())
        m_onActivated();
    // Remember what took the focus; a dialog closed since then is judged by what it was.
    if (now != own)
        m_previousFocusWindow = isDialogWindow(now) ? now : nullptr;
    else
        m_previousFocusWindow = nullptr;
}
