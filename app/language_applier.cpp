// The language table applier; see language_applier.h.
#include "app/language_applier.h"

#include "app/tagged_texts.h"
#include "components/platform/control_tags.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

namespace app {

namespace {

// The tab widget whose page `widget` is, or null.
QTabWidget* tabWidgetOfPage(QWidget* widget)
{
    auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
    if (!stack) return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(widget) >= 0 ? tabs : nullptr;
}

void setTaggedText(QObject* object, const QString& text)
{
    if (auto* toolButton = qobject_cast<QToolButton*>(object)) {
        toolButton->setToolTip(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        edit->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (QTabWidget* tabs = tabWidgetOfPage(widget)) tabs->setTabText(tabs->indexOf(widget), text);
    }
}

}  // namespace

void applyLanguageTable(QWidget& window, const LanguageTable& table, platform::Language language,
                        TaggedTexts* taggedTexts)
{
    // One walk over the window's objects, in their order, then one look-up per row.
    QMultiHash<int, QObject*> byTag;
    const QList<QObject*> objects = window.findChildren<QObject*>();
    for (QObject* object : objects) {
        const int tag = platform::tagOf(object);
        if (tag != 0) byTag.insert(tag, object);
    }
    for (const LanguageRow& row : table.rows()) {
        const QString& text = row.text(language);
        if (row.tag == 0) {
            window.setWindowTitle(text);
            continue;
        }
        for (auto it = byTag.constFind(row.tag); it != byTag.cend() && it.key() == row.tag; ++it)
            setTaggedText(it.value(), text);
        if (taggedTexts) taggedTexts->setText(row.tag, text);
    }
}

bool applyLanguageFile(QWidget& window, const QString& path, platform::Language language,
                       TaggedTexts* taggedTexts)
{
    const LanguageTable table = LanguageTable::read(path);
    if (!table.isLoaded()) return false;
    applyLanguageTable(window, table, language, taggedTexts);
    return true;
}

}  // namespace app
