// Files dropped from the desktop: only the import grid takes them, and only
// the first of several files is imported.
#include "tests/app/window_fixture.h"

#include "components/sheetview/sheet_view.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QUrl>

namespace {

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
    auto w = openWindow();
    w->resize(800, 600);
    w->show();
    QSignalSpy dropped(w.get(), &app::MainWindow::fileDropped);
    std::unique_ptr<QMimeData> data(filesData({QStringLiteral("/data/first.csv"), QStringLiteral("/data/second.csv"),
                                               QStringLiteral("/data/third.xls")}));

    EXPECT_TRUE(dropOn(w->importSheet->tableView()->viewport(), data.get()));
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_EQ(dropped.front().front().toString(), QStringLiteral("/data/first.csv"));
    EXPECT_EQ(w->fileNameBox->currentText(), QStringLiteral("/data/first.csv"));
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
