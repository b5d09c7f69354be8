// Drag events carrying files are accepted over the target and refused
// everywhere else (so edit boxes do not paste the file's address either).
#include "app/file_drop_hook.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace app {

namespace {

bool carriesFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return true;
    return false;
}

QString firstLocalFile(const QMimeData* data)
{
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return QString();
}

}  // namespace

FileDropHook::FileDropHook(QWidget* target, std::function<void(const QString&)> onFileDropped,
                           QObject* parent)
    : QObject(parent), m_target(target), m_onFileDropped(std::move(onFileDropped))
{
    if (m_target) m_target->setAcceptDrops(true);
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

FileDropHook::~FileDropHook()
{
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool FileDropHook::isOnTarget(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && m_target && (widget == m_target || m_target->isAncestorOf(widget));
}

bool FileDropHook::eventFilter(QObject* watched, QEvent* event)
{
    // Drag events reach the native window first, which passes them on to the
    // widget under the mouse: only the widget's copy is judged.
    if (!watched->isWidgetType()) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!carriesFiles(drag->mimeData())) break;
        if (isOnTarget(watched)) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!carriesFiles(drop->mimeData())) break;
        if (!isOnTarget(watched)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // Only the first file: the import reads one file at a time.
        const QString path = firstLocalFile(drop->mimeData());
        if (m_onFileDropped) m_onFileDropped(path);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace app

