// Reader and writer of the native workbook file (format: docs/workbook-format.md).
//
// The reader streams the file in fixed-size blocks and parses each line in
// place, so a million-row workbook loads in about a second and memory holds
// only the cells plus one block. It accepts nothing it does not understand:
// every refusal names the file, the line and the reason, and no partial
// result ever leaves the function.
#include "components/sheet/workbook_file.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/number_format.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace sheet {

namespace {

constexpr std::string_view kMagic = "PLOTWISE-WORKBOOK";
constexpr int kVersion = 1;
constexpr qint64 kBlockBytes = 1 << 20;
constexpr size_t kMaxLineBytes = 4 << 20;  // a cell text is far shorter; guards memory
constexpr size_t kSampleCells = 4096;      // cells read before the sheet's size is estimated
constexpr size_t kMaxNameBytes = 255;      // a defined name in the file

// Thrown inside the reader with the reason only; the caller adds file and line.
struct LineError {
    QString reason;
};

[[noreturn]] void fail(const QString& reason)
{
    throw LineError{reason};
}

QString quoted(std::string_view text)
{
    constexpr size_t kShown = 40;
    QString shown = QString::fromUtf8(text.data(), qsizetype(std::min(text.size(), kShown)));
    if (text.size() > kShown)
        shown += QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// ---------------------------------------------------------------------------
// Line source: blocks of the file split at LF (a CR before it is dropped)
// ---------------------------------------------------------------------------

class LineSource {
public:
    explicit LineSource(QFile& file) : m_file(file) { m_block.resize(size_t(kBlockBytes)); }

    // Next line without its line end; false at the end of the file.
    bool next(std::string_view& line)
    {
        if (m_carryInUse) {
            // The line handed out last time lived in m_carry.
            m_carry.clear();
            m_carryInUse = false;
        }
        for (;;) {
            if (m_pos < m_end) {
                const char* start = m_block.data() + m_pos;
                const void* nl = std::memchr(start, '\n', m_end - m_pos);
                if (nl) {
                    const size_t len = static_cast<const char*>(nl) - start;
                    m_pos += len + 1;
                    ++m_lineNumber;
                    if (m_carry.empty()) {
                        line = trimCr(std::string_view(start, len));
                    } else {
                        appendCarry(start, len);
                        line = trimCr(m_carry);
                        m_carryInUse = true;
                    }
                    return true;
                }
                appendCarry(start, m_end - m_pos);
                m_pos = m_end;
            }
            if (m_atEof) {
                if (m_carry.empty())
                    return false;
                // The last line has no line end.
                ++m_lineNumber;
                m_lastLine.swap(m_carry);
                m_carry.clear();
                line = trimCr(m_lastLine);
                return true;
            }
            const qint64 got = m_file.read(m_block.data(), kBlockBytes);
            if (got < 0)
                fail(QStringLiteral("read error: %1").arg(m_file.errorString()));
            m_pos = 0;
            m_end = size_t(got);
            m_totalRead += got;
            if (got == 0)
                m_atEof = true;
        }
    }

    qint64 lineNumber() const { return m_lineNumber; }
    // Bytes of the file up to the current line (a block-boundary line aside).
    qint64 bytesConsumed() const { return m_totalRead - qint64(m_end - m_pos); }
    qint64 fileSize() const { return m_file.size(); }

private:
    static std::string_view trimCr(std::string_view line)
    {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    void appendCarry(const char* data, size_t len)
    {
        if (m_carry.size() + len > kMaxLineBytes) {
            ++m_lineNumber;
            fail(QStringLiteral("line longer than %1 bytes").arg(kMaxLineBytes));
        }
        m_carry.append(data, len);
    }

    QFile& m_file;
    std::vector<char> m_block;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_atEof = false;
    std::string m_carry;      // a line that crosses a block boundary
    bool m_carryInUse = false;
    std::string m_lastLine;
    qint64 m_lineNumber = 0;
    qint64 m_totalRead = 0;
};

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

// ---------------------------------------------------------------------------
// Byte-level checks
// ---------------------------------------------------------------------------

// Refuses control characters (tab excepted) and anything that is not UTF-8.
void checkLineBytes(std::string_view line)
{
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const auto* end = p + line.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                fail(QStringLiteral("control character 0x%1 (binary data?)")
                         .arg(unsigned(c), 2, 16, QLatin1Char('0')));
            ++p;
            continue;
        }
        int extra = 0;
        unsigned min = 0;
        char32_t cp = 0;
        if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; min = 0x10000; }
        else fail(QStringLiteral("invalid UTF-8"));
        if (end - p <= extra)
            fail(QStringLiteral("invalid UTF-8"));
        for (int k = 1; k <= extra; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                fail(QStringLiteral("invalid UTF-8"));
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            fail(QStringLiteral("invalid UTF-8"));
        p += extra + 1;
    }
}

// ---------------------------------------------------------------------------
// Field parsing on one line
// ---------------------------------------------------------------------------

class Fields {
public:
    explicit Fields(std::string_view line) : m_rest(line) {}

