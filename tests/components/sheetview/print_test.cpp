// Printing: page layout of the used range, painting onto a PDF, and the print
// command's PDF offer where no printer is installed.
#include "tests/components/sheetview/qstring_printer.h"
#include "tests/components/sheetview/modal_answer.h"
#include "components/sheetview/print_book.h"
#include "components/sheetview/print_layout.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sheetview;

namespace {

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(content.count(page));
}

QSize pageSize(const QPagedPaintDevice& device)
{
    return QSize(device.width(), device.height());
}

}  // namespace

TEST(PrintLayout, ABookOfThreePagesOfRowsPrintsThreePdfPages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("three.pdf");
    QPdfWriter writer(path);

    sheet::Spreadsheet probe;
    probe.setNumber(1, 1, 1.0);
    const int rowsPerPage = layoutBook(probe, &writer, pageSize(writer)).rowsPerPage;
    ASSERT_GT(rowsPerPage, 10);

    sheet::Spreadsheet book;
    for (int row = 1; row <= 2 * rowsPerPage + 1; ++row)
        for (int col = 1; col <= 3; ++col)
            book.setNumber(row, col, row + col / 10.0);
    EXPECT_EQ(paintBook(book, &writer), 3);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(pdfPageCount(path), 3);
}

TEST(PrintLayout, WideSheetsBreakAcrossColumnsAfterTheRows)
{
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath("wide.pdf"));
    sheet::Spreadsheet book;
    for (int col = 1; col <= 40; ++col) {
        book.setText(1, col, QStringLiteral("a rather long heading %1").arg(col));
        book.setNumber(2, col, col);
    }
    book.setText(3, 40, QString(500, u'x'));  // wider than a page
    const QSize size = pageSize(writer);
    const PrintLayout layout = layoutBook(book, &writer, size);

    ASSERT_GT(layout.pages.size(), 1);
    // Every column on exactly one band, in order; every band fits the page.
    int nextCol = 1;
    for (const PrintPage& page : layout.pages) {
        EXPECT_EQ(page.firstRow, 1);
        EXPECT_EQ(page.lastRow, 3);
        EXPECT_EQ(page.firstCol, nextCol);
        int width = layout.rowHeaderWidth;
        for (int col = page.firstCol; col <= page.lastCol; ++col)
            width += layout.columnWidths[col - 1];
        EXPECT_LE(width, size.width());
        nextCol = page.lastCol + 1;
    }
    EXPECT_EQ(nextCol, 41);
    // Columns are sized to their texts.
    EXPECT_GT(layout.columnWidths[0], layout.rowHeaderWidth);
}

TEST(PrintLayout, APageShowsHeadingsGridAndCellsOnAnImage)
{
    // A4 at 100 dots per inch, as a preview would draw it.
    QImage image(827, 1169, QImage::Format_RGB32);
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    image.fill(Qt::white);
    sheet::Spreadsheet book;
    book.setText(1, 1, "Sample");
    book.setNumber(2, 1, 0.125);
    book.setNumberFormat(2, 1, 2, 1, "0.00%");
    for (int row = 1; row <= 30; ++row)
        book.setNumber(row, 2, row * 1.5);
    const PrintLayout layout = layoutBook(book, &image, image.size());
    ASSERT_EQ(layout.pages.size(), 1);
    {
        QPainter painter(&image);
        painter.setFont(printFont());
        paintPage(painter, book, layout, 0, image.size());
    }
    // The heading row is grey, the first cell below it white with dark text in it.
    const int h = layout.rowHeight;
    EXPECT_EQ(image.pixelColor(layout.rowHeaderWidth + 3, 2).red(), 230);
    EXPECT_EQ(image.pixelColor(layout.rowHeaderWidth + 3, h + 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 40 * h), QColor(Qt::white));  // nothing below the last row
    const QString dir = qEnvironmentVariable("PLOTWISE_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(image.save(QDir(dir).filePath("sheetview_print.png")));
    }
}

TEST(PrintLayout, AnEmptySheetPrintsNothing)
{
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath("empty.pdf"));
    sheet::Spreadsheet book;
    EXPECT_TRUE(layoutBook(book, &writer, pageSize(writer)).pages.isEmpty());
    EXPECT_EQ(paintBook(book, &writer), 0);
}

TEST(PrintLayout, ADeviceThatCannotStartIsAnErrorNotASilentSuccess)
{
    QPdfWriter writer(QStringLiteral("/nonexistent-folder/grid.pdf"));
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 1.0);
    EXPECT_THROW(paintBook(book, &writer), sheet::SheetError);
}

TEST(PrintBook, WithoutPrintersOffersAPdfFileOnTheSetUpsPaper)
{
    if (printersInstalled())
        GTEST_SKIP() << "this machine has printers";
    // What a printer set-up chose holds for the next print.
    const QPageLayout::Orientation before = sharedPrinter().pageLayout().orientation();
    sharedPrinter().setPageOrientation(QPageLayout::Landscape);
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 1.0);
    book.setText(2, 1, "two");
    QTemporaryDir dir;
    const QString path = dir.filePath("grid");  // the suffix is added

    ModalAnswers answers{
        [](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            box->button(QMessageBox::Yes)->click();
        },
        [path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(QFileInfo(path).path());
            dialog->selectFile(QFileInfo(path).fileName());
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept is protected
        },
    };
    EXPECT_EQ(printBook(nullptr, book, false), PrintResult::Printed);
    EXPECT_EQ(answers.unanswered(), 0);
    EXPECT_EQ(answers.leftOpen(), 0);
    EXPECT_EQ(pdfPageCount(path + ".pdf"), 1);
    sharedPrinter().setPageOrientation(before);

    QFile pdf(path + ".pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    static const QRegularExpression mediaBox(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)"));
    const QRegularExpressionMatch box = mediaBox.match(QString::fromLatin1(pdf.readAll()));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble());  // landscape
}

TEST(PrintBook, CancellingThePrinterSetUpKeepsThePrinter)
{
    const QPageLayout before = sharedPrinter().pageLayout();
    ModalAnswers answers{[](QWidget* w) {
        auto* dialog = qobject_cast<QDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    }};
    EXPECT_FALSE(printSetup(nullptr));
    EXPECT_EQ(answers.unanswered(), 0);
    EXPECT_TRUE(sharedPrinter().pageLayout().isEquivalentTo(before));
}

TEST(PrintBook, DecliningThePdfOfferPrintsNothing)
{
    if (printersInstalled())
        GTEST_SKIP() << "this machine has printers";
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 1.0);
    ModalAnswers answers{[](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    }};
    EXPECT_EQ(printBook(nullptr, book, true), PrintResult::Cancelled);
}

TEST(PrintBook, AnEmptyGridIsReportedNotPrinted)
{
    sheet::Spreadsheet book;
    ModalAnswers answers{[](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        box->accept();
    }};
    EXPECT_EQ(printBook(nullptr, book, false), PrintResult::Empty);
    EXPECT_EQ(answers.unanswered(), 0);
    EXPECT_EQ(answers.leftOpen(), 0);
}
