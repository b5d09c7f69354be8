// The main window's commands that call into the import, the chart job and the
// statistics output: the default template on a first start, the recent-files
// list, a dropped file reaching the grid, the header-row field, the control
// chart command, the template commands and saving a grid.
#include "tests/app/window_fixture.h"

#include "components/sheetview/sheet_view.h"
#include "components/sheetview/sheet_table_view.h"
#include "compare/widgets/comparison_window.h"
#include "components/chart/chart_view.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CommandTest : public WindowTest {
protected:
    void copyShipped(const char* name) const
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/") + QLatin1String(name),
                                appDir.filePath(QLatin1String(name))));
    }
};

TEST_F(CommandTest, FirstStartAppliesTheDefaultTemplateOfTheLanguage)
{
    copyShipped("sampledata_multi_g.ctpl");
    copyShipped("sampledata_multi_e.ctpl");
    {
        auto w = openWindow();
        EXPECT_EQ(w->firstRowEdit->text(), QStringLiteral("2"));
        EXPECT_EQ(w->headerRowSpin->value(), 1);
        EXPECT_EQ(w->xColumnEdit->text(), QStringLiteral("$A"));
        EXPECT_EQ(w->xTitleEdit->text(), QStringLiteral("Datum"));
    }
    platform::Platform::overrideLocale(QStringLiteral("en_GB"));
    EXPECT_EQ(openWindow()->xTitleEdit->text(), QStringLiteral("Date"));

    writeSettings("[frmovtChart]\nLanguage=2\n[ImportDef]\nXtitle=Schicht\n");
    EXPECT_EQ(openWindow()->xTitleEdit->text(), QStringLiteral("Schicht")) << "a stored language skips the template";
}

TEST_F(CommandTest, RecentFilesAreLoadedAtStartAndSavedAtClose)
{
    writeText(appDir.filePath(QStringLiteral("LastOpenFiles.dat")), "/data/b.csv\r\n/data/a.xls\r\n");
    writeSettings("[frmovtChart]\nLanguage=1\n[ImportDef]\nImpFile=/data/typed.csv\n");
    auto w = openWindow();
    EXPECT_EQ(w->recentEntries(), (QStringList{"/data/b.csv", "/data/a.xls"}));
    EXPECT_EQ(w->fileNameBox->currentText(), QStringLiteral("/data/typed.csv")) << "the list does not replace the name";
    w->fileNameBox->removeItem(0);
    w->close();
    EXPECT_EQ(readText(appDir.filePath(QStringLiteral("LastOpenFiles.dat"))), QByteArray("/data/a.xls\r\n"));
}

TEST_F(CommandTest, ADroppedTextFileReachesTheImportGrid)
{
    auto w = openWindow();
    w->show();
    w->separatorBox->setEditText(QStringLiteral(";"));
    const QString first = appDir.filePath(QStringLiteral("first.csv"));
    writeText(first, "x;y\n1.5;2\n3;4\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(appDir.filePath(QStringLiteral("second.csv")))});
    QWidget* target = w->importSheet->tableView()->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);

    const sheet::Spreadsheet& grid = *w->state().importGrid;
    EXPECT_EQ(grid.lastRow(), 3);
    EXPECT_EQ(grid.text(1, 2), QStringLiteral("y"));
    EXPECT_DOUBLE_EQ(grid.number(2, 1), 1.5);
    EXPECT_EQ(w->state().job.lastDataRow, 3);
    EXPECT_EQ(w->recentEntries(), QStringList()) << "a drop does not touch the recent list";
}

TEST_F(CommandTest, HeaderRowFieldFollowsTheFirstRow)
{
    auto w = openWindow();
    w->firstRowEdit->setText(QStringLiteral("5"));
    EXPECT_TRUE(w->headerRowSpin->isEnabled());
    EXPECT_EQ(w->headerRowSpin->maximum(), 4);
    w->headerRowSpin->setValue(3);
    w->firstRowEdit->setText(QStringLiteral("abc"));
    EXPECT_EQ(w->headerRowSpin->value(), 3) << "a first row that is no integer changes nothing";
    w->firstRowEdit->setText(QStringLiteral("1"));
    EXPECT_FALSE(w->headerRowSpin->isEnabled());
    EXPECT_EQ(w->headerRowSpin->value(), 0);
}

