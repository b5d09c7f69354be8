// Tells a chart window when it becomes the active window. Returning from a
// dialog of the window's own work (a message box, the chart's settings
// dialog) is no activation: it must not redraw the chart.
#pragma once

#include <QObject>
#include <functional>

class QWidget;
class QWindow;

class ActivationWatch : public QObject {
    Q_OBJECT
public:
    // Runs onActivated each time the visible window takes the focus.
    ActivationWatch(QWidget& window, std::function<void()> onActivated);

private:
    void focusWindowChanged(QWindow* now);

    QWidget& m_window;
    std::function<void()> m_onActivated;
    QWindow* m_previousFocusWindow = nullptr;
};
