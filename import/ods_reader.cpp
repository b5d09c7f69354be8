// ".ods" workbooks: content.xml (with the data styles of styles.xml and of
// content.xml's own automatic styles) streamed out of the zip container into
// Qt's XML reader. Values come as the file stores them (formulas as their
// results); dates and times become serial numbers with the cell's date
// format. Rows and cells stored once with a repeat count stand for that many
// rows and cells; the repeats are clipped to the sheet, and the cells they
// stand for are counted against the cell cap before any is stored.
#include "import/workbook_readers.h"

#include "import/xml_cursor.h"
#include "import/zip_archive.h"

#include "components/sheet/cell_address.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace dataimport {

namespace {

const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

// Styles are few in any real file; this only stops a file from listing millions.
constexpr qint64 kMaxStyles = 65'536;

// A repeat count: 1 when absent or not a positive number. Counts beyond any
// sheet saturate instead of overflowing; callers clip them to the sheet.
qint64 repeatCountOf(QStringView text)
{
    qint64 n = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9') return 1;
        n = std::min<qint64>(n * 10 + (ch.unicode() - u'0'), qint64(1) << 40);
    }
    return n > 1 ? n : 1;
}

qint64 repeatCount(const QXmlStreamAttributes& a, QLatin1StringView name)
{
    return repeatCountOf(a.value(kTable, name));
}

// Decimal places of a number element, refused past the cap.
qint64 decimalPlaces(XmlCursor& xml, const QXmlStreamAttributes& a)
{
    const QStringView text = a.value(kNumber, QLatin1StringView("decimal-places"));
    if (text.isEmpty()) return 0;
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok && !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        xml.fail(limitMessage(QStringLiteral("decimal places"), std::numeric_limits<qint64>::max(), kMaxDecimalPlaces));
    if (n > kMaxDecimalPlaces) xml.fail(limitMessage(QStringLiteral("decimal places"), n, kMaxDecimalPlaces));
    return std::max<qint64>(n, 0);
}

// Number format codes of the file's data styles and the cell styles using them.
class DataStyles {
public:
    // Called at a data style's start element; reads to its end.
    void read(XmlCursor& xml)
    {
        const QString name = xml.attributes().value(kStyle, QLatin1StringView("name")).toString();
        const QString kind = xml.name().toString();
        QString code;
        const int level = xml.depth();
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            const auto a = xml.attributes();
            const bool isLong = a.value(kNumber, QLatin1StringView("style")) == u"long";
            const QStringView part = xml.name();
            if (part == u"day") code += isLong ? u"dd" : u"d";
            else if (part == u"month") code += a.value(kNumber, QLatin1StringView("textual")) == u"true" ? (isLong ? u"mmmm" : u"mmm") : (isLong ? u"mm" : u"m");
            else if (part == u"year") code += isLong ? u"yyyy" : u"yy";
            else if (part == u"day-of-week") code += isLong ? u"dddd" : u"ddd";
            else if (part == u"hours") code += isLong ? u"hh" : u"h";
            else if (part == u"minutes") code += isLong ? u"mm" : u"m";
            else if (part == u"seconds") code += isLong ? u"ss" : u"s";
            else if (part == u"am-pm") code += u"AM/PM";
            else if (part == u"number") {
                const qint64 decimals = decimalPlaces(xml, a);
                code += a.value(kNumber, QLatin1StringView("grouping")) == u"true" ? u"#,##0" : u"0";
                if (decimals > 0) code += u'.' + QString(decimals, u'0');
            } else if (part == u"scientific-number") {
                const qint64 decimals = decimalPlaces(xml, a);
                code += u'0';
                if (decimals > 0) code += u'.' + QString(decimals, u'0');
                code += QStringLiteral("E+00");
            } else if (part == u"text") {
                const QString literal = xml.elementText();
                static const QRegularExpression plain(QStringLiteral("^[ .,:/\\-]*$"));
                code += plain.match(literal).hasMatch() ? literal : QStringLiteral("\"") + literal + u'"';
            }
            if (code.size() > kMaxNameLength)
                xml.fail(limitMessage(QStringLiteral("characters in a number format"), code.size(), kMaxNameLength));
        }
        if (kind == u"percentage-style" && !code.isEmpty()) code += u'%';
        if (kind == u"boolean-style") code.clear();
        if (name.isEmpty()) return;
        if (m_dataStyles.size() >= kMaxStyles) xml.fail(limitMessage(QStringLiteral("data styles"), m_dataStyles.size() + 1, kMaxStyles));
        m_dataStyles.insert(name, code);
    }
    void addCellStyle(XmlCursor& xml, const QString& name, const QString& dataStyle)
    {
        if (m_cellStyles.size() >= kMaxStyles) xml.fail(limitMessage(QStringLiteral("cell styles"), m_cellStyles.size() + 1, kMaxStyles));
        m_cellStyles.insert(name, dataStyle);
    }

    QString formatOfCellStyle(const QString& cellStyle) const { return m_dataStyles.value(m_cellStyles.value(cellStyle)); }