TEST_F(CommandTest, ControlChartCommandFillsTheJobFromTheSelection)
{
    copySampleData();
    auto w = openWindow();
    w->firstRowEdit->setText(QStringLiteral("2"));
    w->lastRowEdit->setText(QString());
    w->xColumnEdit->setText(QStringLiteral("$A"));
    w->state().importGrid->setSelection({{1, 4, 5, 4}, {1, 2, 5, 3}});
    w->showControlChart();
    const chart::ChartJob& job = w->state().job;
    EXPECT_EQ(job.valueColumns, (std::array<std::int32_t, 3>{4, 2, 3}));
    EXPECT_EQ(job.xColumn, 1);
    EXPECT_EQ(job.firstDataRow, 2);
    EXPECT_EQ(job.lastDataRow, w->state().importGrid->lastRow());
    EXPECT_TRUE(w->controlChartWindow()->isHidden()) << "a placeholder window is never shown";
}

TEST_F(CommandTest, ABuiltChartTitleStartsWithTheTaggedCaption)
{
    copySampleData();
    auto w = openWindow();
    w->chartTitleEdit->setText(QString());
    w->state().importGrid->setSelection({{1, 2, 5, 2}});
    w->showControlChart();
    EXPECT_TRUE(w->state().job.chartTitle.startsWith(QString::fromUtf8("Auswertung über ")))
        << w->state().job.chartTitle.toStdString();
    w->taggedTexts().setText(app::TaggedTexts::kTitleCaption, QStringLiteral("Evaluation of "));
    w->showControlChart();
    EXPECT_TRUE(w->state().job.chartTitle.startsWith(QStringLiteral("Evaluation of ")))
        << w->state().job.chartTitle.toStdString();
}

TEST_F(CommandTest, TheControlChartWindowOpensOnF3)
{
    copySampleData();
    copyShipped("xycharte.def");
    copyShipped("xychartg.def");
    copyShipped("ctadefault.vtc");
    auto w = openWindow(app::programChartWindows());
    w->show();
    w->firstRowEdit->setText(QStringLiteral("2"));
    w->state().importGrid->setSelection({{1, 2, 5, 4}});
    w->controlChartAction->trigger();
    EXPECT_TRUE(w->controlChartWindow()->isVisible());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    w->close();
    EXPECT_EQ(w->controlChartWindow(), nullptr);
}

