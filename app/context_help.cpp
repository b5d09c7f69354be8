// Context help; see context_help.h.
#include "app/context_help.h"

#include "components/platform/control_tags.h"
#include "components/platform/install_layout.h"
#include "help/help_collection.h"
#include "help/help_window.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QWhatsThis>

namespace app {

namespace {

void showNote(const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Plotwise"), text);
}

}  // namespace

ContextHelp::ContextHelp(SituationOf situationOf, QObject* parent)
    : QObject(parent), m_situationOf(std::move(situationOf)), m_messenger(showNote),
      m_userDirectory(help::defaultUserDirectory())
{
    qApp->installEventFilter(this);
}

ContextHelp::~ContextHelp()
{
    delete m_helpWindow.data();
}

void ContextHelp::setLanguage(platform::Language language, const QStringList& shippedFolders)
{
    m_language = language;
    m_shippedFolders = shippedFolders;
    m_popupTexts = PopupTexts::read(platform::shippedFilePath(shippedFolders, PopupTexts::fileName(language)));
    if (shippedFolders != m_preparedFrom) m_preparedPath.clear();
    m_preparedFrom = shippedFolders;
    // An open help window follows, at the topic it showed last.
    if (m_helpWindow && m_helpWindow->isVisible() && m_lastContext != 0) showContext(m_lastContext);
}

void ContextHelp::applyPopupTexts(QWidget& window) const
{
    QList<QObject*> objects = window.findChildren<QObject*>();
    objects.prepend(&window);
    for (QObject* object : objects) {
        const int context = platform::helpContextOf(object);
        if (context == 0 || qobject_cast<QLabel*>(object)) continue;
        const QString text = m_popupTexts.text(context);
        if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setWhatsThis(text);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setWhatsThis(text);
    }
}

bool ContextHelp::showContext(int helpContext)
{
    // The copy is prepared once per language and run; the help window keeps it open.
    if (m_preparedLanguage != m_language || m_preparedPath.isEmpty() || !QFileInfo::exists(m_preparedPath)) {
        const help::PreparedCollection collection =
            help::prepareCollection(m_shippedFolders, m_userDirectory, m_language);
        if (collection.path.isEmpty()) {
            m_messenger(collection.error);
            return false;
        }
        m_preparedPath = collection.path;
        m_preparedLanguage = m_language;
    }
    if (!m_helpWindow) m_helpWindow = new help::HelpWindow;
    if (!m_helpWindow->openCollection(m_preparedPath, m_language)) {
        m_messenger(help::cannotOpenText(m_language, m_preparedPath));
        m_preparedPath.clear();
        return false;
    }
    m_lastContext = helpContext;
    if (!m_helpWindow->showContext(helpContext)) m_helpWindow->showContext(kContentsContext);
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
    return true;
}

void ContextHelp::enterWhatsThisMode()
{
    QWhatsThis::enterWhatsThisMode();
}

int ContextHelp::helpForControl(QWidget* focus)
{
    const int context = chooseF1Context(m_situationOf(focus));
    showContext(context);
    return context;
}

bool ContextHelp::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // The first delivery of the press only: the key event travels up the parents.
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()
            && watched->isWidgetType()) {
            helpForControl(QApplication::focusWidget());
            return true;
        }
        break;
    }
    case QEvent::WhatsThis:
    case QEvent::QueryWhatsThis: {
        // A label has nothing to say, and must not borrow the text of a parent:
        // the event travels up the parents, so each of them asks what lies
        // under the pointer.
        const auto* help = static_cast<QHelpEvent*>(event);
        if (qobject_cast<QLabel*>(watched) || qobject_cast<QLabel*>(QApplication::widgetAt(help->globalPos()))) {
            // Taken, so no parent shows its text; the pointer shows that there is none.
            event->setAccepted(event->type() == QEvent::WhatsThis);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace app
