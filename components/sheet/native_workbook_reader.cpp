// Reader of the native workbook file (format: docs/workbook-format.md).
//
// The reader streams the file in fixed-size blocks and parses each line in
// place, so a million-row workbook loads in about a second and memory holds
// only the cells plus one block. It accepts nothing it does not understand:
// every refusal names the file, the line and the reason, and no partial
// result ever leaves the function.
#include "components/sheet/workbook_file.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/native_workbook_syntax.h"
#include "components/sheet/workbook_fields.h"
#include "components/sheet/workbook_line_source.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <new>
#include <numeric>
#include <string_view>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace sheet {

using namespace native;

namespace {

constexpr size_t kSampleCells = 4096;  // cells read before the sheet's size is estimated

void adviseLargePages(void* data, size_t bytes)
{
#ifdef __linux__
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(page - 1);
    if (end > start + (8u << 20))
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// "B16" -> row 16, column 2. Letters of either case; no "$" and no leading zero.
bool parseAddress(std::string_view text, int* row, int* col)
{
    const auto address = parseCellAddress(text);
    if (!address || address->colAbsolute || address->rowAbsolute)
        return false;
    if (text[text.find_first_of("0123456789")] == '0')
        return false;
    *row = address->row;
    *col = address->col;
    return true;
}

QString addressReason(std::string_view text)
{
    // Say which part is wrong: that is what a person editing the file needs.
    size_t letters = 0;
    while (letters < text.size() && isAsciiLetter(text[letters]))
        ++letters;
    std::string_view digits = text.substr(letters);
    const bool digitsOnly = !digits.empty()
        && std::all_of(digits.begin(), digits.end(), [](char ch) { return isAsciiDigit(ch); });
    if (letters == 0 || !digitsOnly)
        return QStringLiteral("bad cell address %1").arg(quoted(text));
    if (letters > 3 || columnNumber(text.substr(0, letters)) == 0)
        return QStringLiteral("bad cell address %1: column beyond XFD").arg(quoted(text));
    return QStringLiteral("bad cell address %1: row must be 1 to %2").arg(quoted(text)).arg(kMaxRows);
}

double parseStoredNumber(std::string_view text)
{
    // from_chars would also take "inf", "nan" and "infinity": refuse them.
    const bool startsWell = !text.empty()
        && (isAsciiDigit(text[0]) || text[0] == '.'
            || (text[0] == '-' && text.size() > 1 && (isAsciiDigit(text[1]) || text[1] == '.')));
    double value = 0.0;
    if (startsWell) {
        const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
        if (res.ptr == text.data() + text.size() && res.ec == std::errc() && std::isfinite(value))
            return value;
        if (res.ptr == text.data() + text.size() && res.ec == std::errc::result_out_of_range)
            fail(QStringLiteral("number %1 out of range").arg(quoted(text)));
    }
    fail(QStringLiteral("bad number %1").arg(quoted(text)));
}

// ---------------------------------------------------------------------------
// The reader
// ---------------------------------------------------------------------------

class Reader {
public:
    explicit Reader(const QString& path) : m_path(path) {}

    WorkbookData read()
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            throw SheetError(QStringLiteral("cannot read %1: %2").arg(m_path, file.errorString()));
        LineSource lines(file);
        try {
            parseAll(lines);
        } catch (const LineError& e) {
            throw SheetError(QStringLiteral("%1, line %2: %3")
                                 .arg(m_path).arg(std::max<qint64>(1, lines.lineNumber())).arg(e.reason));
        }
        return std::move(m_data);
    }

private:
    void parseAll(LineSource& lines)
    {
        std::string_view line;
        if (!lines.next(line))
            fail(QStringLiteral("empty file, not a Plotwise workbook"));
        if (line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);  // byte order mark
        parseMagic(line);

        bool ended = false;
        while (lines.next(line)) {
            checkLineBytes(line);
            Fields fields(line);
            if (fields.atEnd())
                continue;
            std::string_view keyword = fields.word();
            if (keyword.front() == '#')
                continue;
            if (ended)
                fail(QStringLiteral("text after the closing \"end\" line"));
            if (keyword == "cell") {
                parseCell(fields, lines.lineNumber());
                if (m_data.sheets.back().cells.size() == kSampleCells)
                    reserveForSheet(lines);
            }
            else if (keyword == "sheet") {
                parseSheet(fields);
                m_sheetStartBytes = lines.bytesConsumed();
            }
            else if (keyword == "name")
                parseName(fields);
            else if (keyword == "end") {
                if (!fields.atEnd())
                    fail(QStringLiteral("unexpected text after \"end\""));
                finishSheet();
                ended = true;
            } else
                fail(QStringLiteral("unknown line kind %1 (expected sheet, name, cell or end)").arg(quoted(keyword)));
        }
        if (!ended)
            fail(QStringLiteral("file ends before the closing \"end\" line (truncated?)"));
        if (m_data.sheets.empty())
            fail(QStringLiteral("workbook has no sheet"));
    }

    void parseMagic(std::string_view line)
    {
        checkLineBytes(line);
        Fields fields(line);
        const std::string_view magic = fields.word();
        if (magic != kMagic)
            fail(QStringLiteral("not a Plotwise workbook: the first line must be \"%1 %2\"")
                     .arg(QLatin1String(kMagic.data(), qsizetype(kMagic.size()))).arg(kVersion));
        const std::string_view version = fields.word();
        if (version != "1" || !fields.atEnd())
            fail(QStringLiteral("unsupported workbook version %1").arg(quoted(version)));
    }

    void parseSheet(Fields& fields)
    {
        const QString name = fields.quotedString("sheet name");
        if (!fields.atEnd())
            fail(QStringLiteral("unexpected text after the sheet name"));
        if (name.trimmed().isEmpty())
            fail(QStringLiteral("empty sheet name"));
        for (const SheetData& s : m_data.sheets)
            if (s.name.compare(name, Qt::CaseInsensitive) == 0)
                fail(QStringLiteral("duplicate sheet name \"%1\"").arg(name));
        finishSheet();
        m_data.sheets.push_back(SheetData{name, {}});
        m_lastKey = 0;
        m_sorted = true;
        m_cellLines.clear();
        m_firstUnsorted = 0;
    }

    void parseName(Fields& fields)
    {
        const std::string_view name = fields.word();
        if (!isStorableName(name))
            fail(QStringLiteral("bad defined name %1").arg(quoted(name)));
        QString def;
        if (fields.peekQuote()) {
            def = fields.quotedString("name definition");
            if (!fields.atEnd())
                fail(QStringLiteral("unexpected text after the name definition"));
        } else {
            const std::string_view raw = fields.rest();  // unquoted: the rest of the line
            def = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
        }
        if (def.trimmed().isEmpty())
            fail(QStringLiteral("defined name %1 has no definition").arg(quoted(name)));
        const QString qname = QString::fromUtf8(name.data(), qsizetype(name.size()));
        for (const DefinedNameData& n : m_data.names)
            if (n.name.compare(qname, Qt::CaseInsensitive) == 0)
                fail(QStringLiteral("duplicate defined name %1").arg(quoted(name)));
        m_data.names.push_back(DefinedNameData{qname, def});
    }

    void parseCell(Fields& fields, qint64 lineNumber)
    {
        if (m_data.sheets.empty())
            fail(QStringLiteral("cell before the first sheet line"));
        const std::string_view address = fields.word();
        CellData cell;
        if (!parseAddress(address, &cell.row, &cell.col))
            fail(address.empty() ? QStringLiteral("cell address missing") : addressReason(address));

        parseCellValue(fields, cell);

        if (!fields.atEnd()) {
            const std::string_view keyword = fields.word();
            if (keyword != "fmt")
                fail(QStringLiteral("unexpected text %1 after the cell value").arg(quoted(keyword)));
            cell.format = sharedFormat(fields.quotedString("number format"));
            if (!fields.atEnd())
                fail(QStringLiteral("unexpected text after the number format"));
        }
        if (cell.kind == CellKind::Empty && cell.format.isEmpty())
            fail(QStringLiteral("empty cell without a number format"));

        const quint64 key = cellKey(cell.row, cell.col);
        if (key == m_lastKey)
            fail(QStringLiteral("duplicate cell %1").arg(cellAddress(cell.row, cell.col)));
        std::vector<CellData>& cells = m_data.sheets.back().cells;
        if (key < m_lastKey && m_sorted) {
            // From here on a repeated address can only be found by sorting;
            // keep the line of every later cell to name it then.
            m_sorted = false;
            m_firstUnsorted = cells.size();
        }
        m_lastKey = key;
        cells.push_back(std::move(cell));
        if (!m_sorted)
            m_cellLines.push_back(lineNumber);
    }

    // The kind letter and the value after it.
    void parseCellValue(Fields& fields, CellData& cell)
    {
        const std::string_view kind = fields.word();
        if (kind.size() != 1)
            fail(kind.empty() ? QStringLiteral("cell kind missing")
                              : QStringLiteral("unknown cell kind %1 (expected n, t, f, b, e or -)").arg(quoted(kind)));
        switch (kind[0]) {
        case 'n':
            cell.kind = CellKind::Number;
            cell.number = parseStoredNumber(fields.word());
            break;
        case 't':
            cell.kind = CellKind::Text;
            cell.text = fields.quotedString("text");
            break;
        case 'f':
            cell.kind = CellKind::Formula;
            cell.text = fields.quotedString("formula");
            if (!cell.text.startsWith(QLatin1Char('=')) || cell.text.size() < 2)
                fail(QStringLiteral("formula must start with \"=\""));
            break;
        case 'b': {
            cell.kind = CellKind::Boolean;
            const std::string_view v = fields.word();
            if (v != "0" && v != "1")
                fail(QStringLiteral("boolean must be 0 or 1, not %1").arg(quoted(v)));
            cell.number = v == "1" ? 1.0 : 0.0;
            break;
        }
        case 'e': {
            cell.kind = CellKind::Error;
            const std::string_view v = fields.word();
            cell.error = errorFromName(QString::fromUtf8(v.data(), qsizetype(v.size())));
            if (cell.error == ErrorCode::None)
                fail(QStringLiteral("unknown error value %1").arg(quoted(v)));
            break;
        }
        case '-':
            cell.kind = CellKind::Empty;
            break;
        default:
            fail(QStringLiteral("unknown cell kind %1 (expected n, t, f, b, e or -)").arg(quoted(kind)));
        }
    }

    // Identical format codes share one string instead of one copy per cell.
    QString sharedFormat(const QString& format)
    {
        if (format.isEmpty() || format == m_lastFormat)
            return format.isEmpty() ? QString() : m_lastFormat;
        auto it = m_formats.find(format);
        if (it == m_formats.end())
            it = m_formats.insert(format, format);
        m_lastFormat = it.value();
        return m_lastFormat;
    }

    // Growing a vector of millions of cells by doubling moves them again and
    // again; after a sample of cells, reserve what the rest of the file holds
    // at the sample's bytes per cell.
    void reserveForSheet(const LineSource& lines)
    {
        const qint64 sampleBytes = lines.bytesConsumed() - m_sheetStartBytes;
        if (sampleBytes <= 0)
            return;
        const double bytesPerCell = double(sampleBytes) / double(kSampleCells);
        const double remaining = double(lines.fileSize() - lines.bytesConsumed());
        const double estimate = double(kSampleCells) + 1.05 * remaining / bytesPerCell;
        std::vector<CellData>& cells = m_data.sheets.back().cells;
        try {
            cells.reserve(size_t(std::min(estimate, double(kMaxRows) * 64.0)));
        } catch (const std::bad_alloc&) {
            return;  // no room for the estimate: grow as the cells come
        }
        // An over-estimate costs address space only: pages never written are
        // never given memory. Large pages cut the cost of touching the rest.
        adviseLargePages(cells.data(), cells.capacity() * sizeof(CellData));
    }

    // Cells written out of order are sorted here; a repeated address is refused
    // with the line of its second occurrence.
    void finishSheet()
    {
        if (m_data.sheets.empty())
            return;
        if (m_sorted)
            return;
        std::vector<CellData>& cells = m_data.sheets.back().cells;
        std::vector<uint32_t> order(cells.size());
        std::iota(order.begin(), order.end(), 0u);
        auto keyOf = [&cells](uint32_t i) { return cellKey(cells[i].row, cells[i].col); };
        std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keyOf(a) < keyOf(b); });
        for (size_t k = 1; k < order.size(); ++k) {
            if (keyOf(order[k]) == keyOf(order[k - 1])) {
                // The later of the two lies past the sorted prefix, whose
                // addresses strictly increase.
                const uint32_t later = std::max(order[k], order[k - 1]);
                const CellData& c = cells[later];
                throw LineErrorAt{m_cellLines[later - m_firstUnsorted],
                                  QStringLiteral("duplicate cell %1").arg(cellAddress(c.row, c.col))};
            }
        }
        std::vector<CellData> sorted;
        sorted.reserve(cells.size());
        for (uint32_t i : order)
            sorted.push_back(std::move(cells[i]));
        cells.swap(sorted);
        m_sorted = true;
    }

public:
    // A refusal found after the offending line was passed.
    struct LineErrorAt {
        qint64 line;
        QString reason;
    };

private:
    QString m_path;
    WorkbookData m_data;
    quint64 m_lastKey = 0;
    bool m_sorted = true;
    std::vector<qint64> m_cellLines;  // lines of the cells from m_firstUnsorted on
    size_t m_firstUnsorted = 0;
    qint64 m_sheetStartBytes = 0;
    QHash<QString, QString> m_formats;
    QString m_lastFormat;
};

}  // namespace

WorkbookData readNativeWorkbook(const QString& path)
{
    try {
        return Reader(path).read();
    } catch (const Reader::LineErrorAt& e) {
        throw SheetError(QStringLiteral("%1, line %2: %3").arg(path).arg(e.line).arg(e.reason));
    } catch (const std::bad_alloc&) {
        throw SheetError(QStringLiteral("cannot read %1: not enough memory for its cells").arg(path));
    }
}

}  // namespace sheet
