// The main menu and the cool bar with its four tool bars. Every menu item
// carries its tag, help context and shortcut; every tool button runs its menu
// item and shows only an icon, its tag keying the tool tip.
#include "app/main_window.h"

#include "components/platform/control_tags.h"
#include "app/cool_bar.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace app {

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, const QString& caption, int tag,
                                   int helpContext, const QKeySequence& shortcut)
{
    auto* item = new QAction(caption, this);
    item->setObjectName(QLatin1String(name));
    platform::setTag(item, tag);
    platform::setHelpContext(item, helpContext);
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
    platform::setTag(menu, tag);
    platform::setTag(menu->menuAction(), tag);
    if (owner)
        owner->addMenu(menu);
    else
        bar->addMenu(menu);
    return menu;
}

}  // namespace

void MainWindow::buildMenu()
{
    QMenuBar* bar = menuBar();

    fileMenu = addSubMenu(this, nullptr, bar, "mnudatei", QStringLiteral("&Datei"), 10);
    openAction = addMenuItem(fileMenu, "mnuoeffnen", QStringLiteral("Ö&ffnen"), 11, 1002, QKeySequence(Qt::CTRL | Qt::Key_O));
    readAction = addMenuItem(fileMenu, "mnulesen", QStringLiteral("&Neu Lesen"), 12, 1003, QKeySequence(Qt::CTRL | Qt::Key_N));
    fileMenu->addSeparator();
    exitAction = addMenuItem(fileMenu, "mnubeenden", QStringLiteral("&Beenden"), 13, 1001);

    editMenu = addSubMenu(this, nullptr, bar, "mnuBearbeiten", QStringLiteral("&Bearbeiten"), 20);
    controlChartAction = addMenuItem(editMenu, "mnuRegelkarte", QStringLiteral("&Regelkarte"), 21, 1004, QKeySequence(Qt::Key_F3));
    comparisonChartAction = addMenuItem(editMenu, "mnuVglkarte", QStringLiteral("&Vergleich"), 22, 1005, QKeySequence(Qt::Key_F4));
    editMenu->addSeparator();
    saveStatisticsAction = addMenuItem(editMenu, "mnuStatSpeichern", QStringLiteral("Statistik &speichern"), 23, 1006, QKeySequence(Qt::CTRL | Qt::Key_S));
    printStatisticsAction = addMenuItem(editMenu, "mnuStatDrucken", QStringLiteral("Statistik &drucken"), 24, 1007, QKeySequence(Qt::CTRL | Qt::Key_P));
    printSetupAction = addMenuItem(editMenu, "mnuPrintSetup", QStringLiteral("&Printersetup"), 25, 1008, QKeySequence(Qt::Key_F9));

    settingsMenu = addSubMenu(this, nullptr, bar, "mnuEinstellungen", QStringLiteral("&Einstellungen"), 30);
    saveTemplateAction = addMenuItem(settingsMenu, "mnuEinstSpeichern", QStringLiteral("Einstellungen &speichern"), 31, 1009, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    openTemplateAction = addMenuItem(settingsMenu, "mnuTemplate", QStringLiteral("&Template einlesen"), 32, 1010, QKeySequence(Qt::CTRL | Qt::Key_T));
    defaultSettingsAction = addMenuItem(settingsMenu, "mnuDefault", QStringLiteral("&Defaulteinstellungen"), 42, 1018, QKeySequence(Qt::CTRL | Qt::Key_D));
    settingsMenu->addSeparator();
    controlChartLookAction = addMenuItem(settingsMenu, "mnuXYTemplate", QStringLiteral("Template für &Regelkarte"), 33, 1011, QKeySequence(Qt::CTRL | Qt::Key_G));
    comparisonChartLookAction = addMenuItem(settingsMenu, "mnuVglTemplate", QStringLiteral("Template für &Vergleichskarte"), 34, 1012, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G));
    settingsMenu->addSeparator();
    toolBarsMenu = addSubMenu(this, settingsMenu, bar, "mnuToolbars", QStringLiteral("T&oolbar"), 35);
    platform::setHelpContext(toolBarsMenu, 1030);
    platform::setHelpContext(toolBarsMenu->menuAction(), 1030);
    fileToolBarAction = addMenuItem(toolBarsMenu, "mnuTDatei", QStringLiteral("&Datei"), 36, 1031);
    editToolBarAction = addMenuItem(toolBarsMenu, "mnuTBearbeiten", QStringLiteral("&Bearbeiten"), 37, 1032);
    settingsToolBarAction = addMenuItem(toolBarsMenu, "mnuTEinstellungen", QStringLiteral("&Einstellungen"), 38, 1033);
    helpToolBarAction = addMenuItem(toolBarsMenu, "mnuTHilfe", QStringLiteral("&Hilfe"), 39, 1034);
    toolBarsMenu->addSeparator();
    toolBarsOnTopAction = addMenuItem(toolBarsMenu, "mnuTOben", QStringLiteral("&Oben"), 40, 1035);
    toolBarsShownAction = addMenuItem(toolBarsMenu, "mnuTAus", QStringLiteral("e&ingeschaltet"), 41, 1036);
    for (QAction* item : {fileToolBarAction, editToolBarAction, settingsToolBarAction, helpToolBarAction, toolBarsOnTopAction, toolBarsShownAction}) {
        item->setCheckable(true);
        item->setChecked(true);
    }

    helpMenu = addSubMenu(this, nullptr, bar, "mnuHilfe", QStringLiteral("&Hilfe"), 50);
    helpContentsAction = addMenuItem(helpMenu, "mnuInhalt", QStringLiteral("&Inhalt"), 51, 1013);
    whatsThisAction = addMenuItem(helpMenu, "mnuPopup", QStringLiteral("What's This"), 52, 1014, QKeySequence(Qt::SHIFT | Qt::Key_F1));
    aboutAction = addMenuItem(helpMenu, "mnuInfo", QStringLiteral("Inf&o"), 53, 1015);
    switchLanguageAction = addMenuItem(helpMenu, "mnuLang", QStringLiteral("&Sprache wechseln"), 54, 1016);
    hintsAction = addMenuItem(helpMenu, "mnuHints", QStringLiteral("&Hints anzeigen"), 55, 1017);
    hintsAction->setCheckable(true);
    hintsAction->setVisible(false);
}

