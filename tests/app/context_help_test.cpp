// Context help on the real windows: F1 opens the topic its rules choose,
// "Inhalt" opens context 20, every help context a control carries has a
// topic in both collections, a missing collection is one line naming where it
// was looked for, labels never pop up, and the help window follows the switch.
#include "tests/app/window_fixture.h"

#include "app/context_help.h"
#include "components/platform/control_tags.h"
#include "components/sheetview/sheet_view.h"
#include "help/help_collection.h"
#include "help/help_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEngineCore>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QWhatsThis>

namespace {

class HelpTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        copySampleData();
        for (const char* name : {"frmovtChart.dat", "frmtxtChart.dat", "frmxyCompare.dat", "ovtchartPopEng.txt", "ovtchartPopGer.txt"})
            copyFrom(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/"), name);
        for (const char* name : {"ovtchartEng.qhc", "ovtchartEng.qch", "ovtchartGer.qhc", "ovtchartGer.qch"})
            copyFrom(QStringLiteral(PLOTWISE_BUILD_APP_DIR "/"), name);
    }

    void copyFrom(const QString& folder, const char* name) const
    {
        ASSERT_TRUE(QFile::copy(folder + QLatin1String(name), appDir.filePath(QLatin1String(name)))) << name;
    }

    std::unique_ptr<app::MainWindow> openHelpWindow()
    {
        auto w = openWindow(app::programChartWindows());
        w->contextHelp().setUserDirectory(userDir.path());
        w->contextHelp().setMessenger([this](const QString& text) { notes << text; });
        return w;
    }

    QString shownFragment(app::MainWindow& w) const
    {
        return w.contextHelp().helpWindow() ? w.contextHelp().helpWindow()->currentUrl().fragment() : QString();
    }

    QTemporaryDir userDir;
    QStringList notes;
};

bool whatsThisShown()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && QLatin1String(widget->metaObject()->className()) == QLatin1String("QWhatsThat")) return true;
    return false;
}

}  // namespace

TEST_F(HelpTest, ContentsOpenContextTwentyAndFollowTheSwitch)
{
    platform::Platform::overrideLocale(QStringLiteral("en_US"));
    auto w = openHelpWindow();
    w->helpContentsAction->trigger();
    ASSERT_TRUE(notes.isEmpty()) << notes.join(u'\n').toStdString();
    EXPECT_EQ(w->contextHelp().lastContext(), 20);
    EXPECT_EQ(shownFragment(*w), QStringLiteral("ctx20"));
    EXPECT_TRUE(w->contextHelp().helpWindow()->collectionPath().startsWith(userDir.path())) << "the user's copy";
    EXPECT_EQ(w->contextHelp().helpWindow()->windowTitle(), QStringLiteral("Plotwise Help"));
    w->switchLanguage();
    EXPECT_TRUE(w->contextHelp().helpWindow()->collectionPath().endsWith(QStringLiteral("ovtchartGer.qhc")));
    EXPECT_EQ(w->contextHelp().helpWindow()->windowTitle(), QStringLiteral("Plotwise-Hilfe"));
    EXPECT_TRUE(w->contextHelp().helpWindow()->browser()->toPlainText().contains(QStringLiteral("Plotwise-Hilfe")));
    // An open help window neither keeps the program running nor outlives the main window's close.
    EXPECT_FALSE(w->contextHelp().helpWindow()->testAttribute(Qt::WA_QuitOnClose));
    w->close();
    EXPECT_FALSE(w->contextHelp().helpWindow()->isVisible());
}

TEST_F(HelpTest, F1OpensTheTopicOfItsRules)
{
    auto w = openHelpWindow();
    app::ContextHelp& help = w->contextHelp();
    auto* chart = w->controlChartWindow();
    const struct { QWidget* focus; int page; int context; } cases[] = {
        {w->startColumnEdit, 1, 24},          // rule 1 beats the statistics page
        {w->separatorBox->lineEdit(), 0, 24},
        {w->importSheet, 1, 28},
        {w->statisticsSheet, 1, 29},
        {w->chartTitleEdit, 1, 29},           // rule 3: anything while page 2 is shown
        {w->pages->tabBar(), 0, 100},         // rule 4: the page control's own context
        {w->fileNameBox->lineEdit(), 0, 30},
        {w->openFileButton, 0, 30},
        {w->readFileButton, 0, 30},
        {w->lastRowEdit, 0, 26},              // rule 8
    };
    for (const auto& c : cases) {
        w->pages->setCurrentIndex(c.page);
        EXPECT_EQ(help.helpForControl(c.focus), c.context) << c.focus->objectName().toStdString();
        EXPECT_EQ(shownFragment(*w), QStringLiteral("ctx%1").arg(c.context)) << c.context;
    }
    // Rules 6 and 3 in the control chart window: it is the active window.
    chart->show();
    QApplication::setActiveWindow(chart);
    w->pages->setCurrentIndex(0);
    EXPECT_EQ(help.helpForControl(chart->findChild<QPushButton*>(QStringLiteral("meanButton"))), 50);
    w->pages->setCurrentIndex(1);
    EXPECT_EQ(help.helpForControl(chart->findChild<QPushButton*>(QStringLiteral("meanButton"))), 29);
    chart->hide();

    // The key itself, on the focused control.
    w->show();
    QApplication::setActiveWindow(w.get());
    w->pages->setCurrentIndex(0);
    w->endColumnEdit->setFocus();
    QTest::keyClick(w->endColumnEdit, Qt::Key_F1);
    EXPECT_EQ(help.lastContext(), 24);
    EXPECT_TRUE(notes.isEmpty()) << notes.join(u'\n').toStdString();
    w->close();
}

