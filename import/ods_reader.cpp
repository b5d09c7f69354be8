// ".ods" workbooks: content.xml (with the data styles of styles.xml and of
// content.xml's own automatic styles) streamed out of the zip container into
// the streaming XML reader (XmlCursor). Values come as the file stores them (formulas as their
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

constexpr QByteArrayView kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr QByteArrayView kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr QByteArrayView kStyle = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
constexpr QByteArrayView kNumber = "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0";
constexpr QByteArrayView kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

// Styles are few in any real file; this only stops a file from listing millions.
constexpr qint64 kMaxStyles = 65'536;

// A repeat count: 1 when absent or not a positive number. Counts beyond any
// sheet saturate instead of overflowing; callers clip them to the sheet.
qint64 repeatCountOf(QByteArrayView text)
{
    qint64 n = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return 1;
        n = std::min<qint64>(n * 10 + (ch - '0'), qint64(1) << 40);
    }
    return n > 1 ? n : 1;
}

qint64 repeatCount(const XmlCursor& xml, QByteArrayView name)
{
    return repeatCountOf(xml.attribute(kTable, name));
}

// Decimal places of a number element, refused past the cap.
qint64 decimalPlaces(const XmlCursor& xml)
{
    const QByteArrayView text = xml.attribute(kNumber, "decimal-places");
    if (text.isEmpty()) return 0;
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
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
        const QString name = xml.attributeText(kStyle, "name");
        const QByteArray kind = xml.name().toByteArray();
        QString code;
        const int level = xml.depth();
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            const bool isLong = xml.attribute(kNumber, "style") == "long";
            const QByteArrayView part = xml.name();
            if (part == "day") code += isLong ? u"dd" : u"d";
            else if (part == "month") code += xml.attribute(kNumber, "textual") == "true" ? (isLong ? u"mmmm" : u"mmm") : (isLong ? u"mm" : u"m");
            else if (part == "year") code += isLong ? u"yyyy" : u"yy";
            else if (part == "day-of-week") code += isLong ? u"dddd" : u"ddd";
            else if (part == "hours") code += isLong ? u"hh" : u"h";
            else if (part == "minutes") code += isLong ? u"mm" : u"m";
            else if (part == "seconds") code += isLong ? u"ss" : u"s";
            else if (part == "am-pm") code += u"AM/PM";
            else if (part == "number") {
                const qint64 decimals = decimalPlaces(xml);
                code += xml.attribute(kNumber, "grouping") == "true" ? u"#,##0" : u"0";
                if (decimals > 0) code += u'.' + QString(decimals, u'0');
            } else if (part == "scientific-number") {
                const qint64 decimals = decimalPlaces(xml);
                code += u'0';
                if (decimals > 0) code += u'.' + QString(decimals, u'0');
                code += QStringLiteral("E+00");
            } else if (part == "text") {
                const QString literal = xml.elementText();
                static const QRegularExpression plain(QStringLiteral("^[ .,:/\\-]*$"));
                code += plain.match(literal).hasMatch() ? literal : QStringLiteral("\"") + literal + u'"';
            }
            if (code.size() > kMaxNameLength)
                xml.fail(limitMessage(QStringLiteral("characters in a number format"), code.size(), kMaxNameLength));
        }
        if (kind == "percentage-style" && !code.isEmpty()) code += u'%';
        if (kind == "boolean-style") code.clear();
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

bool isDataStyle(QByteArrayView name)
{
    return name == "date-style" || name == "time-style" || name == "number-style" || name == "percentage-style"
           || name == "currency-style" || name == "boolean-style" || name == "text-style";
}

// Reads a style element the cursor stands on, if it is one; true when it was.
bool readStyle(XmlCursor& xml, DataStyles& styles)
{
    if (xml.namespaceUri() == kNumber && isDataStyle(xml.name())) {
        styles.read(xml);
        return true;
    }
    if (xml.namespaceUri() == kStyle && xml.name() == "style" && xml.attribute(kStyle, "family") == "table-cell") {
        const QString dataStyle = xml.attributeText(kStyle, "data-style-name");
        if (!dataStyle.isEmpty()) styles.addCellStyle(xml, xml.attributeText(kStyle, "name"), dataStyle);
    }
    return false;
}