TEST_F(CommandTest, F4ShowsTheComparisonWindowBesideTheMainWindowAndItsPlaceIsKept)
{
    copySampleData();
    auto w = openWindow(app::programChartWindows());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->firstRowEdit->setText(QStringLiteral("2"));
    w->state().importGrid->setSelection({{1, 2, 5, 4}});
    w->comparisonChartAction->trigger();
    auto* window = qobject_cast<ComparisonWindow*>(w->comparisonWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    window->activate();
    EXPECT_EQ(window->chartComponent()->columnCount(), 3) << "three marked columns, three series";
    EXPECT_EQ(window->chartComponent()->rowCount(), w->state().job.lastDataRow - 1);
    // The look file is missing from this folder: the status bar says which.
    EXPECT_TRUE(w->statusBar()->currentMessage().contains(QStringLiteral("vgldefault.vtc")))
        << w->statusBar()->currentMessage().toStdString();

    // First placement: not over the main window's menu and tool bars.
    const QRect mainFrame = w->frameGeometry();
    const int barsBottom = w->pages->mapToGlobal(QPoint(0, 0)).y();
    const QRect placed = window->frameGeometry();
    const bool besideOrBelow = !placed.intersects(mainFrame);
    EXPECT_TRUE(besideOrBelow || placed.top() >= barsBottom) << "placed at " << placed.x() << "," << placed.y();

    window->resize(400, 300);
    window->move(40, 60);
    const QPoint kept = window->pos();
    w->close();
    auto again = openWindow(app::programChartWindows());
    EXPECT_EQ(again->comparisonWindow()->pos(), kept) << "reopened where it was closed";
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(CommandTest, StoredChartWindowSizesBeyondTheScreenArePulledOntoIt)
{
    writeSettings("[frmxyCompare]\nHeight=30000\nwidth=30000\ntop=-9000\nleft=90000\n");
    auto w = openWindow(app::programChartWindows());
    QWidget* window = w->comparisonWindow();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());
    EXPECT_TRUE(screen.contains(window->pos())) << window->x() << "," << window->y();
}

TEST_F(CommandTest, StatisticsColumnsShowTheWholeTitleAndATipForTheRest)
{
    copySampleData();
    auto w = openWindow();
    w->show();
    const QString title = QString::fromUtf8("Auswertung über Spalte B, Spalte C und Spalte D");
    const QString path = QStringLiteral("/home/user/measurements/line-4/") + QString(60, u'x') + QStringLiteral(".csv");
    w->state().statisticsGrid->setText(1, 2, title);
    w->state().statisticsGrid->setText(2, 2, path);
    w->pages->setCurrentIndex(1);
    auto* table = qobject_cast<sheetview::SheetTableView*>(w->statisticsSheet->tableView());
    ASSERT_NE(table, nullptr);
    QTRY_VERIFY(table->columnWidth(1) >= table->fontMetrics().horizontalAdvance(title));
    EXPECT_LE(table->columnWidth(1), 480) << "within reason";
    const QPoint titleCell = table->visualRect(table->model()->index(0, 1)).center();
    const QPoint pathCell = table->visualRect(table->model()->index(1, 1)).center();
    EXPECT_EQ(table->cutTextTip(titleCell), QString()) << "whole text shown: no tip";
    EXPECT_EQ(table->cutTextTip(pathCell), path) << "the rest as a tool tip";
}

TEST_F(CommandTest, AFailedSaveIsReportedNotPassedOffAsDone)
{
    copySampleData();
    auto w = openWindow();
    const QString target = appDir.filePath(QStringLiteral("no-such-folder/out.vts"));
    w->setSaveGridAsker([&](QWidget*, const QString&, QString* path, sheet::FileFormat* format) {
        *path = target;
        *format = sheet::FileFormat::Native;
        return true;
    });
    w->saveStatisticsAction->trigger();
    EXPECT_FALSE(QFile::exists(target));
    ASSERT_EQ(errors.size(), 1) << "the user learns that nothing was saved";
    EXPECT_TRUE(errors.front().contains(QStringLiteral("out.vts"))) << errors.front().toStdString();
}

TEST_F(CommandTest, ImportTemplatesSaveAndReadTheFields)
{
    auto w = openWindow();
    const QString chosen = appDir.filePath(QStringLiteral("tpl/shaft"));
    QDir().mkpath(appDir.filePath(QStringLiteral("tpl")));
    w->setSaveFileAsker([&](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
    w->startColumnEdit->setText(QStringLiteral("$B"));
    w->chartTitleEdit->setText(QStringLiteral("Welle"));
    w->saveTemplateAction->trigger();
    ASSERT_TRUE(QFile::exists(chosen + QStringLiteral(".ctpl")));
    EXPECT_EQ(w->templateOpenDialogDir, appDir.filePath(QStringLiteral("tpl")));

    w->startColumnEdit->setText(QStringLiteral("1"));
    w->chartTitleEdit->setText(QString());
    w->setOpenFileAsker([&](QWidget*, const QString&, const QString&, const QString&) {
        return chosen + QStringLiteral(".ctpl");
    });
    w->openTemplateAction->trigger();
    EXPECT_EQ(w->startColumnEdit->text(), QStringLiteral("$B"));
    EXPECT_EQ(w->chartTitleEdit->text(), QStringLiteral("Welle"));
    EXPECT_EQ(w->currentTemplatePath(), chosen + QStringLiteral(".ctpl"));
}

TEST_F(CommandTest, SavingWritesTheGridOfTheShownPage)
{
    copySampleData();
    auto w = openWindow();
    const QString target = appDir.filePath(QStringLiteral("out.vts"));
    sheet::FileFormat offeredFormat{};
    QStringList titles;
    w->taggedTexts().setText(app::TaggedTexts::kStatisticsSaveTitle, QStringLiteral("Statistik speichern"));
    w->setSaveGridAsker([&](QWidget*, const QString& title, QString* path, sheet::FileFormat* format) {
        titles.append(title);
        offeredFormat = *format;
        *path = target;
        *format = sheet::FileFormat::Native;
        return true;
    });
    w->saveStatisticsAction->trigger();
    EXPECT_EQ(offeredFormat, sheet::FileFormat::Xlsx);
    sheet::Spreadsheet saved;
    saved.read(target);
    EXPECT_EQ(saved.lastRow(), w->state().importGrid->lastRow()) << "page 1: the import grid";

    w->setSaveGridAsker([&](QWidget*, const QString& title, QString*, sheet::FileFormat*) {
        titles.append(title);
        return false;
    });
    QFile::remove(target);
    w->pages->setCurrentIndex(1);
    w->saveStatisticsAction->trigger();
    EXPECT_EQ(titles, (QStringList{w->taggedTexts().text(app::TaggedTexts::kImportSaveTitle), "Statistik speichern"}))
        << "each page's tagged title";
    EXPECT_NE(titles.value(0), QStringLiteral("lblmess")) << "a real title, not the placeholder";
    EXPECT_FALSE(QFile::exists(target)) << "a cancelled dialog writes nothing";
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

}  // namespace

namespace {

TEST_F(CommandTest, DeleteInTheOpenListRemovesTheHighlightedEntry)
{
    writeText(appDir.filePath(QStringLiteral("LastOpenFiles.dat")), "/a.csv\r\n/b.csv\r\n/c.csv\r\n");
    auto w = openWindow();
    w->show();
    w->fileNameBox->setEditText(QStringLiteral("/typed.csv"));
    w->fileNameBox->showPopup();
    QAbstractItemView* list = w->fileNameBox->view();
    list->setCurrentIndex(list->model()->index(1, 0));
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &del);
    w->fileNameBox->hidePopup();
    EXPECT_EQ(w->recentEntries(), (QStringList{"/a.csv", "/c.csv"}));
}

TEST_F(CommandTest, HintsSwitchSilencesToolTips)
{
    auto w = openWindow();
    w->show();
    QWidget* button = w->findChild<QToolButton*>(QStringLiteral("toolInfo"));
    ASSERT_NE(button, nullptr);
    auto askForTip = [&] {
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(button, &tip);
        const bool shown = QToolTip::isVisible();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));  // the tip fades out on a timer
        return shown;
    };
    EXPECT_TRUE(askForTip());
    w->hintsAction->trigger();
    EXPECT_FALSE(w->hintsAction->isChecked());
    EXPECT_FALSE(askForTip());
    w->close();
    EXPECT_EQ(platform::Profile(settingsPath()).readString("frmovtChart", "AppHint", {}), QStringLiteral("0"));
}

}  // namespace

namespace {

TEST_F(CommandTest, ReadingAgainFindsABareFileNameInTheApplicationDirectory)
{
    copySampleData();
    copyShipped("sampledata_multi_g.ctpl");
    auto w = openWindow();
    ASSERT_EQ(w->fileNameBox->currentText(), QStringLiteral("Sampledata_multi.vts")) << "as the default template names it";
    w->state().importGrid->clearRange(-1, -1, -1, -1, sheet::ClearKind::All);
    w->readDataFile();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_GT(w->state().importGrid->lastRow(), 150);
    EXPECT_EQ(w->state().job.lastDataRow, w->state().importGrid->lastRow());
}

}  // namespace