    void skipBlanks()
    {
        while (!m_rest.empty() && (m_rest.front() == ' ' || m_rest.front() == '\t'))
            m_rest.remove_prefix(1);
    }

    bool atEnd()
    {
        skipBlanks();
        return m_rest.empty();
    }

    // The next run of non-blank characters.
    std::string_view word()
    {
        skipBlanks();
        size_t n = 0;
        while (n < m_rest.size() && m_rest[n] != ' ' && m_rest[n] != '\t')
            ++n;
        std::string_view w = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return w;
    }

    std::string_view rest()
    {
        skipBlanks();
        std::string_view r = m_rest;
        while (!r.empty() && (r.back() == ' ' || r.back() == '\t'))
            r.remove_suffix(1);
        m_rest = {};
        return r;
    }

    bool peekQuote()
    {
        skipBlanks();
        return !m_rest.empty() && m_rest.front() == '"';
    }

    // A double-quoted string with the escapes \" \\ \n \r \t \uXXXX.
    QString quotedString(const char* what)
    {
        skipBlanks();
        if (m_rest.empty() || m_rest.front() != '"')
            fail(QStringLiteral("%1 must be a quoted string").arg(QLatin1String(what)));
        m_rest.remove_prefix(1);
        // Fast path: no escapes.
        size_t n = 0;
        while (n < m_rest.size() && m_rest[n] != '"' && m_rest[n] != '\\')
            ++n;
        if (n < m_rest.size() && m_rest[n] == '"') {
            QString s = QString::fromUtf8(m_rest.data(), qsizetype(n));
            m_rest.remove_prefix(n + 1);
            return s;
        }
        std::string bytes(m_rest.substr(0, n));
        m_rest.remove_prefix(n);
        while (!m_rest.empty()) {
            const char c = m_rest.front();
            m_rest.remove_prefix(1);
            if (c == '"')
                return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
            if (c != '\\') {
                bytes.push_back(c);
                continue;
            }
            if (m_rest.empty())
                break;
            const char e = m_rest.front();
            m_rest.remove_prefix(1);
            switch (e) {
            case '"': bytes.push_back('"'); break;
            case '\\': bytes.push_back('\\'); break;
            case 'n': bytes.push_back('\n'); break;
            case 'r': bytes.push_back('\r'); break;
            case 't': bytes.push_back('\t'); break;
            case 'u': {
                unsigned cp = 0;
                if (m_rest.size() < 4
                    || std::from_chars(m_rest.data(), m_rest.data() + 4, cp, 16).ptr != m_rest.data() + 4)
                    fail(QStringLiteral("bad escape \\u in %1: four hex digits expected").arg(QLatin1String(what)));
                if (cp >= 0xD800 && cp <= 0xDFFF)
                    fail(QStringLiteral("bad escape \\u%1 in %2: surrogate code")
                             .arg(QString::fromLatin1(m_rest.data(), 4), QLatin1String(what)));
                m_rest.remove_prefix(4);
                appendUtf8(bytes, cp);
                break;
            }
            default:
                fail(QStringLiteral("bad escape \\%1 in %2").arg(QString::fromUtf8(&e, 1), QLatin1String(what)));
            }
        }
        fail(QStringLiteral("unterminated %1 (missing closing quote)").arg(QLatin1String(what)));
    }

private:
    static void appendUtf8(std::string& out, unsigned cp)
    {
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }

