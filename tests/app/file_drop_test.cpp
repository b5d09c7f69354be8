// Files dropped from the desktop or named on the command line: only the
// import grid takes dropped files, only the first of several is opened, and
// both go the way of a file chosen in the open dialog.
#include "tests/app/window_fixture.h"

#include "components/sheetview/sheet_view.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QUrl>

namespace {

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QMimeData* filesData(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    data->setText(paths.join(u'\n'));
    return data;
}

// Sends the drag-enter and the drop a desktop drag ends with; true when the enter was accepted.
bool dropOn(QWidget* target, const QMimeData* data)
{
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

TEST_F(WindowTest, OnlyTheFirstOfThreeDroppedFilesIsImported)
{
    const QString first = appDir.filePath(QStringLiteral("first.csv"));
    writeFile(first, "1;2\n3;4\n");
    writeFile(appDir.filePath(QStringLiteral("second.csv")), "5;6\n");
    auto w = openWindow();
    w->resize(800, 600);
    w->show();
    QSignalSpy dropped(w.get(), &app::MainWindow::fileDropped);
    std::unique_ptr<QMimeData> data(filesData({first, appDir.filePath(QStringLiteral("second.csv")),
                                               QStringLiteral("/data/third.xls")}));

    EXPECT_TRUE(dropOn(w->importSheet->tableView()->viewport(), data.get()));
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.front().front().toString(), first);
    EXPECT_EQ(w->fileNameBox->currentText(), first);
}

TEST_F(WindowTest, ADroppedImportTemplateFillsTheFieldsAndAMissingFileIsNamed)
{
    const QString templateFile = appDir.filePath(QStringLiteral("fields.ctpl"));
    writeFile(templateFile, "[ImportDef]\nGraphTitle=Dropped\n");
    copySampleData();
    auto w = openWindow();
    w->resize(800, 600);
    w->show();
    std::unique_ptr<QMimeData> data(filesData({templateFile}));
    EXPECT_TRUE(dropOn(w->importSheet->tableView()->viewport(), data.get()));
    EXPECT_EQ(w->chartTitleEdit->text(), QStringLiteral("Dropped"));
    EXPECT_EQ(w->currentTemplatePath(), templateFile);
    EXPECT_EQ(w->fileNameBox->currentText(), QString()) << "a template is no data file";

    std::unique_ptr<QMimeData> gone(filesData({QStringLiteral("/data/gone.csv")}));
    EXPECT_TRUE(dropOn(w->importSheet->tableView()->viewport(), gone.get()));
    EXPECT_TRUE(w->statusBar()->currentMessage().contains(QStringLiteral("/data/gone.csv")));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

// A file named on the command line: data is imported and remembered, an
// import template is read into the fields, a missing file leaves the sample
// data and the status bar says why.
TEST_F(WindowTest, CommandLineFileOpensAsDataOrTemplateOrSaysWhyNot)
{
    copySampleData();
    auto w = openWindow();
    w->show();
    const int sampleRows = w->state().importGrid->lastRow();

    const QString missing = appDir.filePath(QStringLiteral("gone.csv"));
    w->openFile(missing);
    EXPECT_EQ(w->state().importGrid->lastRow(), sampleRows) << "the sample data stays";
    EXPECT_TRUE(w->statusBar()->currentMessage().contains(missing)) << w->statusBar()->currentMessage().toStdString();
    EXPECT_FALSE(w->recentEntries().contains(missing));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();

    const QString data = appDir.filePath(QStringLiteral("values.csv"));
    writeFile(data, "1;2;3\n4;5;6\n7;8;9\n");
    w->openFile(data);
    EXPECT_EQ(w->state().importGrid->lastRow(), 3);
    EXPECT_EQ(w->fileNameBox->currentText(), data);
    EXPECT_EQ(w->recentEntries().value(0), data);

    const QString templateFile = appDir.filePath(QStringLiteral("fields.ctpl"));
    writeFile(templateFile, "[ImportDef]\nGraphTitle=From the command line\n");
    w->openFile(templateFile);
    EXPECT_EQ(w->currentTemplatePath(), templateFile);
    EXPECT_EQ(w->chartTitleEdit->text(), QStringLiteral("From the command line"));
    EXPECT_EQ(w->state().importGrid->lastRow(), 3) << "reading a template imports nothing";
}

TEST_F(WindowTest, ADropAnywhereElseDoesNothing)
{
    auto w = openWindow();
    w->show();
    QSignalSpy dropped(w.get(), &app::MainWindow::fileDropped);
    std::unique_ptr<QMimeData> data(filesData({QStringLiteral("/data/first.csv")}));
    w->startColumnEdit->setText(QStringLiteral("1"));

    EXPECT_FALSE(dropOn(w->startColumnEdit, data.get()));
    EXPECT_FALSE(dropOn(w->fileNameBox->lineEdit(), data.get()));
    EXPECT_FALSE(dropOn(w->statisticsSheet->tableView()->viewport(), data.get())) << "the statistics grid takes no files";
    EXPECT_EQ(dropped.count(), 0);
    EXPECT_EQ(w->startColumnEdit->text(), QStringLiteral("1")) << "the edit box does not paste the file's address";
    EXPECT_EQ(w->fileNameBox->currentText(), QString());
}

}  // namespace
