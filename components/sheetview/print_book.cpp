// Print and printer set-up of the grid, with a PDF file where no printer exists.
#include "components/sheetview/print_book.h"

#include "components/sheetview/print_layout.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace sheetview {

namespace {

QPrinter* g_printer = nullptr;

void deleteSharedPrinter()
{
    delete g_printer;
    g_printer = nullptr;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("sheetview::printBook", text);
}

PrintResult printToPdf(QWidget* parent, const sheet::Spreadsheet& book)
{
    const auto answer = QMessageBox::question(
        parent, tr("Print"), tr("No printer is installed.\nPrint to a PDF file instead?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return PrintResult::Cancelled;
    QString path = QFileDialog::getSaveFileName(parent, tr("Print to PDF file"), QString(),
                                                tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return PrintResult::Cancelled;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");

    QPdfWriter writer(path);
    writer.setPageLayout(sharedPrinter().pageLayout());  // the set-up's paper and margins
    writer.setTitle(book.numSheets() > 0 ? book.sheetName(book.activeSheet()) : QString());
    try {
        paintBook(book, &writer);
    } catch (const sheet::SheetError&) {
        throw sheet::SheetError(QStringLiteral("Cannot write the PDF file %1.").arg(path));
    }
    return PrintResult::Printed;
}

}  // namespace

QPrinter& sharedPrinter()
{
    if (!g_printer) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        // Deleted with the application object: a printer outliving it would
        // tear down after the print system it belongs to.
        qAddPostRoutine(deleteSharedPrinter);
    }
    return *g_printer;
}

bool printersInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

PrintResult printBook(QWidget* parent, sheet::Spreadsheet& book, bool showDialog)
{
    if (book.lastRow() <= 0 || book.lastCol() <= 0) {
        QMessageBox::information(parent, tr("Print"), tr("The grid is empty: there is nothing to print."));
        return PrintResult::Empty;
    }
    if (!printersInstalled())
        return printToPdf(parent, book);

    QPrinter& printer = sharedPrinter();
    if (showDialog) {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return PrintResult::Cancelled;
    }
    try {
        paintBook(book, &printer);
    } catch (const sheet::SheetError&) {
        throw sheet::SheetError(QStringLiteral("Cannot print on the printer %1.").arg(printer.printerName()));
    }
    return PrintResult::Printed;
}

bool printSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&sharedPrinter(), parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace sheetview