// "PT10H30M05S" (hours may exceed a day) as a fraction of days.
bool daysFromIsoDuration(const QString& text, double& days)
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
                if (xml.name() == "p" || xml.name() == "h") {
                    if (!firstParagraph) append(u"\n", 1);
                    firstParagraph = false;
                } else if (xml.name() == "s") {
                    append(u" ", repeatCountOf(xml.attribute(kText, "c")));
                } else if (xml.name() == "tab") {
                    append(u"\t", 1);
                } else if (xml.name() == "line-break") {
                    append(u"\n", 1);
                }
            } else if (xml.namespaceUri() == kOffice && xml.name() == "annotation") {
                xml.skip();  // comments are not cell text
            }
        } else if (xml.isCharacters()) {
            append(QString::fromUtf8(xml.characters()), 1);
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
                if (xml.namespaceUri() == kOffice && xml.name() == "body") inBody = true;
                else readStyle(xml, m_styles);
            } else if (xml.namespaceUri() == kTable && xml.name() == "table") {
                readTable(xml);
            }
        }
    }

private:
    void readTable(XmlCursor& xml)
    {
        m_sink.beginSheet(xml.attributeText(kTable, "name"));
        qint64 row = 0;  // rows read so far in this table, at most the sheet's rows
        const int level = xml.depth();
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            if (xml.namespaceUri() == kTable && xml.name() == "table-row") {
                const qint64 repeat = repeatCount(xml, "number-rows-repeated");
                readRow(xml, row, repeat);
                row = std::min<qint64>(row + repeat, sheet::kMaxRows);
            } else if (xml.namespaceUri() == kTable && xml.name() == "table") {
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
            if (xml.namespaceUri() != kTable || (xml.name() != "table-cell" && xml.name() != "covered-table-cell")) {
                xml.skip();
                continue;
            }
            const qint64 columns = repeatCount(xml, "number-columns-repeated");
            sheet::CellData cell;
            const bool hasValue = readCell(xml, cell);
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
    bool readCell(XmlCursor& xml, sheet::CellData& cell)
    {
        const QByteArray type = xml.attribute(kOffice, "value-type").toByteArray();
        bool hasValue = true;
        if (type == "float" || type == "percentage" || type == "currency") {
            cell.kind = sheet::CellKind::Number;
            cell.number = xml.attribute(kOffice, "value").trimmed().toDouble();
            if (!std::isfinite(cell.number)) {
                cell.kind = sheet::CellKind::Error;
                cell.error = sheet::ErrorCode::Num;
            }
        } else if (type == "date") {
            cell.kind = sheet::CellKind::Number;
            hasValue = serialFromIsoDate(xml.attributeText(kOffice, "date-value"), cell.number);
            cell.format = QStringLiteral("yyyy-mm-dd");
        } else if (type == "time") {
            cell.kind = sheet::CellKind::Number;
            hasValue = daysFromIsoDuration(xml.attributeText(kOffice, "time-value"), cell.number);
            cell.format = QStringLiteral("hh:mm:ss");
        } else if (type == "boolean") {
            cell.kind = sheet::CellKind::Boolean;
            cell.number = xml.attribute(kOffice, "boolean-value") == "true" ? 1 : 0;
        } else if (type == "string") {
            cell.kind = sheet::CellKind::Text;
        } else {
            hasValue = false;
        }
        const QByteArrayView styleName = xml.attribute(kTable, "style-name");
        if (cell.kind == sheet::CellKind::Number && !styleName.isEmpty()) {
            const QString styleFormat = m_styles.formatOfCellStyle(QString::fromUtf8(styleName));
            if (!styleFormat.isEmpty()) cell.format = styleFormat;
        }
        if (type == "string" && !xml.hasAttribute(kOffice, "string-value")) {
            cell.text = paragraphText(xml);
        } else {
            if (type == "string") cell.text = xml.attributeText(kOffice, "string-value");
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
