// Plain value types shared by the spreadsheet component and its callers.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>

namespace sheet {

// What a cell holds.
enum class CellKind : unsigned char { Empty, Number, Text, Boolean, Error, Formula };

// Spreadsheet errors; their display texts come from errorName().
enum class ErrorCode : unsigned char { None, Null, Div0, Value, Ref, Name, Num, NA };

QString errorName(ErrorCode error);               // "#DIV/0!", ...
ErrorCode errorFromName(const QString& name);     // ErrorCode::None when not an error name

// A value as a formula sees it or a cell holds it (a formula cell gives its result).
struct CellValue {
    CellKind kind = CellKind::Empty;  // never Formula
    double number = 0.0;              // Number, and Boolean as 0/1
    QString text;                     // Text
    ErrorCode error = ErrorCode::None;

    static CellValue fromNumber(double v) { CellValue c; c.kind = CellKind::Number; c.number = v; return c; }
    static CellValue fromText(const QString& t) { CellValue c; c.kind = CellKind::Text; c.text = t; return c; }
    static CellValue fromBoolean(bool b) { CellValue c; c.kind = CellKind::Boolean; c.number = b ? 1 : 0; return c; }
    static CellValue fromError(ErrorCode e) { CellValue c; c.kind = CellKind::Error; c.error = e; return c; }
};

// The type of a cell's value as Spreadsheet::cellType() reports it. A formula
// cell has the negative of its result's type. The numbers are fixed codes.
enum class CellType : int {
    Empty = 0,
    Number = 1,
    Text = 2,
    Boolean = 3,
    Error = 4,
    FormulaNumber = -1,
    FormulaText = -2,
    FormulaBoolean = -3,
    FormulaError = -4,
};

// True for a number and a formula with a numeric result.
inline bool isNumeric(CellType type)
{
    return type == CellType::Number || type == CellType::FormulaNumber;
}

// The type of the value shown, a formula's result counted as a value: Number
// for FormulaNumber and Number alike.
inline CellType valueType(CellType type)
{
    const int code = static_cast<int>(type);
    return static_cast<CellType>(code < 0 ? -code : code);
}

// A rectangular range, one-based and inclusive. -1 in every bound means the whole sheet.
struct Range {
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    bool operator==(const Range&) const = default;
};

// What Spreadsheet::clearRange() clears.
enum class ClearKind : int {
    All = 1,       // values, formulas and number formats
    Formats = 2,   // number formats only
    Contents = 3,  // values and formulas only
};

// What Spreadsheet::insertRange() inserts.
enum class InsertKind : int {
    ShiftDown = 1,     // the range's cells move down by its height
    ShiftRight = 2,    // the range's cells move right by its width
    WholeRows = 3,     // rows row1..row2; references and names follow
    WholeColumns = 4,  // columns col1..col2; likewise
};

// File formats of read() and write(). The values are the component's format
// codes, kept for callers that store a format as a number.
enum class FileFormat : int {
    Native = 1,     // ".vts" and ".def": the line-oriented native workbook
    Csv = 2,        // comma-separated text of the active sheet's values
    TabText = 3,    // tab-separated text
    Xls = 4,        // ".xls" (read only, through the import)
    Xlsx = 11,      // ".xlsx" (written with libxlsxwriter)
};

// Every failure of the component: bad formula text, unreadable or malformed file, ...
class SheetError : public std::runtime_error {
public:
    explicit SheetError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

}  // namespace sheet
