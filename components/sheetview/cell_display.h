// How a cell looks in the grid and on paper: its text (the formula text while
// ShowFormulas is on, else the text in its number format) and its alignment.
// Shared by the table model and the printout so that both show the same.
#pragma once

#include "components/sheet/spreadsheet.h"

#include <Qt>

namespace sheetview {

QString displayText(const sheet::Spreadsheet& book, int row, int col);  // one-based
// Numbers to the right, booleans and errors centred, texts and shown formulas
// to the left, as in the desktop spreadsheets. Vertically centred.
Qt::Alignment displayAlignment(const sheet::Spreadsheet& book, int row, int col);

}  // namespace sheetview
