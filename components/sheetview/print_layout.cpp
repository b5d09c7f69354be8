// Page layout and painting of a printed grid.
#include "components/sheetview/print_layout.h"

#include "components/sheet/cell_address.h"
#include "components/sheetview/cell_display.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace sheetview {

QFont printFont()
{
    QFont font;
    font.setPointSize(9);
    return font;
}

PrintLayout layoutBook(const sheet::Spreadsheet& book, QPaintDevice* device, const QSize& pageSize,
                       const QFont& font)
{
    PrintLayout layout;
    const int lastRow = book.lastRow();
    const int lastCol = book.lastCol();
    if (lastRow <= 0 || lastCol <= 0 || pageSize.isEmpty())
        return layout;

    const QFontMetrics metrics(font, device);
    const int padding = std::max(metrics.averageCharWidth() / 2, 1) * 2;
    layout.rowHeight = metrics.height() + metrics.height() / 3;
    layout.footerHeight = layout.rowHeight * 2;
    layout.rowHeaderWidth = metrics.horizontalAdvance(QString::number(lastRow)) + 2 * padding;

    // A column never gets wider than a page; longer texts are cut with "...".
    const int widest = std::max(pageSize.width() - layout.rowHeaderWidth, 1);
    layout.columnWidths.resize(lastCol);
    for (int col = 1; col <= lastCol; ++col) {
        int width = metrics.horizontalAdvance(sheet::columnLetters(col));
        for (int row = 1; row <= lastRow && width < widest; ++row)
            width = std::max(width, metrics.horizontalAdvance(displayText(book, row, col)));
        layout.columnWidths[col - 1] = std::min(width + 2 * padding, widest);
    }

    const int bodyHeight = pageSize.height() - layout.footerHeight - layout.rowHeight;
    layout.rowsPerPage = std::max(bodyHeight / layout.rowHeight, 1);

    // Bands of columns that fit across a page.
    QVector<std::pair<int, int>> bands;
    int bandStart = 1;
    int used = 0;
    for (int col = 1; col <= lastCol; ++col) {
        const int w = layout.columnWidths[col - 1];
        if (col > bandStart && used + w > widest) {
            bands.append({bandStart, col - 1});
            bandStart = col;
            used = 0;
        }
        used += w;
    }
    bands.append({bandStart, lastCol});

    for (const auto& [first, last] : bands)
        for (int row = 1; row <= lastRow; row += layout.rowsPerPage)
            layout.pages.append({row, std::min(row + layout.rowsPerPage - 1, lastRow), first, last});
    return layout;
}

void paintPage(QPainter& painter, const sheet::Spreadsheet& book, const PrintLayout& layout,
               int pageIndex, const QSize& pageSize)
{
    const PrintPage& page = layout.pages.at(pageIndex);
    const int pageNumber = pageIndex + 1;
    const int pageCount = int(layout.pages.size());
    const QFontMetrics metrics = painter.fontMetrics();
    const int padding = std::max(metrics.averageCharWidth() / 2, 1);
    const int h = layout.rowHeight;
    const int rows = page.lastRow - page.firstRow + 1;
    int tableWidth = layout.rowHeaderWidth;
    for (int col = page.firstCol; col <= page.lastCol; ++col)
        tableWidth += layout.columnWidths[col - 1];
    const int tableHeight = h * (rows + 1);

    // Headings on a light grey ground.
    painter.fillRect(0, 0, tableWidth, h, QColor(230, 230, 230));
    painter.fillRect(0, h, layout.rowHeaderWidth, tableHeight - h, QColor(230, 230, 230));

    int x = layout.rowHeaderWidth;
    for (int col = page.firstCol; col <= page.lastCol; ++col) {
        const int w = layout.columnWidths[col - 1];
        painter.drawText(QRect(x, 0, w, h), Qt::AlignCenter, sheet::columnLetters(col));
        x += w;
    }
    for (int i = 0; i < rows; ++i) {
        const int row = page.firstRow + i;
        const int y = h * (i + 1);
        painter.drawText(QRect(padding, y, layout.rowHeaderWidth - 2 * padding, h),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(row));
        x = layout.rowHeaderWidth;
        for (int col = page.firstCol; col <= page.lastCol; ++col) {
            const int w = layout.columnWidths[col - 1];
            const QString text = displayText(book, row, col);
            if (!text.isEmpty()) {
                const QRect cell(x + padding, y, w - 2 * padding, h);
                painter.drawText(cell, displayAlignment(book, row, col),
                                 metrics.elidedText(text, Qt::ElideRight, cell.width()));
            }
            x += w;
        }
    }

    // Grid lines.
    painter.save();
    QPen pen(QColor(160, 160, 160));
    pen.setWidth(0);
    painter.setPen(pen);
    for (int i = 0; i <= rows + 1; ++i)
        painter.drawLine(0, h * i, tableWidth, h * i);
    x = 0;
    painter.drawLine(x, 0, x, tableHeight);
    x = layout.rowHeaderWidth;
    painter.drawLine(x, 0, x, tableHeight);
    for (int col = page.firstCol; col <= page.lastCol; ++col) {
        x += layout.columnWidths[col - 1];
        painter.drawLine(x, 0, x, tableHeight);
    }
    painter.restore();

    const QString sheetName = book.numSheets() > 0 ? book.sheetName(book.activeSheet()) : QString();
    const QString footer = QStringLiteral("%1   %2 / %3").arg(sheetName).arg(pageNumber).arg(pageCount);
    painter.drawText(QRect(0, pageSize.height() - layout.footerHeight, pageSize.width(),
                           layout.footerHeight),
                     Qt::AlignHCenter | Qt::AlignBottom, footer.trimmed());
}

int paintBook(const sheet::Spreadsheet& book, QPagedPaintDevice* device)
{
    const QSize pageSize(device->width(), device->height());
    const QFont font = printFont();
    const PrintLayout layout = layoutBook(book, device, pageSize, font);
    if (layout.pages.isEmpty())
        return 0;

    QPainter painter;
    if (!painter.begin(device))
        throw sheet::SheetError(QStringLiteral("Printing could not start on the chosen device."));
    painter.setFont(font);
    const int count = int(layout.pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !device->newPage()) {
            painter.end();
            throw sheet::SheetError(QStringLiteral("The printer refused page %1.").arg(i + 1));
        }
        paintPage(painter, book, layout, i, pageSize);
    }
    painter.end();
    return count;
}

}  // namespace sheetview
