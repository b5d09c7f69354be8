// Spreadsheet: the spreadsheet component behind every grid of Plotwise (import grid,
// statistics grid, scratch grid, computation grid). It stores cells, evaluates
// formulas with desktop-spreadsheet semantics, inserts rows, fills down, and
// reads and writes workbook files. Widget-free: the on-screen grid is a model
// over this class (see the app's sheet view).
//
// Rows (1..kMaxRows) and columns (1..kMaxCols) are one-based. Failures throw
// SheetError.
#pragma once

#include "components/sheet/cell_address.h"
#include "components/sheet/sheet_types.h"
#include "components/sheet/workbook_data.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

namespace sheet {

class Workbook;  // the implementation: sheets, cells, names, formula groups

class Spreadsheet {
public:
    Spreadsheet();
    ~Spreadsheet();
    Spreadsheet(const Spreadsheet&) = delete;
    Spreadsheet& operator=(const Spreadsheet&) = delete;

    // --- locale -----------------------------------------------------------
    // Decimal separator used to read numeric texts and to display numbers.
    void setDecimalSeparator(QChar separator);
    QChar decimalSeparator() const;

    // --- extent -----------------------------------------------------------
    int lastRow() const;  // 0 for an empty sheet
    int lastCol() const;

    // --- cells ------------------------------------------------------------
    void setNumber(int row, int col, double value);
    // Number of the cell: a number, a formula's numeric result, a boolean as
    // 0/1; 0 for empty and text cells.
    double number(int row, int col) const;
    // Sets a cell from user text: a numeric text (as textToNumber reads it,
    // with this book's decimal separator) becomes a number, an empty text
    // empties the cell, a text starting with "=" is NOT a formula (use
    // setFormula), anything else is stored as text.
    void setText(int row, int col, const QString& text);
    // Text value of the cell: the text of a text cell, the formatted text of
    // numbers, a formula's result as text, an error's name.
    QString text(int row, int col) const;
    // Stores `text` as a text cell exactly as given, even when it reads as a
    // number ("1." as a label); an empty text stores the empty text "".
    void setLiteralText(int row, int col, const QString& text);
    // Sets the cell to what setText(source.formattedText(sourceRow, sourceCol))
    // sets: a value copied as the source displays it. A number the source shows
    // in the General format is rounded to the fifteen digits its text would
    // show without making the text, which matters for a million rows.
    void setDisplayedValueOf(int row, int col, const Spreadsheet& source, int sourceRow, int sourceCol);
    void setBoolean(int row, int col, bool value);
    void setError(int row, int col, ErrorCode error);
    // Parses and stores a formula (with or without the leading "="); evaluated
    // before its result is next read. Throws SheetError when the text cannot be parsed.
    void setFormula(int row, int col, const QString& formula);
    // Formula text of the cell with a leading "=", empty when not a formula.
    QString formula(int row, int col) const;
    // Calculates every formula now; reads otherwise do it when a formula's
    // result is first wanted. Afterwards, until the next change, value() only
    // reads, so several threads may call it at once.
    void calculate();
    // The numbers of rows first..first + count - 1 of one column, as value()
    // gives them cell by cell but in one call, for readers of a million rows:
    // out[i] is the cell's number (a formula's numeric result included), or
    // NaN where the cell holds no number (empty, text, boolean, error, or
    // outside the sheet).
    void readNumbers(int col, int first, int count, double* out) const;
    // The same rows as plain cells, for writers of a million rows: kinds[i]
    // is the kind of value() (an empty text counts as Empty), numbers[i] the
    // number of a Number or Boolean (0 or 1) and the ErrorCode of an Error.
    // A Text cell's text is value()'s.
    void readCells(int col, int first, int count, CellKind* kinds, double* numbers) const;
    // Everything a cell holds, for files and views.
    CellValue value(int row, int col) const;  // a formula's cached result
    CellKind kind(int row, int col) const;    // Formula for formula cells
    // The type of the cell's value (see CellType); a formula cell gives the
    // Formula... type of its calculated result.
    CellType cellType(int row, int col) const;
    // The text as displayed: numbers in the cell's number format.
    QString formattedText(int row, int col) const;