TEST_F(HelpTest, EveryHelpContextOfEveryWindowHasATopicInBothCollections)
{
    auto w = openHelpWindow();
    QSet<int> contexts = {20};
    for (QWidget* window : {static_cast<QWidget*>(w.get()), w->controlChartWindow(), w->comparisonWindow()}) {
        if (const int own = platform::helpContextOf(window)) contexts.insert(own);
        for (QObject* object : window->findChildren<QObject*>())
            if (const int context = platform::helpContextOf(object)) contexts.insert(context);
    }
    EXPECT_GE(contexts.size(), 50);
    for (platform::Language language : {platform::Language::English, platform::Language::German}) {
        const help::PreparedCollection collection = help::prepareCollection({appDir.path() + u'/'}, userDir.path(), language);
        ASSERT_FALSE(collection.path.isEmpty()) << collection.error.toStdString();
        QHelpEngineCore engine(collection.path);
        ASSERT_TRUE(engine.setupData());
        for (int context : contexts) {
            const QUrl topic = help::topicForContext(engine, context);
            EXPECT_EQ(topic.fragment(), QStringLiteral("ctx%1").arg(context)) << context;
            EXPECT_TRUE(engine.fileData(topic).contains(QStringLiteral("name=\"ctx%1\"").arg(context).toUtf8())) << context;
        }
    }
    // Each pop-up list has a text for every context a control carries.
    for (int context : contexts) {
        if (context == 20) continue;
        EXPECT_FALSE(w->contextHelp().popupTexts().text(context).isEmpty()) << context;
    }
    w->close();
}

TEST_F(HelpTest, AMissingCollectionIsOneLineNamingWhereItWasLookedFor)
{
    ASSERT_TRUE(QFile::remove(appDir.filePath(QStringLiteral("ovtchartGer.qhc"))));
    auto w = openHelpWindow();
    ASSERT_EQ(w->state().language, platform::Language::German);
    w->helpContentsAction->trigger();
    QTest::keyClick(w->firstRowEdit, Qt::Key_F1);
    w->contextHelp().helpForControl(w->firstRowEdit);
    ASSERT_GE(notes.size(), 1);
    for (const QString& note : notes) {
        EXPECT_FALSE(note.contains(u'\n'));
        EXPECT_TRUE(note.contains(QStringLiteral("ovtchartGer.qhc"))) << note.toStdString();
        EXPECT_TRUE(note.contains(QDir::toNativeSeparators(appDir.path()))) << note.toStdString();
    }
    EXPECT_EQ(w->contextHelp().helpWindow(), nullptr);
    w->close();
}

TEST_F(HelpTest, WhatsThisShowsControlsTextsButNeverALabels)
{
    auto w = openHelpWindow();
    w->show();
    EXPECT_TRUE(w->separatorBox->whatsThis().startsWith(QLatin1String("<b>Spaltentrenner</b>")));
    EXPECT_TRUE(w->openAction->whatsThis().startsWith(QString::fromUtf8("<b>Öffnen</b>")));
    EXPECT_FALSE(w->findChild<QToolButton*>(QStringLiteral("toolLang"))->whatsThis().isEmpty()) << "tool buttons explain their command";
    auto* label = w->findChild<QLabel*>(QStringLiteral("separatorLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->whatsThis().isEmpty());

    // A label inside a page with a text of its own still shows nothing.
    QHelpEvent onLabel(QEvent::WhatsThis, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &onLabel);
    EXPECT_FALSE(whatsThisShown());
    QHelpEvent query(QEvent::QueryWhatsThis, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &query);
    EXPECT_FALSE(query.isAccepted()) << "the pointer shows that a label has nothing to say";

    QHelpEvent onField(QEvent::WhatsThis, QPoint(2, 2), w->startColumnEdit->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w->startColumnEdit, &onField);
    EXPECT_TRUE(whatsThisShown());
    QWhatsThis::hideText();

    w->whatsThisAction->trigger();
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    w->close();
}
