// The main window: first start, the tool bar switches, the settings it reads
// and writes, the chart windows' geometry, the graph template choice, the
// sample data and the error report.
#include "tests/app/window_fixture.h"

#include "app/cool_bar.h"
#include "app/plotwise_application.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

namespace {

bool allBandsShown(const app::MainWindow& w)
{
    for (int band = 0; band < 4; ++band)
        if (!w.coolBar->isBandVisible(band) || w.coolBar->toolBar(band)->isHidden()) return false;
    return true;
}

TEST_F(WindowTest, FirstStartChoosesTheLanguageOfTheLocale)
{
    using platform::Language;
    const struct { const char* locale; Language language; } cases[] = {
        {"de_DE", Language::German}, {"de_AT", Language::German}, {"de_CH", Language::German},
        {"en_US", Language::English}, {"fr_FR", Language::English}};
    for (const auto& c : cases) {
        platform::Platform::overrideLocale(QLatin1String(c.locale));
        auto w = openWindow();
        EXPECT_EQ(w->state().language, c.language) << c.locale;
        EXPECT_TRUE(allBandsShown(*w)) << c.locale;
        for (QAction* item : {w->fileToolBarAction, w->editToolBarAction, w->settingsToolBarAction, w->helpToolBarAction, w->toolBarsShownAction, w->toolBarsOnTopAction})
            EXPECT_TRUE(item->isChecked()) << c.locale << " " << item->objectName().toStdString();
        EXPECT_FALSE(w->coolBar->isHidden());
        EXPECT_TRUE(w->isCoolBarOnTop());
        EXPECT_TRUE(w->hintsAction->isChecked());
        EXPECT_EQ(w->pages->currentIndex(), 0);
        EXPECT_EQ(w->state().settingsPath, settingsPath());
        EXPECT_EQ(w->state().applicationDirectory, appDir.path() + u'/');
    }
    EXPECT_FALSE(QFile::exists(settingsPath())) << "nothing is written before the close";
}

TEST_F(WindowTest, StoredLanguageIsKeptAndZeroMeansFirstStart)
{
    writeSettings("[frmovtChart]\nLanguage=1\n[ImportDef]\nRespos1=x\nHeaderLine=abc\n");
    EXPECT_EQ(openWindow()->state().language, platform::Language::English) << "German locale, but English stored";
    writeSettings("[frmovtChart]\nLanguage=0\n");
    EXPECT_EQ(openWindow()->state().language, platform::Language::German);
}

TEST_F(WindowTest, HandWrittenSettingsReachTheControls)
{
    writeSettings("[frmovtChart]\nLanguage=2\nmnuToben=0\nmnuTHilfe=0\nAppHint=0\n"
                  "[importdef]\nRespos1=x\nHeaderLine=abc\nFirstLine=5\nImpFile=/data/a.csv\nGraphTitle=\n"
                  "[GRAPHDEF]\nXYDir=/looks/xy\n");
    auto w = openWindow();
    EXPECT_FALSE(w->isCoolBarOnTop());
    EXPECT_FALSE(w->toolBarsOnTopAction->isChecked());
    EXPECT_FALSE(w->helpToolBarAction->isChecked());
    EXPECT_TRUE(w->helpToolBar->isHidden());
    EXPECT_FALSE(w->hintsAction->isChecked());
    EXPECT_EQ(w->startColumnEdit->text(), QStringLiteral("x"));
    EXPECT_EQ(w->headerRowSpin->value(), 0);
    EXPECT_EQ(w->firstRowEdit->text(), QStringLiteral("5"));
    EXPECT_EQ(w->fileNameBox->currentText(), QStringLiteral("/data/a.csv"));
    EXPECT_EQ(w->state().fileNameText, QStringLiteral("/data/a.csv"));
    EXPECT_EQ(w->chartTitleEdit->text(), QString()) << "an empty value is a value, not a missing key";
    EXPECT_EQ(w->xTitleEdit->text(), QStringLiteral("Zeitraum"));
    EXPECT_EQ(w->xyDialogDir, QStringLiteral("/looks/xy"));
    EXPECT_EQ(w->templateOpenDialogDir, appDir.path() + QStringLiteral("/ImportTemplates"));
}

TEST_F(WindowTest, ToolBarSwitchesHideTheirBandOnly)
{
    auto w = openWindow();
    w->editToolBarAction->trigger();
    EXPECT_FALSE(w->editToolBarAction->isChecked());
    EXPECT_TRUE(w->editToolBar->isHidden());
    EXPECT_FALSE(w->coolBar->isBandVisible(1));
    EXPECT_TRUE(w->coolBar->isBandVisible(0) && w->coolBar->isBandVisible(2) && w->coolBar->isBandVisible(3));
    w->editToolBarAction->trigger();
    EXPECT_TRUE(allBandsShown(*w));

    for (QAction* item : {w->fileToolBarAction, w->settingsToolBarAction, w->helpToolBarAction}) item->trigger();
    EXPECT_TRUE(w->fileToolBar->isHidden() && w->settingsToolBar->isHidden() && w->helpToolBar->isHidden());
    EXPECT_FALSE(w->editToolBar->isHidden());
}

TEST_F(WindowTest, CoolBarTopTwiceReturnsItAndOffOnRestoresTheBands)
{
    auto w = openWindow();
    w->toolBarsOnTopAction->trigger();
    EXPECT_FALSE(w->isCoolBarOnTop());
    w->toolBarsOnTopAction->trigger();
    EXPECT_TRUE(w->isCoolBarOnTop());

    w->settingsToolBarAction->trigger();  // band 2 off before the whole bar goes
    w->toolBarsShownAction->trigger();
    EXPECT_TRUE(w->coolBar->isHidden());
    EXPECT_FALSE(w->toolBarsShownAction->isChecked());
    w->toolBarsShownAction->trigger();
    EXPECT_FALSE(w->coolBar->isHidden());
    EXPECT_TRUE(w->coolBar->isBandVisible(0) && w->coolBar->isBandVisible(1) && w->coolBar->isBandVisible(3));
    EXPECT_FALSE(w->coolBar->isBandVisible(2));
}

TEST_F(WindowTest, EveryToolButtonRunsItsMenuItem)
{
    auto w = openWindow();
    const QList<QPair<const char*, QAction*>> pairs = {
        {"toolbeenden", w->exitAction}, {"tooloeffnen", w->openAction}, {"toollesen", w->readAction},
        {"toolRegelkarte", w->controlChartAction}, {"toolVglkarte", w->comparisonChartAction},
        {"toolStatSpeichern", w->saveStatisticsAction}, {"toolStatDrucken", w->printStatisticsAction},
        {"toolPrintSetup", w->printSetupAction}, {"toolEinstSpeichern", w->saveTemplateAction},
        {"toolTemplate", w->openTemplateAction}, {"ToolButton1", w->defaultSettingsAction}, {"ToolCollect", w->controlChartLookAction},
        {"ToolNext", w->comparisonChartLookAction}, {"ToolInhalt", w->helpContentsAction}, {"toolPopUp", w->whatsThisAction},
        {"toolInfo", w->aboutAction}, {"toolLang", w->switchLanguageAction}};
    for (const auto& [name, item] : pairs) {
        QObject::disconnect(item, &QAction::triggered, w.get(), nullptr);  // no dialogs, no close
        QSignalSpy triggered(item, &QAction::triggered);
        auto* button = w->findChild<QToolButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
        EXPECT_EQ(triggered.count(), 1) << name;
    }
}

TEST_F(WindowTest, FirstCloseWritesTheSectionsInOrderAndTheNextStartRestoresThem)
{
    copySampleData();
    {
        auto w = openWindow();
        w->fileToolBarAction->trigger();
        w->toolBarsOnTopAction->trigger();
        w->hintsAction->trigger();
        w->startColumnEdit->setText(QStringLiteral("$C"));
        w->separatorBox->setEditText(QStringLiteral(";"));
        w->move(31, 42);
        w->resize(700, 650);
        w->close();
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    const platform::Profile written(settingsPath());
    EXPECT_EQ(written.sections(),
              (QStringList{"frmtxtChart", "frmxyCompare", "frmovtChart", "ImportDef", "GraphDef"}));
    EXPECT_EQ(written.readInteger("frmovtChart", "Language", 0), 2);
    EXPECT_EQ(written.readInteger("frmxyCompare", "Height", 0), app::kComparisonDefault.height);

    auto w = openWindow();
    EXPECT_FALSE(w->fileToolBarAction->isChecked());
    EXPECT_TRUE(w->fileToolBar->isHidden());
    EXPECT_FALSE(w->isCoolBarOnTop());
    EXPECT_FALSE(w->hintsAction->isChecked());
    EXPECT_EQ(w->startColumnEdit->text(), QStringLiteral("$C"));
    EXPECT_EQ(w->separatorBox->currentText(), QStringLiteral(";"));
    EXPECT_EQ(w->pos(), QPoint(31, 42));
    EXPECT_EQ(w->size(), QSize(700, 650));
    EXPECT_EQ(w->state().language, platform::Language::German);
}

TEST_F(WindowTest, ClosingWithAChartWindowOpenSavesItsGeometryAndDestroysIt)
{
    QPointer<QWidget> made;
    app::ChartWindowFactories factories;
    factories.controlChart = [&made](chart::ProgramState&) {
        made = new QWidget;
        made->setObjectName(QStringLiteral("frmtxtChart"));
        return made.data();
    };
    {
        auto w = openWindow(factories);
        ASSERT_EQ(w->controlChartWindow(), made.data());
        ASSERT_NE(w->comparisonWindow(), nullptr) << "a placeholder for the comparison window";
        EXPECT_TRUE(made->isHidden()) << "created hidden";
        made->show();
        made->move(15, 25);
        made->resize(510, 410);
        w->close();
        EXPECT_TRUE(made.isNull()) << "destroyed by the close";
        EXPECT_EQ(w->controlChartWindow(), nullptr);
    }
    const platform::Profile written(settingsPath());
    EXPECT_EQ(written.readInteger("frmtxtChart", "Height", 0), 410);
    EXPECT_EQ(written.readInteger("frmtxtChart", "width", 0), 510);
    EXPECT_EQ(written.readInteger("frmtxtChart", "top", 0), 25);
    EXPECT_EQ(written.readInteger("frmtxtChart", "left", 0), 15);

    auto w = openWindow(factories);
    EXPECT_EQ(w->controlChartWindow()->size(), QSize(510, 410));
    EXPECT_EQ(w->controlChartWindow()->pos(), QPoint(15, 25));
}

TEST_F(WindowTest, ChoosingAGraphTemplateWritesItsKeyAtOnce)
{
    auto w = openWindow();
    QString askedIn;
    w->setOpenFileAsker([&](QWidget*, const QString&, const QString& dir, const QString&) {
        askedIn = dir;
        return QString();
    });
    w->controlChartLookAction->trigger();
    EXPECT_FALSE(QFile::exists(settingsPath())) << "a cancelled choice writes nothing";

    const QString chosen = appDir.filePath(QStringLiteral("looks/mine.vtc"));
    w->setOpenFileAsker([&](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
    w->comparisonChartLookAction->trigger();
    EXPECT_EQ(platform::Profile(settingsPath()).readString("Graphdef", "VglFile", {}), chosen);
    EXPECT_EQ(w->vglDialogDir, appDir.filePath(QStringLiteral("looks")));
    EXPECT_TRUE(platform::Profile(settingsPath()).readString("GraphDef", "XYFile", {}).isEmpty());
}

TEST_F(WindowTest, SampleDataFillsTheImportGrid)
{
    copySampleData();
    auto w = openWindow();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    const sheet::Spreadsheet& grid = *w->state().importGrid;
    EXPECT_GE(grid.lastRow(), 151);
    EXPECT_LE(grid.lastRow(), 301);
    EXPECT_EQ(grid.lastCol(), 4);
    EXPECT_EQ(w->state().job.lastDataRow, grid.lastRow());
    EXPECT_FALSE(grid.showFormulas);
    EXPECT_FALSE(grid.showEditBar);
}

TEST_F(WindowTest, MissingSampleDataIsReportedAndTheWindowStillOpens)
{
    auto w = openWindow();
    ASSERT_EQ(errors.size(), 2) << "the statistics template and the sample data";
    EXPECT_TRUE(errors.front().contains(QStringLiteral("ChartdatenG.def"))) << errors.front().toStdString();
    EXPECT_TRUE(errors.back().contains(QStringLiteral("Sampledata_multi.vts"))) << errors.back().toStdString();
    EXPECT_EQ(w->state().job.lastDataRow, 0);
    EXPECT_NE(w->controlChartWindow(), nullptr);
    EXPECT_NE(w->comparisonWindow(), nullptr);
}

TEST_F(WindowTest, RefusedSettingsWriteIsReportedAndTheCloseGoesOn)
{
    copySampleData();
    ASSERT_TRUE(QDir(appDir.path()).mkdir(QStringLiteral("Plotwise.INI")));  // a folder where the file belongs
    auto w = openWindow();
    w->show();
    w->close();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.front(), QStringLiteral("nach %1 kann nicht geschrieben werden").arg(settingsPath()));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->controlChartWindow(), nullptr);
}

TEST_F(WindowTest, ProgramStateFollowsTheEditBoxes)
{
    auto w = openWindow();
    w->xTitleEdit->setText(QStringLiteral("Tag"));
    w->yTitleEdit->setText(QStringLiteral("mm"));
    w->fileNameBox->setEditText(QStringLiteral("/data/b.csv"));
    EXPECT_EQ(w->state().xTitleText, QStringLiteral("Tag"));
    EXPECT_EQ(w->state().yTitleText, QStringLiteral("mm"));
    EXPECT_EQ(w->state().fileNameText, QStringLiteral("/data/b.csv"));
    EXPECT_NE(w->state().scratchGrid, w->state().importGrid);
    EXPECT_NE(w->state().statisticsGrid, w->state().importGrid);
}

// An object whose event handler fails, as a command handler might.
class FailingObject : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) throw std::runtime_error("the command failed");
        return QObject::event(e);
    }
};

TEST_F(WindowTest, AnErrorInAHandlerIsReportedAndTheProgramGoesOn)
{
    FailingObject object;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.front(), QStringLiteral("the command failed"));
}

}  // namespace

namespace {

TEST_F(WindowTest, InfoShowsTheAboutBoxModally)
{
    auto w = openWindow();
    w->show();
    QString shownText;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        modal = box->isModal();
        for (const QLabel* label : box->findChildren<QLabel*>()) shownText += label->text() + u' ';
        static_cast<QDialog*>(box)->accept();
    });
    w->aboutAction->trigger();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(shownText.contains(app::AboutBox::programTitle()));
    EXPECT_TRUE(shownText.contains(app::AboutBox::programVersion()));
    EXPECT_FALSE(app::AboutBox::programVersion().isEmpty());
}

}  // namespace
