// Spreadsheet: the public face of the spreadsheet component. Thin glue over the
// Workbook: address checks, the locale's number texts, display texts, the
// current cell, selection and change notification.
#include "components/sheet/spreadsheet.h"

#include "components/sheet/formula_parser.h"
#include "components/sheet/number_format.h"
#include "components/sheet/workbook.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace sheet {

namespace {

bool validCell(int row, int col) { return row >= 1 && row <= kMaxRows && col >= 1 && col <= kMaxCols; }

void checkCell(int row, int col)
{
    if (!validCell(row, col))
        throw SheetError(QStringLiteral("Cell (row %1, column %2) is outside the sheet").arg(row).arg(col));
}

const Range kWholeSheet{-1, -1, -1, -1};

}  // namespace

Spreadsheet::Spreadsheet() : m_book(std::make_unique<Workbook>()) {}
Spreadsheet::~Spreadsheet() = default;

Workbook& Spreadsheet::workbook() { return *m_book; }
const Workbook& Spreadsheet::workbook() const { return *m_book; }

void Spreadsheet::setChangeListener(std::function<void(const Range&)> listener) { m_listener = std::move(listener); }

// ---- locale ------------------------------------------------------------------

void Spreadsheet::setDecimalSeparator(QChar separator)
{
    m_book->decimalSeparator = separator;
    m_book->markDirty();
}

QChar Spreadsheet::decimalSeparator() const { return m_book->decimalSeparator; }

// ---- extent ------------------------------------------------------------------

int Spreadsheet::lastRow() const { return m_book->active().lastRow(); }
int Spreadsheet::lastCol() const { return m_book->active().lastCol(); }

// ---- cells -------------------------------------------------------------------

void Spreadsheet::setNumber(int row, int col, double value)
{
    checkCell(row, col);
    if (std::isfinite(value))
        m_book->setConstant(m_book->active(), row, col, KindNumber, value);
    else
        m_book->setConstant(m_book->active(), row, col, KindError, static_cast<double>(ErrorCode::Num));
    if (m_listener) m_listener(Range{row, col, row, col});
}

double Spreadsheet::number(int row, int col) const
{
    if (!validCell(row, col)) return 0.0;
    const Sheet& s = m_book->active();
    const std::uint8_t k = m_book->calculatedKind(s, row, col) & kKindMask;
    if (k == KindNumber || k == KindBoolean) return s.column(col)->value(row);
    return 0.0;
}

void Spreadsheet::setText(int row, int col, const QString& text)
{
    checkCell(row, col);
    double value;
    if (parseNumberText(text, m_book->decimalSeparator, &value))
        m_book->setConstant(m_book->active(), row, col, KindNumber, value);
    else
        m_book->setText(m_book->active(), row, col, text);
    if (m_listener) m_listener(Range{row, col, row, col});
}

namespace {

// The number the General format's text of `value` reads back as: fifteen
// significant digits, as formatGeneral writes them; nothing where that text
// would not read back as a number (it overflows or underflows on reading).
std::optional<double> generalRoundTrip(double value)
{
    if (value == 0.0) return 0.0;  // the text is "0", negative zero too
    // When the shortest text that reads back as the value has at most fifteen
    // significant digits, rounding the value to fifteen digits gives that
    // text, so the value reads back unchanged: a gauge's readings all do.
    char shortest[40];
    const auto end = std::to_chars(shortest, shortest + sizeof shortest, value).ptr;
    int digits = 0;
    bool leading = true;
    for (const char* p = shortest; p != end && *p != 'e'; ++p) {
        if (*p < '0' || *p > '9') continue;
        if (leading && *p == '0') continue;
        leading = false;
        ++digits;
    }
    if (digits <= 15) return value;
    char text[40];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    double shown = 0.0;
    const auto read = std::from_chars(text, written.ptr, shown);
    if (read.ec != std::errc() || read.ptr != written.ptr) return std::nullopt;
    return shown;
}

}  // namespace

