// The grid's printing commands: print (at once on the current printer, or
// after the print dialog) and the printer set-up dialog. Both work on one
// printer shared by every grid, so a set-up holds for the next print. Where no
// printer is installed the user is told so and offered a PDF file instead.
#pragma once

#include "components/sheet/spreadsheet.h"

class QPrinter;
class QWidget;

namespace sheetview {

enum class PrintResult {
    Printed,    // pages went to the printer or the PDF file
    Cancelled,  // the user cancelled a dialog: nothing printed, nothing said
    Empty,      // the sheet has no cells: the user was told, nothing printed
};

// Prints the book's used range. With showDialog the print dialog comes first.
// Throws sheet::SheetError when printing fails (the printer or the PDF file
// cannot be written), naming the printer or file.
PrintResult printBook(QWidget* parent, sheet::Spreadsheet& book, bool showDialog);

// The page set-up dialog on the shared printer; false when cancelled.
bool printSetup(QWidget* parent);

// The printer every grid prints on, created on first use (needs the
// application object) and kept until the application ends.
QPrinter& sharedPrinter();

// Whether the system knows any printer.
bool printersInstalled();

}  // namespace sheetview
