// Displayed text and alignment of a cell.
#include "components/sheetview/cell_display.h"

#include <cstdlib>

namespace sheetview {

namespace {

bool showsFormula(const sheet::Spreadsheet& book, int row, int col)
{
    return book.showFormulas && book.kind(row, col) == sheet::CellKind::Formula;
}

}  // namespace

QString displayText(const sheet::Spreadsheet& book, int row, int col)
{
    if (showsFormula(book, row, col))
        return book.formula(row, col);
    return book.formattedText(row, col);
}

Qt::Alignment displayAlignment(const sheet::Spreadsheet& book, int row, int col)
{
    if (showsFormula(book, row, col))
        return Qt::AlignLeft | Qt::AlignVCenter;
    const sheet::CellType type = sheet::valueType(book.cellType(row, col));
    if (type == sheet::CellType::Number)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (type == sheet::CellType::Boolean || type == sheet::CellType::Error)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace sheetview