void Spreadsheet::setDisplayedValueOf(int row, int col, const Spreadsheet& source, int sourceRow, int sourceCol)
{
    if (validCell(sourceRow, sourceCol) && source.decimalSeparator() == decimalSeparator()) {
        const Sheet& s = source.m_book->active();
        const std::uint8_t k = source.m_book->calculatedKind(s, sourceRow, sourceCol) & kKindMask;
        const double value = k == KindNumber ? s.column(sourceCol)->value(sourceRow) : 0.0;
        if (k == KindNumber && std::isfinite(value) && source.m_book->showsGeneral(s, sourceRow, sourceCol)) {
            if (const std::optional<double> shown = generalRoundTrip(value)) {
                checkCell(row, col);
                m_book->setConstant(m_book->active(), row, col, KindNumber, *shown);
                if (m_listener) m_listener(Range{row, col, row, col});
                return;
            }
        }
    }
    setText(row, col, source.formattedText(sourceRow, sourceCol));
}

void Spreadsheet::setLiteralText(int row, int col, const QString& text)
{
    checkCell(row, col);
    Sheet& s = m_book->active();
    if (text.isEmpty()) m_book->setConstant(s, row, col, KindEmptyText, 0.0);
    else m_book->setConstant(s, row, col, KindText, s.addText(text));
    if (m_listener) m_listener(Range{row, col, row, col});
}

QString Spreadsheet::text(int row, int col) const
{
    if (!validCell(row, col)) return QString();
    const CellValue v = value(row, col);
    switch (v.kind) {
    case CellKind::Number:
        return formatNumber(v.number, numberFormat(row, col), m_book->decimalSeparator);
    case CellKind::Text: return v.text;
    case CellKind::Boolean: return v.number != 0.0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellKind::Error: return errorName(v.error);
    default: return QString();
    }
}

void Spreadsheet::setBoolean(int row, int col, bool value)
{
    checkCell(row, col);
    m_book->setConstant(m_book->active(), row, col, KindBoolean, value ? 1.0 : 0.0);
    if (m_listener) m_listener(Range{row, col, row, col});
}

void Spreadsheet::setError(int row, int col, ErrorCode error)
{
    checkCell(row, col);
    if (error == ErrorCode::None)
        m_book->setConstant(m_book->active(), row, col, KindEmpty, 0.0);
    else
        m_book->setConstant(m_book->active(), row, col, KindError, static_cast<double>(error));
    if (m_listener) m_listener(Range{row, col, row, col});
}

void Spreadsheet::setFormula(int row, int col, const QString& formula)
{
    checkCell(row, col);
    m_book->setFormula(m_book->active(), row, col, formula);
    if (m_listener) m_listener(Range{row, col, row, col});
}

QString Spreadsheet::formula(int row, int col) const
{
    if (!validCell(row, col)) return QString();
    const FormulaPtr f = m_book->formulaAt(m_book->active(), row, col);
    return f ? formulaText(*f, row, col, m_book->names()) : QString();
}

void Spreadsheet::calculate() { m_book->ensureCalculated(); }

namespace {

// Calls visit(i, kind byte, value slot) for rows first..first + count - 1 of
// column c: an empty cell (KindEmpty, 0) outside the sheet or the column.
template <typename Visit>
void visitCells(const Column* c, int first, int count, Visit&& visit)
{
    for (int i = 0; i < count; ++i) {
        const long long row = static_cast<long long>(first) + i;
        if (c != nullptr && row >= 1 && row <= kMaxRows)
            visit(i, static_cast<std::uint8_t>(c->kind(static_cast<int>(row)) & kKindMask), c->value(static_cast<int>(row)));
        else
            visit(i, static_cast<std::uint8_t>(KindEmpty), 0.0);
    }
}

// The column's storage with every formula calculated; none outside the sheet.
const Column* calculatedColumn(Workbook& book, int col)
{
    const Column* c = col >= 1 && col <= kMaxCols ? book.active().column(col) : nullptr;
    if (c != nullptr) book.ensureCalculated();
    return c;
}

}  // namespace

void Spreadsheet::readNumbers(int col, int first, int count, double* out) const
{
    constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();
    if (count <= 0) return;
    visitCells(calculatedColumn(*m_book, col), first, count, [out](int i, std::uint8_t kind, double value) {
        out[i] = kind == KindNumber ? value : kNoNumber;
    });
}