private:
    QHash<QString, QString> m_dataStyles;  // data style name -> format code
    QHash<QString, QString> m_cellStyles;  // cell style name -> data style name
};

bool isDataStyle(QStringView name)
{
    return name == u"date-style" || name == u"time-style" || name == u"number-style" || name == u"percentage-style"
           || name == u"currency-style" || name == u"boolean-style" || name == u"text-style";
}

// Reads a style element the cursor stands on, if it is one; true when it was.
bool readStyle(XmlCursor& xml, DataStyles& styles)
{
    if (xml.namespaceUri() == kNumber && isDataStyle(xml.name())) {
        styles.read(xml);
        return true;
    }
    if (xml.namespaceUri() == kStyle && xml.name() == u"style"
        && xml.attributes().value(kStyle, QLatin1StringView("family")) == u"table-cell") {
        const auto a = xml.attributes();
        const QString dataStyle = a.value(kStyle, QLatin1StringView("data-style-name")).toString();
        if (!dataStyle.isEmpty()) styles.addCellStyle(xml, a.value(kStyle, QLatin1StringView("name")).toString(), dataStyle);
    }
    return false;
}

// "PT10H30M05S" (hours may exceed a day) as a fraction of days.
bool daysFromIsoDuration(QStringView text, double& days)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(-)?P(?:(\\d{1,9})D)?(?:T(?:(\\d{1,9})H)?(?:(\\d{1,9})M)?(?:(\\d{1,9}(?:\\.\\d+)?)S)?)?$"));
    const auto m = pattern.match(text);
    if (!m.hasMatch()) return false;
    days = m.capturedView(2).toDouble() + (m.capturedView(3).toDouble() * 3600 + m.capturedView(4).toDouble() * 60
                                           + m.capturedView(5).toDouble()) / 86400.0;
    if (!m.capturedView(1).isEmpty()) days = -days;
    return true;
}

// The text of a cell's paragraphs: text:s stands for spaces, text:tab for a
// tab, text:line-break and a new paragraph for a line break. Ends at the
// cell's end element.
QString paragraphText(XmlCursor& xml)
{
    QString text;
    const int level = xml.depth();
    bool firstParagraph = true;
    auto append = [&](QStringView part, qint64 times) {
        if (text.size() + part.size() * times > kMaxTextLength)
            xml.fail(limitMessage(QStringLiteral("characters in one cell"), text.size() + part.size() * times, kMaxTextLength));
        for (qint64 i = 0; i < times; ++i) text += part;
    };
    while (xml.next() && xml.depth() >= level) {
        if (xml.isStart()) {
            if (xml.namespaceUri() == kText) {
                if (xml.name() == u"p" || xml.name() == u"h") {
                    if (!firstParagraph) append(u"\n", 1);
                    firstParagraph = false;
                } else if (xml.name() == u"s") {
                    append(u" ", repeatCountOf(xml.attributes().value(kText, QLatin1StringView("c"))));
                } else if (xml.name() == u"tab") {
                    append(u"\t", 1);
                } else if (xml.name() == u"line-break") {
                    append(u"\n", 1);
                }
            } else if (xml.namespaceUri() == kOffice && xml.name() == u"annotation") {
                xml.skip();  // comments are not cell text
            }
        } else if (xml.isCharacters()) {
            append(xml.text(), 1);
        }
    }
    return text;
}

class ContentReader {
public:
    ContentReader(DataStyles& styles, CellSink& sink) : m_styles(styles), m_sink(sink) {}