QToolButton* MainWindow::addToolButton(QToolBar* bar, const char* name, int tag, QAction* menuItem,
                                         const QString& icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    platform::setTag(button, tag);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The menu item's German caption stands in as tool tip until the language table sets it.
    button->setToolTip(QString(menuItem->text()).remove(u'&'));
    // "What's this?" on a tool button tells what its menu item does.
    platform::setHelpContext(button, platform::helpContextOf(menuItem));
    connect(button, &QToolButton::clicked, menuItem, &QAction::trigger);
    bar->addWidget(button);
    return button;
}

void MainWindow::buildCoolBar()
{
    coolBar = new CoolBar(this);
    coolBar->setObjectName(QStringLiteral("coolBar"));

    auto makeBar = [this](const char* name) {
        auto* bar = new QToolBar(this);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(20, 20));
        return bar;
    };

    fileToolBar = makeBar("fileToolBar");
    addToolButton(fileToolBar, "toolbeenden", 1001, exitAction, QStringLiteral("exit"));
    addToolButton(fileToolBar, "tooloeffnen", 1002, openAction, QStringLiteral("open"));
    addToolButton(fileToolBar, "toollesen", 1003, readAction, QStringLiteral("reload"));
    coolBar->addBand(fileToolBar);

    editToolBar = makeBar("editToolBar");
    addToolButton(editToolBar, "toolRegelkarte", 1004, controlChartAction, QStringLiteral("chart"));
    addToolButton(editToolBar, "toolVglkarte", 1005, comparisonChartAction, QStringLiteral("compare"));
    editToolBar->addSeparator();
    addToolButton(editToolBar, "toolStatSpeichern", 1006, saveStatisticsAction, QStringLiteral("save"));
    // These two are check-style buttons: they stay down after a click.
    addToolButton(editToolBar, "toolStatDrucken", 1007, printStatisticsAction, QStringLiteral("print"))->setCheckable(true);
    addToolButton(editToolBar, "toolPrintSetup", 1008, printSetupAction, QStringLiteral("printsetup"))->setCheckable(true);
    coolBar->addBand(editToolBar);

    settingsToolBar = makeBar("settingsToolBar");
    addToolButton(settingsToolBar, "toolEinstSpeichern", 1009, saveTemplateAction, QStringLiteral("template-save"));
    addToolButton(settingsToolBar, "toolTemplate", 1010, openTemplateAction, QStringLiteral("template-open"));
    addToolButton(settingsToolBar, "ToolButton1", 1018, defaultSettingsAction, QStringLiteral("defaults"));
    addToolButton(settingsToolBar, "ToolCollect", 1011, controlChartLookAction, QStringLiteral("chart-template"));
    addToolButton(settingsToolBar, "ToolNext", 1012, comparisonChartLookAction, QStringLiteral("compare-template"));
    coolBar->addBand(settingsToolBar);

    helpToolBar = makeBar("helpToolBar");
    addToolButton(helpToolBar, "ToolInhalt", 1013, helpContentsAction, QStringLiteral("help"));
    addToolButton(helpToolBar, "toolPopUp", 1014, whatsThisAction, QStringLiteral("whatsthis"));
    addToolButton(helpToolBar, "toolInfo", 1015, aboutAction, QStringLiteral("info"));
    addToolButton(helpToolBar, "toolLang", 1016, switchLanguageAction, QStringLiteral("language"));
    coolBar->addBand(helpToolBar);
}

}  // namespace app