void Spreadsheet::readCells(int col, int first, int count, CellKind* kinds, double* numbers) const
{
    if (count <= 0) return;
    visitCells(calculatedColumn(*m_book, col), first, count, [kinds, numbers](int i, std::uint8_t kind, double value) {
        numbers[i] = value;
        switch (kind) {
        case KindNumber: kinds[i] = CellKind::Number; break;
        case KindText: kinds[i] = CellKind::Text; break;
        case KindBoolean: kinds[i] = CellKind::Boolean; break;
        case KindError: kinds[i] = CellKind::Error; break;
        default: kinds[i] = CellKind::Empty; break;  // empty, and the empty text
        }
    });
}

CellValue Spreadsheet::value(int row, int col) const
{
    if (!validCell(row, col)) return CellValue();
    return m_book->value(m_book->active(), row, col);
}

CellKind Spreadsheet::kind(int row, int col) const
{
    if (!validCell(row, col)) return CellKind::Empty;
    const std::uint8_t k = m_book->active().kind(row, col);
    if (k & kFormulaFlag) return CellKind::Formula;
    switch (k) {
    case KindNumber: return CellKind::Number;
    case KindText:
    case KindEmptyText: return CellKind::Text;
    case KindBoolean: return CellKind::Boolean;
    case KindError: return CellKind::Error;
    default: return CellKind::Empty;
    }
}

CellType Spreadsheet::cellType(int row, int col) const
{
    if (!validCell(row, col)) return CellType::Empty;
    const std::uint8_t k = m_book->calculatedKind(m_book->active(), row, col);
    const bool formula = (k & kFormulaFlag) != 0;
    switch (k & kKindMask) {
    case KindNumber: return formula ? CellType::FormulaNumber : CellType::Number;
    case KindText:
    case KindEmptyText: return formula ? CellType::FormulaText : CellType::Text;
    case KindBoolean: return formula ? CellType::FormulaBoolean : CellType::Boolean;
    case KindError: return formula ? CellType::FormulaError : CellType::Error;
    default: return CellType::Empty;
    }
}

QString Spreadsheet::formattedText(int row, int col) const
{
    return text(row, col);
}

// ---- number formats ------------------------------------------------------------

void Spreadsheet::setNumberFormat(int row1, int col1, int row2, int col2, const QString& format)
{
    m_book->setNumberFormat(m_book->active(), Range{row1, col1, row2, col2}, format);
    if (m_listener) m_listener(Range{row1, col1, row2, col2});
}

QString Spreadsheet::numberFormat(int row, int col) const
{
    if (!validCell(row, col)) return QStringLiteral("General");
    return m_book->numberFormat(m_book->active(), row, col);
}

// ---- current cell ----------------------------------------------------------------

void Spreadsheet::setRow(int row) { m_row = row; }
void Spreadsheet::setCol(int col) { m_col = col; }
int Spreadsheet::row() const { return m_row; }
int Spreadsheet::col() const { return m_col; }
double Spreadsheet::currentNumber() const { return number(m_row, m_col); }
QString Spreadsheet::currentText() const { return text(m_row, m_col); }

// ---- defined names -----------------------------------------------------------------

void Spreadsheet::setDefinedName(const QString& name, const QString& definition)
{
    m_book->defineName(name, definition);
    if (m_listener) m_listener(kWholeSheet);
}

QString Spreadsheet::definedName(const QString& name) const
{
    const int index = m_book->names().find(name);
    if (index < 0) return QString();
    const NameSlot& slot = m_book->names().slot(index);
    if (!slot.defined) return QString();
    const QString first = cellAddress(slot.row1, slot.col1, true, true);
    if (slot.row1 == slot.row2 && slot.col1 == slot.col2) return first;
    return first + u':' + cellAddress(slot.row2, slot.col2, true, true);
}

QStringList Spreadsheet::definedNames() const { return m_book->names().definedNames(); }

void Spreadsheet::removeDefinedName(const QString& name)
{
    m_book->removeName(name);
    if (m_listener) m_listener(kWholeSheet);
}

// ---- sheets ----------------------------------------------------------------------

int Spreadsheet::numSheets() const { return m_book->sheetCount(); }