    // Styles before the body, then every table of the body.
    void read(XmlCursor& xml)
    {
        bool inBody = false;
        while (xml.next()) {
            if (!xml.isStart()) continue;
            if (!inBody) {
                if (xml.namespaceUri() == kOffice && xml.name() == u"body") inBody = true;
                else readStyle(xml, m_styles);
            } else if (xml.namespaceUri() == kTable && xml.name() == u"table") {
                readTable(xml);
            }
        }
    }

private:
    void readTable(XmlCursor& xml)
    {
        m_sink.beginSheet(xml.attributes().value(kTable, QLatin1StringView("name")).toString());
        qint64 row = 0;  // rows read so far in this table, at most the sheet's rows
        const int level = xml.depth();
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            if (xml.namespaceUri() == kTable && xml.name() == u"table-row") {
                const qint64 repeat = repeatCount(xml.attributes(), QLatin1StringView("number-rows-repeated"));
                readRow(xml, row, repeat);
                row = std::min<qint64>(row + repeat, sheet::kMaxRows);
            } else if (xml.namespaceUri() == kTable && xml.name() == u"table") {
                xml.skip();  // a table inside a cell's shapes: not sheet data
            }
            // Row groups, header rows and columns: their rows are read inside.
        }
    }

    // Reads one row element that stands for `repeat` rows below `rowsBefore`.
    void readRow(XmlCursor& xml, qint64 rowsBefore, qint64 repeat)
    {
        std::vector<sheet::CellData> cells;  // the row's cells, row number set below
        qint64 column = 0;
        const int level = xml.depth();
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            if (xml.namespaceUri() != kTable || (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell")) {
                xml.skip();
                continue;
            }
            const auto a = xml.attributes();
            const qint64 columns = repeatCount(a, QLatin1StringView("number-columns-repeated"));
            sheet::CellData cell;
            const bool hasValue = readCell(xml, a, cell);
            if (hasValue) {
                for (qint64 c = column; c < column + columns && c < sheet::kMaxCols; ++c) {
                    cell.col = static_cast<int>(c + 1);
                    cells.push_back(cell);
                }
            }
            column = std::min<qint64>(column + columns, sheet::kMaxCols);
        }
        if (cells.empty()) return;
        const qint64 rows = std::clamp<qint64>(sheet::kMaxRows - rowsBefore, 0, repeat);
        // Checked before the first copy: a few bytes may ask for billions of cells.
        m_sink.requireRoomFor(rows * static_cast<qint64>(cells.size()));
        for (qint64 r = 0; r < rows; ++r) {
            for (sheet::CellData& cell : cells) {
                cell.row = static_cast<int>(rowsBefore + r + 1);
                m_sink.addCell(cell);
            }
        }
    }

    // The value of the cell element the cursor stands on; reads to its end.
    bool readCell(XmlCursor& xml, const QXmlStreamAttributes& a, sheet::CellData& cell)
    {
        const QStringView type = a.value(kOffice, QLatin1StringView("value-type"));
        bool hasValue = true;
        if (type == u"float" || type == u"percentage" || type == u"currency") {
            cell.kind = sheet::CellKind::Number;
            cell.number = a.value(kOffice, QLatin1StringView("value")).toDouble();
            if (!std::isfinite(cell.number)) {
                cell.kind = sheet::CellKind::Error;
                cell.error = sheet::ErrorCode::Num;
            }
        } else if (type == u"date") {
            cell.kind = sheet::CellKind::Number;
            hasValue = serialFromIsoDate(a.value(kOffice, QLatin1StringView("date-value")), cell.number);
            cell.format = QStringLiteral("yyyy-mm-dd");
        } else if (type == u"time") {
            cell.kind = sheet::CellKind::Number;
            hasValue = daysFromIsoDuration(a.value(kOffice, QLatin1StringView("time-value")), cell.number);
            cell.format = QStringLiteral("hh:mm:ss");
        } else if (type == u"boolean") {
            cell.kind = sheet::CellKind::Boolean;
            cell.number = a.value(kOffice, QLatin1StringView("boolean-value")) == u"true" ? 1 : 0;
        } else if (type == u"string") {
            cell.kind = sheet::CellKind::Text;
        } else {
            hasValue = false;
        }
        const QString styleFormat = m_styles.formatOfCellStyle(a.value(kTable, QLatin1StringView("style-name")).toString());
        if (cell.kind == sheet::CellKind::Number && !styleFormat.isEmpty()) cell.format = styleFormat;
        if (type == u"string" && !a.hasAttribute(kOffice, QStringLiteral("string-value"))) {
            cell.text = paragraphText(xml);
        } else {
            if (type == u"string") cell.text = a.value(kOffice, QLatin1StringView("string-value")).toString();
            xml.skip();
        }
        return hasValue;
    }

    DataStyles& m_styles;
    CellSink& m_sink;
};

}  // namespace

void readOdsWorkbook(const ZipArchive& archive, CellSink& sink)
{
    DataStyles styles;
    if (const auto entry = archive.entry(QStringLiteral("styles.xml"))) {
        XmlCursor xml(*entry, QStringLiteral("styles.xml"));
        while (xml.next()) {
            if (xml.isStart()) readStyle(xml, styles);
        }
    }
    const auto content = archive.entry(QStringLiteral("content.xml"));
    if (!content) throw WorkbookReadError{QStringLiteral("the file has no content.xml")};
    XmlCursor xml(*content, QStringLiteral("content.xml"));
    ContentReader(styles, sink).read(xml);
}

}  // namespace dataimport
