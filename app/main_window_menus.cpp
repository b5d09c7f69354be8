// The main menu and the cool bar with its four tool bars. Every menu item
// carries its tag, help context and shortcut; every tool button runs its menu
// item and shows only an icon, its tag keying the tool tip.
#include "main_window.h"

#include "control_tags.h"
#include "cool_bar.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace app {

QAction* TfrmovtChart::addMenuItem(QMenu* menu, const char* name, const QString& caption, int tag,
                                   int helpContext, const QKeySequence& shortcut)
{
    auto* item = new QAction(caption, this);
    item->setObjectName(QLatin1String(name));
    setTag(item, tag);
    setHelpContext(item, helpContext);
    if (!shortcut.isEmpty()) {
        item->setShortcut(shortcut);
        item->setShortcutContext(Qt::ApplicationShortcut);
    }
    menu->addAction(item);
    return item;
}

namespace {

QMenu* addSubMenu(QWidget* parent, QMenu* owner, QMenuBar* bar, const char* name,
                  const QString& caption, int tag)
{
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1String(name));
    setTag(menu, tag);
    setTag(menu->menuAction(), tag);
    if (owner)
        owner->addMenu(menu);
    else
        bar->addMenu(menu);
    return menu;
}

}  // namespace

void TfrmovtChart::buildMenu()
{
    QMenuBar* bar = menuBar();

    mnudatei = addSubMenu(this, nullptr, bar, "mnudatei", QStringLiteral("&Datei"), 10);
    mnuoeffnen = addMenuItem(mnudatei, "mnuoeffnen", QStringLiteral("Ö&ffnen"), 11, 1002, QKeySequence(Qt::CTRL | Qt::Key_O));
    mnulesen = addMenuItem(mnudatei, "mnulesen", QStringLiteral("&Neu Lesen"), 12, 1003, QKeySequence(Qt::CTRL | Qt::Key_N));
    mnudatei->addSeparator();
    mnubeenden = addMenuItem(mnudatei, "mnubeenden", QStringLiteral("&Beenden"), 13, 1001);

    mnuBearbeiten = addSubMenu(this, nullptr, bar, "mnuBearbeiten", QStringLiteral("&Bearbeiten"), 20);
    mnuRegelkarte = addMenuItem(mnuBearbeiten, "mnuRegelkarte", QStringLiteral("&Regelkarte"), 21, 1004, QKeySequence(Qt::Key_F3));
    mnuVglkarte = addMenuItem(mnuBearbeiten, "mnuVglkarte", QStringLiteral("&Vergleich"), 22, 1005, QKeySequence(Qt::Key_F4));
    mnuBearbeiten->addSeparator();
    mnuStatSpeichern = addMenuItem(mnuBearbeiten, "mnuStatSpeichern", QStringLiteral("Statistik &speichern"), 23, 1006, QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuStatDrucken = addMenuItem(mnuBearbeiten, "mnuStatDrucken", QStringLiteral("Statistik &drucken"), 24, 1007, QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuPrintSetup = addMenuItem(mnuBearbeiten, "mnuPrintSetup", QStringLiteral("&Printersetup"), 25, 1008, QKeySequence(Qt::Key_F9));

    mnuEinstellungen = addSubMenu(this, nullptr, bar, "mnuEinstellungen", QStringLiteral("&Einstellungen"), 30);
    mnuEinstSpeichern = addMenuItem(mnuEinstellungen, "mnuEinstSpeichern", QStringLiteral("Einstellungen &speichern"), 31, 1009, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    mnuTemplate = addMenuItem(mnuEinstellungen, "mnuTemplate", QStringLiteral("&Template einlesen"), 32, 1010, QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuDefault = addMenuItem(mnuEinstellungen, "mnuDefault", QStringLiteral("&Defaulteinstellungen"), 42, 1018, QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuEinstellungen->addSeparator();
    mnuXYTemplate = addMenuItem(mnuEinstellungen, "mnuXYTemplate", QStringLiteral("Template für &Regelkarte"), 33, 1011, QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuVglTemplate = addMenuItem(mnuEinstellungen, "mnuVglTemplate", QStringLiteral("Template für &Vergleichskarte"), 34, 1012, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G));
    mnuEinstellungen->addSeparator();
    mnuToolbars = addSubMenu(this, mnuEinstellungen, bar, "mnuToolbars", QStringLiteral("T&oolbar"), 35);
    setHelpContext(mnuToolbars, 1030);
    setHelpContext(mnuToolbars->menuAction(), 1030);
    mnuTDatei = addMenuItem(mnuToolbars, "mnuTDatei", QStringLiteral("&Datei"), 36, 1031);
    mnuTBearbeiten = addMenuItem(mnuToolbars, "mnuTBearbeiten", QStringLiteral("&Bearbeiten"), 37, 1032);
    mnuTEinstellungen = addMenuItem(mnuToolbars, "mnuTEinstellungen", QStringLiteral("&Einstellungen"), 38, 1033);
    mnuTHilfe = addMenuItem(mnuToolbars, "mnuTHilfe", QStringLiteral("&Hilfe"), 39, 1034);
    mnuToolbars->addSeparator();
    mnuTOben = addMenuItem(mnuToolbars, "mnuTOben", QStringLiteral("&Oben"), 40, 1035);
    mnuTAus = addMenuItem(mnuToolbars, "mnuTAus", QStringLiteral("e&ingeschaltet"), 41, 1036);
    for (QAction* item : {mnuTDatei, mnuTBearbeiten, mnuTEinstellungen, mnuTHilfe, mnuTOben, mnuTAus}) {
        item->setCheckable(true);
        item->setChecked(true);
    }

    mnuHilfe = addSubMenu(this, nullptr, bar, "mnuHilfe", QStringLiteral("&Hilfe"), 50);
    mnuInhalt = addMenuItem(mnuHilfe, "mnuInhalt", QStringLiteral("&Inhalt"), 51, 1013);
    mnuPopup = addMenuItem(mnuHilfe, "mnuPopup", QStringLiteral("What's This"), 52, 1014, QKeySequence(Qt::SHIFT | Qt::Key_F1));
    mnuInfo = addMenuItem(mnuHilfe, "mnuInfo", QStringLiteral("Inf&o"), 53, 1015);
    mnuLang = addMenuItem(mnuHilfe, "mnuLang", QStringLiteral("&Sprache wechseln"), 54, 1016);
    mnuHints = addMenuItem(mnuHilfe, "mnuHints", QStringLiteral("&Hints anzeigen"), 55, 1017);
    mnuHints->setCheckable(true);
    mnuHints->setVisible(false);
}

QToolButton* TfrmovtChart::addToolButton(QToolBar* bar, const char* name, int tag, QAction* menuItem,
                                         const QString& icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    setTag(button, tag);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The design caption of the menu item stands in as tool tip until the language table sets it.
    button->setToolTip(QString(menuItem->text()).remove(u'&'));
    connect(button, &QToolButton::clicked, menuItem, &QAction::trigger);
    bar->addWidget(button);
    return button;
}

void TfrmovtChart::buildCoolBar()
{
    CoolBar1 = new CoolBar(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));

    auto makeBar = [this](const char* name) {
        auto* bar = new QToolBar(this);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(20, 20));
        return bar;
    };

    ToolBar1 = makeBar("ToolBar1");
    addToolButton(ToolBar1, "toolbeenden", 1001, mnubeenden, QStringLiteral("exit"));
    addToolButton(ToolBar1, "tooloeffnen", 1002, mnuoeffnen, QStringLiteral("open"));
    addToolButton(ToolBar1, "toollesen", 1003, mnulesen, QStringLiteral("reload"));
    CoolBar1->addBand(ToolBar1);

    ToolBar2 = makeBar("ToolBar2");
    addToolButton(ToolBar2, "toolRegelkarte", 1004, mnuRegelkarte, QStringLiteral("chart"));
    addToolButton(ToolBar2, "toolVglkarte", 1005, mnuVglkarte, QStringLiteral("compare"));
    ToolBar2->addSeparator();
    addToolButton(ToolBar2, "toolStatSpeichern", 1006, mnuStatSpeichern, QStringLiteral("save"));
    // These two are check-style buttons in the design: they stay down after a click.
    addToolButton(ToolBar2, "toolStatDrucken", 1007, mnuStatDrucken, QStringLiteral("print"))->setCheckable(true);
    addToolButton(ToolBar2, "toolPrintSetup", 1008, mnuPrintSetup, QStringLiteral("printsetup"))->setCheckable(true);
    CoolBar1->addBand(ToolBar2);

    ToolBar3 = makeBar("ToolBar3");
    addToolButton(ToolBar3, "toolEinstSpeichern", 1009, mnuEinstSpeichern, QStringLiteral("template-save"));
    addToolButton(ToolBar3, "toolTemplate", 1010, mnuTemplate, QStringLiteral("template-open"));
    addToolButton(ToolBar3, "ToolButton1", 1018, mnuDefault, QStringLiteral("defaults"));
    addToolButton(ToolBar3, "ToolCollect", 1011, mnuXYTemplate, QStringLiteral("chart-template"));
    addToolButton(ToolBar3, "ToolNext", 1012, mnuVglTemplate, QStringLiteral("compare-template"));
    CoolBar1->addBand(ToolBar3);

    ToolBar4 = makeBar("ToolBar4");
    addToolButton(ToolBar4, "ToolInhalt", 1013, mnuInhalt, QStringLiteral("help"));
    addToolButton(ToolBar4, "toolPopUp", 1014, mnuPopup, QStringLiteral("whatsthis"));
    addToolButton(ToolBar4, "toolInfo", 1015, mnuInfo, QStringLiteral("info"));
    addToolButton(ToolBar4, "toolLang", 1016, mnuLang, QStringLiteral("language"));
    CoolBar1->addBand(ToolBar4);
}

}  // namespace app
