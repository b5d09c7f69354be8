// The two chart commands of the main window, without the window: they fill
// the chart job from the import fields, the import grid's selection and the
// scratch grid, and say whether their chart window is to be shown.
//   runControlChartCommand  (showControlChart):    up to 3 valueColumns
//   runComparisonCommand    (showComparisonChart): up to 5 compareColumns
// Both share the row range, the x column and the title rules.
#pragma once

#include <QString>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ChartJob;
struct ProgramState;

// Texts of the main window's import fields the commands read.
struct ChartCommandFields {
    QString firstRowText;    // firstRowEdit "Startzeile"
    QString lastRowText;     // lastRowEdit "Endezeile"
    QString headerRowText;   // headerRowSpin "Spaltennamen aus Zeile"
    QString xColumnText;     // xColumnEdit: a number or "$" + column letters
    QString titleText;       // chartTitleEdit: literal text or "$" + cell address
    QString titleCaption;    // the main window's tagged text 107: first words of a built title ("Auswertung über ")
};

// The fields from the import fields' values, in the order above: the main
// window passes its edit boxes' texts, the report its template's fields.
ChartCommandFields chartCommandFieldsOf(const QString& firstRow, const QString& lastRow, const QString& headerRow,
                                        const QString& xColumn, const QString& title, const QString& titleCaption);

// First row, last row and header row of the job from the row fields and the
// import grid's last used row. A first row below 1 is taken as 1.
void readRowRange(ChartJob& job, const sheet::Spreadsheet& importGrid, const QString& firstRowText,
                  const QString& lastRowText, const QString& headerRowText);

// Writes the formula into the scratch grid at row 1 of the column, reads the
// cell's number back and returns it truncated toward zero. Throws
// sheet::SheetError when the formula cannot be parsed or yields an error
// or no number.
int scratchEvaluate(sheet::Spreadsheet& scratchGrid, int column, const QString& formula);

// The x column from the xColumnEdit text: empty -> 0, "$B" -> 2, "3" -> 3, anything
// that cannot be read or evaluated -> 0.
int readXColumn(sheet::Spreadsheet& scratchGrid, const QString& xColumnText);

// The chart title from the title field; builds "<caption> A/B/C" (or header
// texts) from the given column slots when the field is empty.
QString buildChartTitle(const ChartJob& job, sheet::Spreadsheet& importGrid, sheet::Spreadsheet& scratchGrid,
                        const QString& titleText, const QString& titleCaption,
                        const int* columns, int slotCount);

// The commands. Return true when the chart window is to be shown (at least
// one column was found); false when the grid is empty or no usable column
// is selected. Errors of the import grid while the selection is read
// propagate (sheet::SheetError).
bool runControlChartCommand(ProgramState& state, const ChartCommandFields& fields);
bool runComparisonCommand(ProgramState& state, const ChartCommandFields& fields);

}  // namespace chart
