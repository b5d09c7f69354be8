// Printing a book's used range as a table: column letters across the top, row
// numbers down the left, each column as wide as its widest text (at most a
// page), page breaks down the rows and, for wide sheets, across the columns
// (all rows of the first columns, then the next columns). Widget-free: paints
// onto any paged device (a QPrinter, a QPdfWriter), so it is tested on PDFs.
#pragma once

#include "components/sheet/spreadsheet.h"

#include <QFont>
#include <QVector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace sheetview {

// One printed page: a block of rows of one band of columns, one-based, inclusive.
struct PrintPage {
    int firstRow = 0, lastRow = 0, firstCol = 0, lastCol = 0;
};

// Sizes in device pixels.
struct PrintLayout {
    QVector<int> columnWidths;  // [c - 1] for column c of the used range
    int rowHeaderWidth = 0;     // the row-number column
    int rowHeight = 0;          // every row, the heading row included
    int footerHeight = 0;       // page number line
    int rowsPerPage = 0;
    QVector<PrintPage> pages;   // down the rows first, then across
};

// The font of printouts.
QFont printFont();

// Lays the used range out on pages of pageSize (device pixels, the printable
// area), measuring texts on `device`. An empty sheet gives no pages.
PrintLayout layoutBook(const sheet::Spreadsheet& book, QPaintDevice* device, const QSize& pageSize,
                       const QFont& font = printFont());

// Paints one page of a layout with the painter (set to the print font) onto
// a page of pageSize: e.g. onto an image for a preview.
void paintPage(QPainter& painter, const sheet::Spreadsheet& book, const PrintLayout& layout,
               int pageIndex, const QSize& pageSize);

// Paints the book onto the device, one device page per layout page, and
// returns the number of pages. An empty sheet paints nothing and returns 0.
// Throws sheet::SheetError when painting on the device cannot start.
int paintBook(const sheet::Spreadsheet& book, QPagedPaintDevice* device);

}  // namespace sheetview
