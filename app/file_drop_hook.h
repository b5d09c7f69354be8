// Files dropped from the desktop onto the import grid: the first dropped file
// is handed on, the others are ignored. A file dropped anywhere else in the
// application does nothing. Installed on the application, it sees every drag
// and drop event before the widget under the mouse does.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace app {

class FileDropHook : public QObject {
    Q_OBJECT
public:
    // target: the only widget (with its children) that takes dropped files.
    FileDropHook(QWidget* target, std::function<void(const QString& path)> onFileDropped,
                 QObject* parent = nullptr);
    ~FileDropHook() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isOnTarget(QObject* watched) const;

    QPointer<QWidget> m_target;
    std::function<void(const QString&)> m_onFileDropped;
};

}  // namespace app
