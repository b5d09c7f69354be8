// Workbook: cells, formats, names, clearing and filling down. Row/column
// insertion is in workbook_insert.cpp, recalculation in recalc.cpp.
#include "components/sheet/workbook.h"

#include "components/sheet/formula_parser.h"
#include "components/sheet/number_format_code.h"

namespace sheet {

Workbook::Workbook()
{
    m_formats.push_back(QStringLiteral("General"));
    m_formatIndex.insert(QStringLiteral("general"), 0);
    setSheetCount(1);
}

void Workbook::setSheetCount(int count)
{
    count = std::max(1, count);
    while (sheetCount() < count) {
        auto s = std::make_unique<Sheet>();
        s->name = QStringLiteral("Sheet%1").arg(sheetCount() + 1);
        m_sheets.push_back(std::move(s));
    }
    while (sheetCount() > count) m_sheets.pop_back();
    if (m_active >= count) m_active = count - 1;
    m_dirty = true;
}

void Workbook::setConstant(Sheet& s, int row, int col, std::uint8_t kind, double value)
{
    s.setConstant(row, col, kind, value);
    m_dirty = true;
}

void Workbook::setText(Sheet& s, int row, int col, const QString& text)
{
    if (text.isEmpty()) {
        setConstant(s, row, col, KindEmpty, 0.0);
        return;
    }
    setConstant(s, row, col, KindText, s.addText(text));
}

void Workbook::setFormula(Sheet& s, int row, int col, const QString& text)
{
    setFormula(s, row, col, compileFormula(text, row, col, m_names));
}

void Workbook::setFormula(Sheet& s, int row, int col, const FormulaPtr& formula)
{
    Column& c = s.ensureColumn(col);
    c.ensure(row);
    c.kinds[static_cast<size_t>(row)] = kFormulaFlag | KindNumber;
    c.values[static_cast<size_t>(row)] = 0.0;
    c.formulas.assign(row, row, formula);
    m_dirty = true;
}

FormulaPtr Workbook::formulaAt(const Sheet& s, int row, int col) const
{
    const Column* c = s.column(col);
    if (!c || !(c->kind(row) & kFormulaFlag)) return nullptr;
    const Run<FormulaPtr>* run = c->formulas.find(row);
    return run ? run->value : nullptr;
}

std::uint8_t Workbook::calculatedKind(const Sheet& s, int row, int col)
{
    std::uint8_t k = s.kind(row, col);
    if ((k & kFormulaFlag) && m_dirty) {
        recalculate();
        k = s.kind(row, col);
    }
    return k;
}

CellValue Workbook::value(const Sheet& s, int row, int col)
{
    const std::uint8_t k = calculatedKind(s, row, col);
    const double v = s.column(col) ? s.column(col)->value(row) : 0.0;
    switch (k & kKindMask) {
    case KindNumber: return CellValue::fromNumber(v);
    case KindText: return CellValue::fromText(s.texts[static_cast<size_t>(v)]);
    case KindEmptyText: return CellValue::fromText(QString());
    case KindBoolean: return CellValue::fromBoolean(v != 0.0);
    case KindError: return CellValue::fromError(static_cast<ErrorCode>(static_cast<int>(v)));
    default: return CellValue();
    }
}

int Workbook::formatIndex(const QString& format)
{
    if (format.isEmpty()) return 0;
    const QString key = format.compare(u"General", Qt::CaseInsensitive) == 0 ? QStringLiteral("general") : format;
    const auto it = m_formatIndex.constFind(key);
    if (it != m_formatIndex.constEnd()) return it.value();
    m_formats.push_back(format);
    const int index = static_cast<int>(m_formats.size()) - 1;
    m_formatIndex.insert(key, index);
    return index;
}

QString Workbook::numberFormat(const Sheet& s, int row, int col) const
{
    const Column* c = s.column(col);
    if (!c) return m_formats[0];
    const Run<int>* run = c->formats.find(row);
    return m_formats[static_cast<size_t>(run ? run->value : 0)];
}

bool Workbook::showsGeneral(const Sheet& s, int row, int col) const
{
    const Column* c = s.column(col);
    const Run<int>* run = c ? c->formats.find(row) : nullptr;
    const int index = run ? run->value : 0;
    return index == 0 || numfmt::isGeneral(m_formats[static_cast<size_t>(index)]);
}

namespace {

// Bounds of -1 stand for the whole extent of that axis.
Range normalizeRange(Range r, int lastCol)
{
    if (r.row1 < 1) r.row1 = 1;
    if (r.col1 < 1) r.col1 = 1;
    if (r.row2 < 1 || r.row2 > kMaxRows) r.row2 = kMaxRows;
    if (r.col2 < 1) r.col2 = std::max(lastCol, 1);
    if (r.col2 > kMaxCols) r.col2 = kMaxCols;
    if (r.row1 > r.row2) std::swap(r.row1, r.row2);
    if (r.col1 > r.col2) std::swap(r.col1, r.col2);
    return r;
}

}  // namespace

void Workbook::setNumberFormat(Sheet& s, const Range& range, const QString& format)
{
    const Range r = normalizeRange(range, static_cast<int>(s.columns.size()));
    const int index = formatIndex(format);
    for (int col = r.col1; col <= r.col2; ++col) {
        Column& c = s.ensureColumn(col);
        if (index == 0) c.formats.erase(r.row1, r.row2);
        else c.formats.assign(r.row1, r.row2, index);
    }
}

void Workbook::defineName(const QString& name, const QString& definition)
{
    if (!isValidName(name)) throw SheetError(QStringLiteral("\"%1\" is not a valid name").arg(name));
    QString def = definition.trimmed();
    if (def.startsWith(u'=')) def = def.mid(1);
    Range r;
    if (!parseRangeAddress(def, &r))
        throw SheetError(QStringLiteral("The definition \"%1\" of name \"%2\" is not a cell or range address")
                             .arg(definition, name));
    NameSlot& slot = m_names.slot(m_names.intern(name));
    slot.defined = true;
    slot.sheet = m_active;
    slot.row1 = r.row1;
    slot.col1 = r.col1;
    slot.row2 = r.row2;
    slot.col2 = r.col2;
    m_dirty = true;
}

void Workbook::removeName(const QString& name)
{
    const int index = m_names.find(name);
    if (index < 0) return;
    m_names.slot(index).defined = false;
    m_dirty = true;
}

void Workbook::clear(Sheet& s, Range range, ClearKind kind)
{
    const bool values = kind == ClearKind::All || kind == ClearKind::Contents;
    const bool formats = kind == ClearKind::All || kind == ClearKind::Formats;
    const bool whole = range.row1 == -1 && range.col1 == -1 && range.row2 == -1 && range.col2 == -1;
    if (whole && values && formats) {
        s.columns.clear();
        s.texts.clear();
        m_dirty = true;
        return;
    }
    const Range r = normalizeRange(range, static_cast<int>(s.columns.size()));
    const int lastCol = std::min(r.col2, static_cast<int>(s.columns.size()));
    for (int col = r.col1; col <= lastCol; ++col) {
        Column& c = s.columns[static_cast<size_t>(col) - 1];
        if (values) {
            c.formulas.erase(r.row1, r.row2);
            const int last = std::min(r.row2, c.extent() - 1);
            for (int row = r.row1; row <= last; ++row) {
                c.kinds[static_cast<size_t>(row)] = KindEmpty;
                c.values[static_cast<size_t>(row)] = 0.0;
            }
            c.trim();
        }
        if (formats) c.formats.erase(r.row1, r.row2);
    }
    if (values) {
        bool any = false;
        for (const Column& c : s.columns) any = any || c.extent() > 0;
        if (!any) s.texts.clear();
    }
    m_dirty = true;
}

void Workbook::fillColumnDown(Column& c, int row1, int row2, int written)
{
    const std::uint8_t sourceKind = c.kind(row1);
    const double sourceValue = c.value(row1);
    const Run<int>* formatRun = c.formats.find(row1);
    const int format = formatRun ? formatRun->value : 0;
    const int first = std::max(row1, written) + 1;  // first row whose storage is not yet the fill's
    c.formulas.erase(row1 + 1, row2);
    if (sourceKind == KindEmpty) {
        const int last = std::min(row2, c.extent() - 1);
        for (int row = first; row <= last; ++row) {
            c.kinds[static_cast<size_t>(row)] = KindEmpty;
            c.values[static_cast<size_t>(row)] = 0.0;
        }
        c.trim();
    } else {
        const std::uint8_t kind = filledKind(sourceKind);
        const double value = filledValue(sourceKind, sourceValue);
        // Rows inside the storage are overwritten; rows past it are written
        // as the storage grows, so each fresh page is touched once.
        const int inside = std::min(row2, c.extent() - 1);
        if (first <= inside) {
            std::fill(c.kinds.begin() + first, c.kinds.begin() + inside + 1, kind);
            std::fill(c.values.begin() + first, c.values.begin() + inside + 1, value);
        }
        if (row2 >= c.extent()) {
            c.kinds.resize(static_cast<size_t>(row2) + 1, kind);
            c.values.resize(static_cast<size_t>(row2) + 1, value);
        }
        if (sourceKind & kFormulaFlag) {
            // Relative references make the source's compiled formula valid
            // in every filled row: the block shares it.
            const FormulaPtr source = c.formulas.find(row1)->value;  // a copy: assign() moves runs
            c.formulas.assign(row1 + 1, row2, source);
        }
    }
    if (format == 0) c.formats.erase(row1 + 1, row2);
    else c.formats.assign(row1 + 1, row2, format);
}

void Workbook::fillDown(Sheet& s, const Range& range)
{
    const Range r = normalizeRange(range, static_cast<int>(s.columns.size()));
    if (r.row2 <= r.row1) return;
    for (int col = r.col1; col <= r.col2; ++col)
        fillColumnDown(s.ensureColumn(col), r.row1, r.row2, r.row1);
    m_dirty = true;
}

void Workbook::insertFilledRows(Sheet& s, int at, int count, int col1, int col2)
{
    if (count <= 0 || at < 2) {
        insert(s, at, count, false);
        return;
    }
    col1 = std::max(col1, 1);
    col2 = std::min(col2, kMaxCols);
    std::vector<int> extents;  // storage extent of each filled column before the insertion
    for (int col = col1; col <= col2; ++col) {
        const Column* c = s.column(col);
        extents.push_back(c ? c->extent() : 0);
    }
    insertRows(s, at, count, col1, col2);
    const int last = at + count - 1;
    for (int col = col1; col <= col2; ++col) {
        // Columns with storage past the insertion point got the fill's cells
        // as their rows were inserted.
        const bool written = extents[static_cast<size_t>(col - col1)] > at;
        fillColumnDown(s.ensureColumn(col), at - 1, last, written ? last : at - 1);
    }
    m_dirty = true;
}

}  // namespace sheet
