// Test helper: answers the modal dialogs a command opens, one handler per
// dialog in the order they appear, so commands with dialogs run unattended.
// A dialog left open (a handler that failed, or one nobody expected) is
// rejected after a while and counted, so a test fails instead of hanging.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

class ModalAnswers {
public:
    using Handler = std::function<void(QWidget*)>;

    explicit ModalAnswers(std::initializer_list<Handler> handlers) : m_handlers(handlers)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    // Dialogs that were expected but never opened.
    int unanswered() const { return int(m_handlers.size()); }
    // Dialogs that stayed open after their handler, or that nobody expected.
    int leftOpen() const { return m_leftOpen; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal != m_last) {
            m_last = modal;
            m_seenTicks = 0;
            if (!m_handlers.empty()) {
                Handler handler = m_handlers.front();
                m_handlers.pop_front();
                handler(modal);
            }
            return;
        }
        // Still the same dialog: give it two seconds, then close it.
        if (++m_seenTicks == 200) {
            ++m_leftOpen;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    }

    std::deque<Handler> m_handlers;
    QPointer<QWidget> m_last;
    int m_seenTicks = 0;
    int m_leftOpen = 0;
    QTimer m_timer;
};
