// ".xlsx" workbooks through liborcus. Instead of orcus' own
// document model (which needs ixion and boost headers) the filters feed a
// small collector of our own: it keeps cell values, stored formula results,
// shared strings and just enough of the styles to know each cell's number
// format, so dates keep their display format.
#include "import/workbook_readers.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include "components/sheet/cell_address.h"
#include "components/sheet/number_format.h"

#include <orcus/orcus_xlsx.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>
#include <orcus/spreadsheet/import_interface.hpp>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace dataimport {

namespace {

namespace ssi = orcus::spreadsheet::iface;
namespace ss = orcus::spreadsheet;

// Codes of the number formats that xlsx files name by number only.
QString builtinFormat(std::size_t id)
{
    switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 11: return QStringLiteral("0.00E+00");
    case 14: return QStringLiteral("yyyy-mm-dd");
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("hh:mm");
    case 21: return QStringLiteral("hh:mm:ss");
    case 22: return QStringLiteral("yyyy-mm-dd hh:mm");
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mm:ss.0");
    case 48: return QStringLiteral("##0.0E+0");
    default: return QString();  // 0 and unknown: General
    }
}

// A format that shows only a time of day: its value is not a day count.
bool isTimeOnlyFormat(const QString& format)
{
    QString unquoted = format;
    unquoted.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
    return !unquoted.contains(u'd', Qt::CaseInsensitive) && !unquoted.contains(u'y', Qt::CaseInsensitive);
}