    // --- number formats ---------------------------------------------------
    // Format codes: "General", "0", "0.00", "0%", "0.00%", "0.00E+00",
    // "dd.mm.yyyy", "yyyy-mm-dd", "hh:mm:ss", "dd.mm.yyyy hh:mm", ...
    void setNumberFormat(int row1, int col1, int row2, int col2, const QString& format);
    QString numberFormat(int row, int col) const;

    // --- current cell -----------------------------------------------------
    void setRow(int row);
    void setCol(int col);
    int row() const;
    int col() const;
    double currentNumber() const;
    QString currentText() const;

    // --- defined names ----------------------------------------------------
    // definition is a reference such as "$E$4" or "$E$16:$E$17" (no "=").
    void setDefinedName(const QString& name, const QString& definition);
    QString definedName(const QString& name) const;  // empty when undefined
    QStringList definedNames() const;
    void removeDefinedName(const QString& name);

    // --- sheets -----------------------------------------------------------
    // Several named sheets; cell operations work on the active sheet.
    int numSheets() const;
    void setNumSheets(int count);
    QString sheetName(int index) const;  // index from 1
    void setSheetName(int index, const QString& name);
    int activeSheet() const;
    void setActiveSheet(int index);

    // --- selection --------------------------------------------------------
    // The selection is an ordered list of ranges in the order they were made.
    int selectionCount() const;
    Range selection(int index) const;  // index from 0
    void setSelection(const QVector<Range>& ranges);
    void selectRange(int row1, int col1, int row2, int col2);

    // --- structure --------------------------------------------------------
    // Clears what `kind` names in the range. All bounds -1: whole sheet.
    void clearRange(int row1, int col1, int row2, int col2, ClearKind kind);
    // WholeRows inserts rows row1..row2 at row1: rows below move down and
    // every reference and defined name that points at them follows; a range
    // that ends on or after row1 and starts before it grows. WholeColumns
    // inserts columns likewise. ShiftDown/ShiftRight move the range's cells only.
    void insertRange(int row1, int col1, int row2, int col2, InsertKind kind);
    // Copies the first row of the first selection range into its other rows,
    // relative references moved. Filled formula cells share one compiled formula.
    void fillDown();
    // Inserts whole rows row1..row2 as insertRange(WholeRows) does and fills
    // row row1 - 1 down over them in columns col1..col2, as selecting rows
    // row1 - 1..row2 of those columns and fillDown() would; the new cells'
    // storage is written once, which matters for a million rows.
    void insertFilledRows(int row1, int row2, int col1, int col2);

    // --- files ------------------------------------------------------------
    // Reads a workbook; on any error throws SheetError naming the file (and
    // line) and leaves the book unchanged. formatOut receives the format code.
    void read(const QString& path, FileFormat* formatOut = nullptr);
    void write(const QString& path, FileFormat format) const;
    // The whole content as plain data (formulas as text with their results
    // calculated), and its inverse: load() checks everything first (every
    // formula parses, every name is valid) and only then replaces the content;
    // on any error it throws SheetError and the book is unchanged. A column
    // stores every row up to its last used one, so load() refuses data whose
    // columns would need more than kMaxStorageSlots cells in all (about 450 MB).
    static constexpr long long kMaxStorageSlots = 50'000'000;
    WorkbookData snapshot() const;
    void load(const WorkbookData& data);

    // --- display switches (honoured by the on-screen grid) ----------------
    bool showFormulas = false;
    bool showEditBar = true;
    bool allowEditHeaders = true;

    // --- change notification for views -------------------------------------
    // Called after every change; a structural change (rows inserted, file
    // read, sheet cleared) reports the whole sheet as changed range {-1,...}.
    void setChangeListener(std::function<void(const Range&)> listener);

    Workbook& workbook();
    const Workbook& workbook() const;

private:
    std::unique_ptr<Workbook> m_book;
    std::function<void(const Range&)> m_listener;
    int m_row = 1;
    int m_col = 1;
};

}  // namespace sheet