void Spreadsheet::setNumSheets(int count)
{
    m_book->setSheetCount(count);
    if (m_listener) m_listener(kWholeSheet);
}

QString Spreadsheet::sheetName(int index) const
{
    if (index < 1 || index > m_book->sheetCount()) return QString();
    return m_book->sheet(index - 1).name;
}

void Spreadsheet::setSheetName(int index, const QString& name)
{
    if (index < 1 || index > m_book->sheetCount())
        throw SheetError(QStringLiteral("There is no sheet %1").arg(index));
    m_book->sheet(index - 1).name = name;
}

int Spreadsheet::activeSheet() const { return m_book->activeIndex() + 1; }

void Spreadsheet::setActiveSheet(int index)
{
    if (index < 1 || index > m_book->sheetCount())
        throw SheetError(QStringLiteral("There is no sheet %1").arg(index));
    m_book->setActiveIndex(index - 1);
    if (m_listener) m_listener(kWholeSheet);
}

// ---- selection -------------------------------------------------------------------

int Spreadsheet::selectionCount() const { return static_cast<int>(m_book->selection.size()); }

Range Spreadsheet::selection(int index) const
{
    if (index < 0 || index >= m_book->selection.size()) return Range{};
    return m_book->selection[index];
}

void Spreadsheet::setSelection(const QVector<Range>& ranges) { m_book->selection = ranges; }

void Spreadsheet::selectRange(int row1, int col1, int row2, int col2)
{
    m_book->selection = {Range{row1, col1, row2, col2}};
}

// ---- structure -------------------------------------------------------------------

void Spreadsheet::clearRange(int row1, int col1, int row2, int col2, ClearKind kind)
{
    if (kind != ClearKind::All && kind != ClearKind::Formats && kind != ClearKind::Contents)
        throw SheetError(QStringLiteral("Unknown clear kind %1").arg(static_cast<int>(kind)));
    const Range range{row1, col1, row2, col2};
    m_book->clear(m_book->active(), range, kind);
    if (m_listener) m_listener(range == kWholeSheet ? kWholeSheet : range);
}

void Spreadsheet::insertRange(int row1, int col1, int row2, int col2, InsertKind kind)
{
    Sheet& s = m_book->active();
    switch (kind) {
    case InsertKind::WholeRows:
        // Rows row1..row2; an empty span (row2 < row1) inserts nothing, and
        // no more rows than the sheet has can go in.
        row2 = std::min(row2, kMaxRows);
        if (row2 < row1) return;
        if (row1 < 1 || row1 > kMaxRows) throw SheetError(QStringLiteral("Cannot insert rows at row %1").arg(row1));
        m_book->insert(s, row1, row2 - row1 + 1, false);
        break;
    case InsertKind::WholeColumns:
        col2 = std::min(col2, kMaxCols);
        if (col2 < col1) return;
        if (col1 < 1 || col1 > kMaxCols) throw SheetError(QStringLiteral("Cannot insert columns at column %1").arg(col1));
        m_book->insert(s, col1, col2 - col1 + 1, true);
        break;
    case InsertKind::ShiftDown:
    case InsertKind::ShiftRight:
        m_book->shiftCells(s, Range{row1, col1, row2, col2}, kind == InsertKind::ShiftDown);
        break;
    default: throw SheetError(QStringLiteral("Unknown insert kind %1").arg(static_cast<int>(kind)));
    }
    if (m_listener) m_listener(kWholeSheet);
}

void Spreadsheet::insertFilledRows(int row1, int row2, int col1, int col2)
{
    row2 = std::min(row2, kMaxRows);
    if (row2 < row1) return;
    if (row1 < 1 || row1 > kMaxRows) throw SheetError(QStringLiteral("Cannot insert rows at row %1").arg(row1));
    m_book->insertFilledRows(m_book->active(), row1, row2 - row1 + 1, col1, col2);
    if (m_listener) m_listener(kWholeSheet);
}

void Spreadsheet::fillDown()
{
    if (m_book->selection.isEmpty()) return;
    const Range r = m_book->selection.first();
    m_book->fillDown(m_book->active(), r);
    if (m_listener) m_listener(r);
}

}  // namespace sheet
