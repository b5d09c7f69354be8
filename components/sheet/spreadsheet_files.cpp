// Spreadsheet's files: snapshot() turns the book into plain WorkbookData, load()
// builds a fresh workbook from such data and swaps it in only when every cell,
// formula and name was accepted, so nothing half-loads. read() and write()
// connect these to the file readers and writers.
#include "components/sheet/spreadsheet.h"

#include "components/sheet/csv_writer.h"
#include "components/sheet/formula_parser.h"
#include "components/sheet/workbook.h"
#include "components/sheet/workbook_file.h"
#include "components/sheet/xlsx_writer.h"

#include <QFileInfo>
#include <algorithm>

namespace sheet {

namespace {

// Cells a workbook takes once loaded: each column keeps a slot for every row
// up to its last used one, so a single cell at the foot of a column costs a
// million slots. Counted before anything is built.
long long storageSlots(const WorkbookData& data)
{
    long long needed = 0;
    std::vector<int> lastRow(static_cast<size_t>(kMaxCols) + 1, 0);
    std::vector<int> used;  // columns with a cell in the current sheet
    for (const SheetData& sheet : data.sheets) {
        for (const CellData& cell : sheet.cells) {
            if (cell.kind == CellKind::Empty || cell.col < 1 || cell.col > kMaxCols) continue;
            int& last = lastRow[static_cast<size_t>(cell.col)];
            if (last == 0) used.push_back(cell.col);
            last = std::max(last, cell.row);
        }
        for (int col : used) {
            needed += lastRow[static_cast<size_t>(col)] + 1;
            lastRow[static_cast<size_t>(col)] = 0;
        }
        used.clear();
    }
    return needed;
}

// Visits the stored cells of a sheet in row-major order (row, then column),
// touching only storage that exists: at each row only the columns whose
// storage reaches that far, so a sheet holding A1 and XFD1048576 costs its
// two columns' storage, never the rectangle between them.
template <typename Visit>
void forEachStoredCell(const Sheet& s, Visit visit)
{
    std::vector<int> reaching;  // columns (one-based) with storage at `row`, in order
    int shortest = kMaxRows + 1;
    for (int col = 1; col <= static_cast<int>(s.columns.size()); ++col) {
        const int extent = s.columns[static_cast<size_t>(col) - 1].extent();
        if (extent <= 1) continue;
        reaching.push_back(col);
        shortest = std::min(shortest, extent);
    }
    for (int row = 1; !reaching.empty(); ++row) {
        if (row >= shortest) {
            // Some column's storage ended: drop it (each column once).
            std::erase_if(reaching, [&](int col) { return s.columns[static_cast<size_t>(col) - 1].extent() <= row; });
            shortest = kMaxRows + 1;
            for (int col : reaching) shortest = std::min(shortest, s.columns[static_cast<size_t>(col) - 1].extent());
        }
        for (int col : reaching) {
            const std::uint8_t k = s.columns[static_cast<size_t>(col) - 1].kind(row);
            if (k != KindEmpty) visit(row, col, k);
        }
    }
}

void snapshotSheet(Workbook& book, Sheet& s, SheetData& out)
{
    out.name = s.name;
    forEachStoredCell(s, [&](int row, int col, std::uint8_t k) {
        const Column& c = s.columns[static_cast<size_t>(col) - 1];
        CellData cell;
        cell.row = row;
        cell.col = col;
        const double v = c.value(row);
        const std::uint8_t base = k & kKindMask;
        if (k & kFormulaFlag) {
            cell.kind = CellKind::Formula;
            cell.text = formulaText(*book.formulaAt(s, row, col), row, col, book.names());
            if (base == KindNumber || base == KindBoolean) cell.number = v;
            if (base == KindError) cell.error = static_cast<ErrorCode>(static_cast<int>(v));
        } else {
            switch (base) {
            case KindNumber: cell.kind = CellKind::Number; cell.number = v; break;
            case KindText: cell.kind = CellKind::Text; cell.text = s.texts[static_cast<size_t>(v)]; break;
            case KindEmptyText: cell.kind = CellKind::Text; break;
            case KindBoolean: cell.kind = CellKind::Boolean; cell.number = v; break;
            case KindError: cell.kind = CellKind::Error; cell.error = static_cast<ErrorCode>(static_cast<int>(v)); break;
            default: return;
            }
        }
        const QString format = book.numberFormat(s, row, col);
        if (format.compare(u"General", Qt::CaseInsensitive) != 0) cell.format = format;
        out.cells.push_back(std::move(cell));
    });
}

QString cellName(const CellData& cell)
{
    return cellAddress(cell.row, cell.col);
}

}  // namespace

WorkbookData Spreadsheet::snapshot() const
{
    Workbook& book = *m_book;
    book.ensureCalculated();
    WorkbookData data;
    for (int i = 0; i < book.sheetCount(); ++i) {
        data.sheets.emplace_back();
        snapshotSheet(book, book.sheet(i), data.sheets.back());
    }
    for (int i = 0; i < book.names().size(); ++i) {
        const NameSlot& slot = book.names().slot(i);
        // A name pushed off the sheet by inserted rows has no address left to
        // write; formulas using it read #NAME? after loading instead of #REF!.
        if (slot.defined && slot.row2 <= kMaxRows && slot.col2 <= kMaxCols)
            data.names.push_back(DefinedNameData{slot.name, definedName(slot.name)});
    }
    return data;
}

void Spreadsheet::load(const WorkbookData& data)
{
    if (data.sheets.empty()) throw SheetError(QStringLiteral("The workbook has no sheet"));
    const long long needed = storageSlots(data);
    if (needed > kMaxStorageSlots)
        throw SheetError(QStringLiteral("The workbook needs room for %1 cells (every column up to its last "
                                        "used row, all sheets); at most %2 fit")
                             .arg(needed)
                             .arg(kMaxStorageSlots));
    auto fresh = std::make_unique<Workbook>();
    fresh->decimalSeparator = m_book->decimalSeparator;
    fresh->setSheetCount(static_cast<int>(data.sheets.size()));
    for (const DefinedNameData& name : data.names) fresh->defineName(name.name, name.definition);

    for (size_t si = 0; si < data.sheets.size(); ++si) {
        const SheetData& sheetData = data.sheets[si];
        Sheet& s = fresh->sheet(static_cast<int>(si));
        s.name = sheetData.name;
        // A column's formula that compiles to the same code as the cell above
        // shares that cell's formula, so a saved filled-down block loads as one.
        std::vector<std::pair<int, FormulaPtr>> previousFormula;
        for (const CellData& cell : sheetData.cells) {
            if (cell.row < 1 || cell.row > kMaxRows || cell.col < 1 || cell.col > kMaxCols)
                throw SheetError(QStringLiteral("Sheet \"%1\": cell (row %2, column %3) is outside the sheet")
                                     .arg(sheetData.name)
                                     .arg(cell.row)
                                     .arg(cell.col));
            switch (cell.kind) {
            case CellKind::Empty: break;
            case CellKind::Number: s.setConstant(cell.row, cell.col, KindNumber, cell.number); break;
            case CellKind::Text:
                if (cell.text.isEmpty()) s.setConstant(cell.row, cell.col, KindEmptyText, 0.0);
                else s.setConstant(cell.row, cell.col, KindText, s.addText(cell.text));
                break;
            case CellKind::Boolean: s.setConstant(cell.row, cell.col, KindBoolean, cell.number != 0.0 ? 1.0 : 0.0); break;
            case CellKind::Error:
                s.setConstant(cell.row, cell.col, KindError,
                              static_cast<double>(cell.error == ErrorCode::None ? ErrorCode::Value : cell.error));
                break;
            case CellKind::Formula: {
                FormulaPtr f;
                try {
                    f = compileFormula(cell.text, cell.row, cell.col, fresh->names());
                } catch (const SheetError& e) {
                    throw SheetError(QStringLiteral("Sheet \"%1\", cell %2: %3")
                                         .arg(sheetData.name, cellName(cell), e.message()));
                }
                if (previousFormula.size() < static_cast<size_t>(cell.col) + 1)
                    previousFormula.resize(static_cast<size_t>(cell.col) + 1);
                auto& [prevRow, prev] = previousFormula[static_cast<size_t>(cell.col)];
                if (prev && prevRow == cell.row - 1 && prev->sameAs(*f)) f = prev;
                prevRow = cell.row;
                prev = f;
                fresh->setFormula(s, cell.row, cell.col, f);
                break;
            }
            }
            if (!cell.format.isEmpty())
                fresh->setNumberFormat(s, Range{cell.row, cell.col, cell.row, cell.col}, cell.format);
        }
    }
    fresh->markDirty();
    m_book.swap(fresh);
    if (m_listener) m_listener(Range{-1, -1, -1, -1});
}

void Spreadsheet::read(const QString& path, FileFormat* formatOut)
{
    const WorkbookData data = readNativeWorkbook(path);
    try {
        load(data);
    } catch (const SheetError& e) {
        throw SheetError(QStringLiteral("%1: %2").arg(path, e.message()));
    }
    if (formatOut) *formatOut = FileFormat::Native;
}

void Spreadsheet::write(const QString& path, FileFormat format) const
{
    switch (format) {
    case FileFormat::Native: writeNativeWorkbook(path, snapshot()); return;
    case FileFormat::Xlsx: writeXlsx(path, snapshot()); return;
    case FileFormat::Csv:
    case FileFormat::TabText: {
        const WorkbookData data = snapshot();
        const SheetData& active = data.sheets[static_cast<size_t>(m_book->activeIndex())];
        // Cells are written as they are displayed.
        writeCsv(path, active, format == FileFormat::Csv ? QChar(u',') : QChar(u'\t'),
                 [this](const CellData& cell) { return text(cell.row, cell.col); });
        return;
    }
    default:
        throw SheetError(QStringLiteral("%1: cannot write file format %2").arg(path).arg(static_cast<int>(format)));
    }
}

}  // namespace sheet