    std::string_view m_rest;
};

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

// A defined name as the workbook allows it, and short enough for the file.
bool isStorableName(std::string_view name)
{
    return name.size() <= kMaxNameBytes && isValidName(name);
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

        const quint64 key = (quint64(cell.row) << 16) | quint64(cell.col);
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
        auto keyOf = [&cells](uint32_t i) { return (quint64(cells[i].row) << 16) | quint64(cells[i].col); };
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

// ---------------------------------------------------------------------------
// The writer
// ---------------------------------------------------------------------------

void appendQuoted(std::string& out, const QString& text)
{
    out.push_back('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if ((static_cast<unsigned char>(c) < 0x20) || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(static_cast<unsigned char>(c)));
                out += buf;
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

void appendAddress(std::string& out, int row, int col)
{
    appendColumnLetters(out, col);
    char digits[12];
    const auto res = std::to_chars(digits, digits + sizeof digits, row);
    out.append(digits, res.ptr);
}

void appendNumber(std::string& out, double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

// Refuses content the reader would refuse, before anything is written.
void checkWritable(const WorkbookData& data)
{
    QSet<QString> sheetNames;
    for (const SheetData& sheet : data.sheets) {
        const QString key = sheet.name.toLower();
        if (sheet.name.trimmed().isEmpty())
            throw QString(QStringLiteral("a sheet has no name"));
        if (sheetNames.contains(key))
            throw QStringLiteral("duplicate sheet name \"%1\"").arg(sheet.name);
        sheetNames.insert(key);
        bool sorted = true;
        quint64 lastKey = 0;
        for (const CellData& c : sheet.cells) {
            if (c.row < 1 || c.row > kMaxRows || c.col < 1 || c.col > kMaxCols)
                throw QStringLiteral("cell at row %1, column %2 of sheet \"%3\" is outside the sheet")
                    .arg(c.row).arg(c.col).arg(sheet.name);
            if (c.kind == CellKind::Error && c.error == ErrorCode::None)
                throw QStringLiteral("cell %1 of sheet \"%2\" is an error without an error code")
                    .arg(cellAddress(c.row, c.col), sheet.name);
            if (c.kind == CellKind::Formula && QStringView(c.text).mid(c.text.startsWith(QLatin1Char('=')) ? 1 : 0).trimmed().isEmpty())
                throw QStringLiteral("cell %1 of sheet \"%2\" has an empty formula")
                    .arg(cellAddress(c.row, c.col), sheet.name);
            const quint64 key = (quint64(c.row) << 16) | quint64(c.col);
            if (key == lastKey)
                throw QStringLiteral("duplicate cell %1 in sheet \"%2\"").arg(cellAddress(c.row, c.col), sheet.name);
            if (key < lastKey)
                sorted = false;
            lastKey = key;
        }
        if (!sorted) {
            std::vector<quint64> keys;
            keys.reserve(sheet.cells.size());
            for (const CellData& c : sheet.cells)
                keys.push_back((quint64(c.row) << 16) | quint64(c.col));
            std::sort(keys.begin(), keys.end());
            const auto dup = std::adjacent_find(keys.begin(), keys.end());
            if (dup != keys.end())
                throw QStringLiteral("duplicate cell %1 in sheet \"%2\"")
                    .arg(cellAddress(int(*dup >> 16), int(*dup & 0xFFFF)), sheet.name);
        }
    }
    QSet<QString> names;
    for (const DefinedNameData& n : data.names) {
        const QByteArray utf8 = n.name.toUtf8();
        if (!isStorableName(std::string_view(utf8.constData(), size_t(utf8.size()))))
            throw QStringLiteral("bad defined name \"%1\"").arg(n.name);
        if (names.contains(n.name.toLower()))
            throw QStringLiteral("duplicate defined name \"%1\"").arg(n.name);
        if (n.definition.trimmed().isEmpty())
            throw QStringLiteral("defined name \"%1\" has no definition").arg(n.name);
        names.insert(n.name.toLower());
    }
}

bool needsQuotedDefinition(const QString& definition)
{
    if (definition != definition.trimmed() || definition.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar c : definition)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

void appendCell(std::string& out, const CellData& c)
{
    if (c.kind == CellKind::Empty && c.format.isEmpty())
        return;
    out += "cell ";
    appendAddress(out, c.row, c.col);
    switch (c.kind) {
    case CellKind::Number:
        if (std::isfinite(c.number)) {
            out += " n ";
            appendNumber(out, c.number);
        } else {
            // A cell cannot show an infinity: it is the #NUM! error it would display.
            out += " e #NUM!";
        }
        break;
    case CellKind::Text:
        out += " t ";
        appendQuoted(out, c.text);
        break;
    case CellKind::Formula:
        out += " f ";
        appendQuoted(out, c.text.startsWith(QLatin1Char('=')) ? c.text : QLatin1Char('=') + c.text);
        break;
    case CellKind::Boolean:
        out += c.number != 0.0 ? " b 1" : " b 0";
        break;
    case CellKind::Error: {
        out += " e ";
        out += errorName(c.error).toUtf8().constData();
        break;
    }
    case CellKind::Empty:
        out += " -";
        break;
    }
    if (!c.format.isEmpty() && c.format.compare(QLatin1String("General"), Qt::CaseInsensitive) != 0) {
        out += " fmt ";
        appendQuoted(out, c.format);
    } else if (c.kind == CellKind::Empty) {
        out += " fmt ";
        appendQuoted(out, c.format);
    }
    out.push_back('\n');
}

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

void writeNativeWorkbook(const QString& path, const WorkbookData& data)
{
    auto failWrite = [&path](const QString& reason) {
        throw SheetError(QStringLiteral("cannot write %1: %2").arg(path, reason));
    };
    try {
        checkWritable(data);
    } catch (const QString& reason) {
        failWrite(reason);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        failWrite(file.errorString());

    std::string out;
    out.reserve(size_t(kBlockBytes) + 4096);
    auto flush = [&](bool force) {
        if (!force && out.size() < size_t(kBlockBytes))
            return;
        if (file.write(out.data(), qint64(out.size())) != qint64(out.size())) {
            const QString reason = file.errorString();
            file.cancelWriting();
            failWrite(reason);
        }
        out.clear();
    };

    out += "PLOTWISE-WORKBOOK 1\n";
    for (const DefinedNameData& n : data.names) {
        out += "name ";
        out += n.name.toUtf8().constData();
        out.push_back(' ');
        if (needsQuotedDefinition(n.definition))
            appendQuoted(out, n.definition);
        else
            out += n.definition.toUtf8().constData();
        out.push_back('\n');
    }
    if (data.sheets.empty()) {
        out += "sheet \"Sheet1\"\n";  // a workbook always has a sheet
    }
    for (const SheetData& sheet : data.sheets) {
        out += "sheet ";
        appendQuoted(out, sheet.name);
        out.push_back('\n');
        for (const CellData& c : sheet.cells) {
            appendCell(out, c);
            flush(false);
        }
    }
    out += "end\n";
    flush(true);
    if (!file.commit())
        failWrite(file.errorString());
}

bool isNativeWorkbookFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray head = file.read(64);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    return head.startsWith(QByteArray(kMagic.data(), qsizetype(kMagic.size())) + ' ');
}

}  // namespace sheet
