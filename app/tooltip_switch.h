// The application's tool tip switch ("Hints anzeigen"): while it is off, no
// widget of the application shows a tool tip.
#pragma once

#include <QObject>

namespace app {

class ToolTipSwitch : public QObject {
    Q_OBJECT
public:
    // Installs itself as an event filter of the application.
    explicit ToolTipSwitch(QObject* parent = nullptr);
    ~ToolTipSwitch() override;

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_enabled = true;
};

}  // namespace app