QString fromView(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// --- shared strings ---------------------------------------------------------

class SharedStrings final : public ssi::import_shared_strings {
public:
    std::size_t append(std::string_view s) override
    {
        m_strings.emplace_back(s);
        m_index.emplace(m_strings.back(), m_strings.size() - 1);
        return m_strings.size() - 1;
    }
    std::size_t add(std::string_view s) override
    {
        const auto it = m_index.find(std::string(s));
        return it != m_index.end() ? it->second : append(s);
    }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { m_segments.append(s); }
    std::size_t commit_segments() override
    {
        const std::size_t id = append(m_segments);
        m_segments.clear();
        return id;
    }

    QString text(std::size_t id) const { return id < m_strings.size() ? QString::fromStdString(m_strings[id]) : QString(); }

private:
    std::vector<std::string> m_strings;
    std::unordered_map<std::string, std::size_t> m_index;
    std::string m_segments;
};

// --- styles: only number formats and the cell formats that use them ---------

class NumberFormatStyles final : public ssi::import_styles {
public:
    void set_font_count(std::size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    std::size_t commit_font() override { return m_fonts++; }
    void set_fill_count(std::size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    std::size_t commit_fill() override { return m_fills++; }
    void set_border_count(std::size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    std::size_t commit_border() override { return m_borders++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    std::size_t commit_cell_protection() override { return m_protections++; }

    void set_number_format_count(std::size_t) override {}
    void set_number_format_identifier(std::size_t id) override { m_pendingId = id; }
    void set_number_format_code(std::string_view s) override { m_pendingCode = fromView(s); }
    std::size_t commit_number_format() override
    {
        const std::size_t index = m_formatCount++;
        m_formatsById.insert(m_pendingId, m_pendingCode);
        m_pendingId = 0;
        m_pendingCode.clear();
        return index;
    }

    void set_cell_xf_count(std::size_t) override {}
    void set_cell_style_xf_count(std::size_t) override {}
    void set_dxf_count(std::size_t) override {}
    void set_xf_font(std::size_t) override {}
    void set_xf_fill(std::size_t) override {}
    void set_xf_border(std::size_t) override {}
    void set_xf_protection(std::size_t) override {}
    void set_xf_number_format(std::size_t index) override { m_pendingXfFormat = index; }
    void set_xf_style_xf(std::size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    std::size_t commit_cell_xf() override
    {
        m_cellXfFormats.push_back(m_pendingXfFormat);
        m_pendingXfFormat = 0;
        return m_cellXfFormats.size() - 1;
    }
    std::size_t commit_cell_style_xf() override { m_pendingXfFormat = 0; return m_styleXfs++; }
    std::size_t commit_dxf() override { m_pendingXfFormat = 0; return m_dxfs++; }
    void set_cell_style_count(std::size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(std::size_t) override {}
    void set_cell_style_builtin(std::size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    std::size_t commit_cell_style() override { return m_cellStyles++; }

    // The number format code of a cell format; empty for General.
    QString formatOfXf(std::size_t xf) const
    {
        if (xf >= m_cellXfFormats.size()) return QString();
        const std::size_t format = m_cellXfFormats[xf];
        // A cell format names its number format by its id; ids below 164 are built in.
        QString code = m_formatsById.contains(format) ? m_formatsById.value(format) : builtinFormat(format);
        if (code.compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0) code.clear();
        return code;
    }

private:
    std::size_t m_pendingId = 0;
    QString m_pendingCode;
    std::size_t m_pendingXfFormat = 0;
    std::size_t m_formatCount = 0;
    QHash<std::size_t, QString> m_formatsById;
    std::vector<std::size_t> m_cellXfFormats;
    std::size_t m_fonts = 0, m_fills = 0, m_borders = 0, m_protections = 0, m_styleXfs = 0, m_dxfs = 0, m_cellStyles = 0;
};

// --- sheets -----------------------------------------------------------------

struct CollectedCell {
    sheet::CellData data;
    bool fromDate = false;  // arrived as a date: gets a date format if it has none
};

class CollectingSheet;

// Stored results of formula cells (the formula text itself is not kept).
class FormulaResults final : public ssi::import_formula {
public:
    explicit FormulaResults(CollectingSheet& sheet) : m_sheet(sheet) {}
    void set_position(ss::row_t row, ss::col_t col) override { m_row = row; m_col = col; m_kind = sheet::CellKind::Empty; }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override { m_kind = sheet::CellKind::Text; m_text = fromView(value); }
    void set_result_value(double value) override { m_kind = sheet::CellKind::Number; m_number = value; }
    void set_result_bool(bool value) override { m_kind = sheet::CellKind::Boolean; m_number = value ? 1 : 0; }
    void set_result_empty() override { m_kind = sheet::CellKind::Empty; }
    void commit() override;

private:
    CollectingSheet& m_sheet;
    ss::row_t m_row = 0;
    ss::col_t m_col = 0;
    sheet::CellKind m_kind = sheet::CellKind::Empty;
    double m_number = 0.0;
    QString m_text;
};

class ArrayFormulaResults final : public ssi::import_array_formula {
public:
    explicit ArrayFormulaResults(CollectingSheet& sheet) : m_sheet(sheet) {}
    void set_range(const ss::range_t&) override {}
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override;
    void set_result_value(ss::row_t row, ss::col_t col, double value) override;
    void set_result_bool(ss::row_t row, ss::col_t col, bool value) override;
    void set_result_empty(ss::row_t, ss::col_t) override {}
    void commit() override {}

private:
    CollectingSheet& m_sheet;
};

class CollectingSheet final : public ssi::import_sheet {
public:
    CollectingSheet(QString name, const SharedStrings& strings)
        : m_name(std::move(name)), m_strings(strings), m_formula(*this), m_arrayFormula(*this) {}

    ssi::import_formula* get_formula() override { return &m_formula; }
    ssi::import_array_formula* get_array_formula() override { return &m_arrayFormula; }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override
    {
        // Values whose type the file does not state: numbers when they read as one.
        bool ok = false;
        const double value = QByteArray(s.data(), static_cast<qsizetype>(s.size())).toDouble(&ok);
        if (ok) set_value(row, col, value);
        else putText(row, col, fromView(s));
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t id) override { putText(row, col, m_strings.text(id)); }
    void set_value(ss::row_t row, ss::col_t col, double value) override { putNumber(row, col, value, sheet::CellKind::Number); }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override { putNumber(row, col, value ? 1 : 0, sheet::CellKind::Boolean); }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour, int minute, double second) override
    {
        putNumber(row, col, serialFromDateTime(year, month, day, hour, minute, second), sheet::CellKind::Number);
        m_cells.back().fromDate = true;
    }
    void set_format(ss::row_t row, ss::col_t col, std::size_t xf) override { m_cellXf[key(row, col)] = xf; }
    void set_format(ss::row_t row1, ss::col_t col1, ss::row_t row2, ss::col_t col2, std::size_t xf) override
    {
        m_rangeXf.push_back({row1, col1, row2, col2, xf});
    }
    void fill_down_cells(ss::row_t srcRow, ss::col_t srcCol, ss::row_t rangeSize) override
    {
        const auto source = std::find_if(m_cells.rbegin(), m_cells.rend(), [&](const CollectedCell& c) {
            return c.data.row == srcRow + 1 && c.data.col == srcCol + 1;
        });
        if (source == m_cells.rend()) return;
        const CollectedCell copy = *source;
        for (ss::row_t r = 1; r <= rangeSize; ++r) {
            m_cells.push_back(copy);
            m_cells.back().data.row = srcRow + r + 1;
        }
        const auto xf = m_cellXf.find(key(srcRow, srcCol));
        if (xf != m_cellXf.end()) {
            const std::size_t format = xf->second;
            for (ss::row_t r = 1; r <= rangeSize; ++r) m_cellXf[key(srcRow + r, srcCol)] = format;
        }
    }
    ss::range_size_t get_sheet_size() const override { return {sheet::kMaxRows, sheet::kMaxCols}; }

    void putText(ss::row_t row, ss::col_t col, const QString& text)
    {
        CollectedCell cell;
        cell.data.row = row + 1;
        cell.data.col = col + 1;
        cell.data.kind = sheet::CellKind::Text;
        cell.data.text = text;
        m_cells.push_back(std::move(cell));
    }
    void putNumber(ss::row_t row, ss::col_t col, double value, sheet::CellKind kind)
    {
        CollectedCell cell;
        cell.data.row = row + 1;
        cell.data.col = col + 1;
        cell.data.kind = kind;
        cell.data.number = value;
        m_cells.push_back(std::move(cell));
    }
    void putFormulaResult(ss::row_t row, ss::col_t col, sheet::CellKind kind, double number, const QString& text)
    {
        if (kind == sheet::CellKind::Text) putText(row, col, text);
        else if (kind != sheet::CellKind::Empty) putNumber(row, col, number, kind);
    }

    // The collected cells in row-major order, the last write of a cell winning,
    // numbers with their number format.
    sheet::SheetData take(const NumberFormatStyles* styles)
    {
        std::stable_sort(m_cells.begin(), m_cells.end(), [](const CollectedCell& a, const CollectedCell& b) {
            return a.data.row != b.data.row ? a.data.row < b.data.row : a.data.col < b.data.col;
        });
        sheet::SheetData out;
        out.name = m_name;
        out.cells.reserve(m_cells.size());
        for (std::size_t i = 0; i < m_cells.size(); ++i) {
            if (i + 1 < m_cells.size() && m_cells[i + 1].data.row == m_cells[i].data.row
                && m_cells[i + 1].data.col == m_cells[i].data.col) {
                continue;  // overwritten later
            }
            CollectedCell& cell = m_cells[i];
            if (cell.data.kind == sheet::CellKind::Number) {
                if (styles) cell.data.format = styles->formatOfXf(xfOf(cell.data.row - 1, cell.data.col - 1));
                if (cell.data.format.isEmpty() && cell.fromDate) cell.data.format = QStringLiteral("yyyy-mm-dd");
            }
            out.cells.push_back(std::move(cell.data));
        }
        m_cells.clear();
        return out;
    }

private:
    struct RangeXf {
        ss::row_t row1;
        ss::col_t col1;
        ss::row_t row2;
        ss::col_t col2;
        std::size_t xf;
    };
    static std::uint64_t key(ss::row_t row, ss::col_t col)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) | static_cast<std::uint32_t>(col);
    }
    std::size_t xfOf(ss::row_t row, ss::col_t col) const
    {
        const auto it = m_cellXf.find(key(row, col));
        if (it != m_cellXf.end()) return it->second;
        for (auto r = m_rangeXf.rbegin(); r != m_rangeXf.rend(); ++r) {
            if (row >= r->row1 && row <= r->row2 && col >= r->col1 && col <= r->col2) return r->xf;
        }
        return 0;
    }

    QString m_name;
    const SharedStrings& m_strings;
    FormulaResults m_formula;
    ArrayFormulaResults m_arrayFormula;
    std::vector<CollectedCell> m_cells;
    std::unordered_map<std::uint64_t, std::size_t> m_cellXf;
    std::vector<RangeXf> m_rangeXf;
};

void FormulaResults::commit()
{
    m_sheet.putFormulaResult(m_row, m_col, m_kind, m_number, m_text);
}
void ArrayFormulaResults::set_result_string(ss::row_t row, ss::col_t col, std::string_view value)
{
    m_sheet.putText(row, col, fromView(value));
}
void ArrayFormulaResults::set_result_value(ss::row_t row, ss::col_t col, double value)
{
    m_sheet.putNumber(row, col, value, sheet::CellKind::Number);
}
void ArrayFormulaResults::set_result_bool(ss::row_t row, ss::col_t col, bool value)
{
    m_sheet.putNumber(row, col, value ? 1 : 0, sheet::CellKind::Boolean);
}

class GlobalSettings final : public ssi::import_global_settings {
public:
    // Workbooks made with the 1904 date system count days from 1904-01-01.
    void set_origin_date(int year, int, int) override { m_dates1904 = year == 1904; }
    void setDates1904() { m_dates1904 = true; }
    bool dates1904() const { return m_dates1904; }
    void set_default_formula_grammar(ss::formula_grammar_t grammar) override { m_grammar = grammar; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return m_grammar; }
    void set_character_set(orcus::character_set_t) override {}

private:
    ss::formula_grammar_t m_grammar = ss::formula_grammar_t::unknown;
    bool m_dates1904 = false;
};

// Cell addresses in A1 style ("B3", "$B$3", "Sheet1!B3", ranges "A1:C9").
class A1Resolver final : public ssi::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override
    {
        ss::src_address_t out{0, 0, 0};
        const std::size_t bang = address.rfind('!');
        if (bang != std::string_view::npos) address.remove_prefix(bang + 1);
        std::size_t i = 0;
        long column = 0;
        long row = 0;
        if (i < address.size() && address[i] == '$') ++i;
        const std::size_t lettersStart = i;
        while (i < address.size() && std::isalpha(static_cast<unsigned char>(address[i]))) ++i;
        if (i > lettersStart) {
            column = sheet::columnNumber(address.substr(lettersStart, i - lettersStart), 1 << 20);
            if (column == 0) throw std::invalid_argument("bad cell address");
        }
        if (i < address.size() && address[i] == '$') ++i;
        const std::size_t digitsStart = i;
        while (i < address.size() && std::isdigit(static_cast<unsigned char>(address[i]))) {
            row = row * 10 + (address[i] - '0');
            if (row > 1 << 24) throw std::invalid_argument("bad cell address");
            ++i;
        }
        if (i != address.size() || i == lettersStart || digitsStart == i || column == 0 || row == 0) {
            throw std::invalid_argument("bad cell address: " + std::string(address));
        }
        out.row = static_cast<ss::row_t>(row - 1);
        out.column = static_cast<ss::col_t>(column - 1);
        return out;
    }
    ss::src_range_t resolve_range(std::string_view range) override
    {
        const std::size_t colon = range.find(':');
        ss::src_range_t out;
        out.first = resolve_address(range.substr(0, colon));
        out.last = colon == std::string_view::npos ? out.first : resolve_address(range.substr(colon + 1));
        return out;
    }
};

class Collector final : public ssi::import_factory {
public:
    ssi::import_global_settings* get_global_settings() override { return &m_settings; }
    ssi::import_shared_strings* get_shared_strings() override { return &m_strings; }
    ssi::import_styles* get_styles() override { return &m_styles; }
    ssi::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override { return &m_resolver; }
    ssi::import_sheet* append_sheet(ss::sheet_t, std::string_view name) override
    {
        m_sheets.push_back(std::make_unique<CollectingSheet>(fromView(name), m_strings));
        m_names.push_back(fromView(name));
        return m_sheets.back().get();
    }
    ssi::import_sheet* get_sheet(std::string_view name) override
    {
        const QString wanted = fromView(name);
        for (std::size_t i = 0; i < m_sheets.size(); ++i) {
            if (m_names[i] == wanted) return m_sheets[i].get();
        }
        return nullptr;
    }
    ssi::import_sheet* get_sheet(ss::sheet_t index) override
    {
        return index >= 0 && static_cast<std::size_t>(index) < m_sheets.size() ? m_sheets[index].get() : nullptr;
    }
    void finalize() override {}

    // liborcus 0.17 does not pass the workbook's date system on: tell it here.
    void setDates1904() { m_settings.setDates1904(); }

    sheet::WorkbookData take()
    {
        sheet::WorkbookData book;
        for (auto& s : m_sheets) book.sheets.push_back(s->take(&m_styles));
        if (m_settings.dates1904()) {
            // Days between the two systems' origins: dates and times keep their
            // meaning in the grid's 1900 date system.
            constexpr double kDays1900To1904 = 1462;
            for (sheet::SheetData& s : book.sheets) {
                for (sheet::CellData& cell : s.cells) {
                    if (cell.kind == sheet::CellKind::Number && sheet::isDateTimeFormat(cell.format)
                        && !isTimeOnlyFormat(cell.format)) {
                        cell.number += kDays1900To1904;
                    }
                }
            }
        }
        return book;
    }

private:
    GlobalSettings m_settings;
    A1Resolver m_resolver;
    SharedStrings m_strings;
    NumberFormatStyles m_styles;
    std::vector<std::unique_ptr<CollectingSheet>> m_sheets;
    std::vector<QString> m_names;
};

// True when the workbook part says its dates count from 1904 (workbookPr date1904).
bool usesDates1904(const QString& path)
{
    orcus::zip_archive_stream_fd stream(QFile::encodeName(path).constData());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<unsigned char> bytes;
    if (!archive.read_file_entry("xl/workbook.xml", bytes)) return false;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    static const QRegularExpression pattern(
        QStringLiteral("<(?:\\w+:)?workbookPr\\b[^>]*\\bdate1904\\s*=\\s*[\"'](?:1|true)[\"']"));
    return pattern.match(text).hasMatch();
}

template <typename Filter>
bool readWithOrcus(const QString& path, sheet::WorkbookData& out, QString& error)
{
    if (!QFile::exists(path)) {
        error = QStringLiteral("the file does not exist");
        return false;
    }
    try {
        Collector collector;
        Filter filter(&collector);
        filter.read_file(QFile::encodeName(path).toStdString());
        if (usesDates1904(path)) collector.setDates1904();
        return takeWorkbook(collector.take(), out, error);
    } catch (const std::bad_alloc&) {
        error = outOfMemoryText();
        return false;
    } catch (const std::exception& e) {
        error = QStringLiteral("the workbook cannot be read (%1)").arg(QString::fromUtf8(e.what()));
        return false;
    } catch (...) {
        error = QStringLiteral("the workbook cannot be read");
        return false;
    }
}

}  // namespace

bool readXlsxWorkbook(const QString& path, sheet::WorkbookData& out, QString& error)
{
    return readWithOrcus<orcus::orcus_xlsx>(path, out, error);
}

}  // namespace dataimport
