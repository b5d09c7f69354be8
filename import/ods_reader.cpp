// ".ods" workbooks: the zip container is opened with liborcus' zip reader and
// content.xml (with the data styles of styles.xml) is read here with Qt's XML
// stream reader. liborcus' own ods filter is not used because it drops rows
// that the file stores once with a repeat count (as office suites do for
// identical neighbouring rows) and boolean cells. Values come as the file
// stores them (formulas as their results); dates and times become serial
// numbers with the cell's date format.
#include "import/workbook_readers.h"

#include "components/sheet/cell_address.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <exception>
#include <vector>

namespace dataimport {

namespace {

// Repeat counts can make a few bytes stand for billions of cells: refuse
// files that would fill more than this.
constexpr qint64 kMaxCells = 50'000'000;

const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

struct ReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<unsigned char> zipEntry(const orcus::zip_archive& archive, const char* name, bool required)
{
    std::vector<unsigned char> bytes;
    if (!archive.read_file_entry(name, bytes) && required) throw ReadError(std::string("the file has no ") + name);
    return bytes;
}

// Number format codes of the file's data styles and the cell styles using them.
class DataStyles {
public:
    void read(QXmlStreamReader& xml)
    {
        // Called at a data style's start element; reads to its end.
        const QString name = xml.attributes().value(kStyle, QLatin1StringView("name")).toString();
        const QString kind = xml.name().toString();
        QString code;
        while (xml.readNextStartElement()) {
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
                const int decimals = a.value(kNumber, QLatin1StringView("decimal-places")).toInt();
                code += a.value(kNumber, QLatin1StringView("grouping")) == u"true" ? u"#,##0" : u"0";
                if (decimals > 0) code += u'.' + QString(decimals, u'0');
            } else if (part == u"scientific-number") {
                const int decimals = a.value(kNumber, QLatin1StringView("decimal-places")).toInt();
                code += u'0';
                if (decimals > 0) code += u'.' + QString(decimals, u'0');
                code += QStringLiteral("E+00");
            } else if (part == u"text") {
                const QString literal = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                static const QRegularExpression plain(QStringLiteral("^[ .,:/\\-]*$"));
                code += plain.match(literal).hasMatch() ? literal : QStringLiteral("\"") + literal + u'"';
                continue;
            }
            xml.skipCurrentElement();
        }
        if (kind == u"percentage-style" && !code.isEmpty()) code += u'%';
        if (kind == u"boolean-style") code.clear();
        if (!name.isEmpty()) m_dataStyles.insert(name, code);
    }
    void addCellStyle(const QString& name, const QString& dataStyle) { m_cellStyles.insert(name, dataStyle); }

    QString formatOfCellStyle(const QString& cellStyle) const
    {
        return m_dataStyles.value(m_cellStyles.value(cellStyle));
    }

private:
    QHash<QString, QString> m_dataStyles;  // data style name -> format code
    QHash<QString, QString> m_cellStyles;  // cell style name -> data style name
};

// A zip entry's bytes as XML text; the zip reader may leave NUL padding behind the document.
QByteArray xmlText(const std::vector<unsigned char>& bytes)
{
    std::size_t size = bytes.size();
    while (size > 0 && bytes[size - 1] == 0) --size;
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(size));
}

bool isDataStyle(QStringView name)
{
    return name == u"date-style" || name == u"time-style" || name == u"number-style" || name == u"percentage-style"
           || name == u"currency-style" || name == u"boolean-style" || name == u"text-style";
}

// Reads the styles found anywhere in a styles.xml or content.xml document.
void readStyles(const std::vector<unsigned char>& bytes, DataStyles& styles, bool untilBody)
{
    const QByteArray text = xmlText(bytes);
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (untilBody && xml.namespaceUri() == kOffice && xml.name() == u"body") return;
        if (xml.namespaceUri() == kNumber && isDataStyle(xml.name())) {
            styles.read(xml);
        } else if (xml.namespaceUri() == kStyle && xml.name() == u"style"
                   && xml.attributes().value(kStyle, QLatin1StringView("family")) == u"table-cell") {
            const auto a = xml.attributes();
            const QString dataStyle = a.value(kStyle, QLatin1StringView("data-style-name")).toString();
            if (!dataStyle.isEmpty()) styles.addCellStyle(a.value(kStyle, QLatin1StringView("name")).toString(), dataStyle);
        }
    }
}

// "2024-03-15" or "2024-03-15T10:30:00.5" as a serial number.
bool serialFromIsoDate(QStringView text, double& serial)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(-?\\d{4,})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2}):(\\d{2}(?:\\.\\d+)?))?"));
    const auto m = pattern.match(text.toString());
    if (!m.hasMatch()) return false;
    serial = serialFromDateTime(m.capturedView(1).toInt(), m.capturedView(2).toInt(), m.capturedView(3).toInt(),
                                m.capturedView(4).toInt(), m.capturedView(5).toInt(), m.capturedView(6).toDouble());
    return true;
}

// "PT10H30M05S" (hours may exceed a day) as a fraction of days.
bool daysFromIsoDuration(QStringView text, double& days)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(-)?P(?:(\\d+)D)?(?:T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:\\.\\d+)?)S)?)?$"));
    const auto m = pattern.match(text.toString());
    if (!m.hasMatch()) return false;
    days = m.capturedView(2).toDouble() + (m.capturedView(3).toDouble() * 3600 + m.capturedView(4).toDouble() * 60
                                           + m.capturedView(5).toDouble()) / 86400.0;
    if (!m.capturedView(1).isEmpty()) days = -days;
    return true;
}

// The text of a cell's paragraphs: text:s stands for spaces, text:tab for a
// tab, text:line-break and a new paragraph for a line break.
QString paragraphText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    bool firstParagraph = true;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.namespaceUri() == kText) {
                if (xml.name() == u"p" || xml.name() == u"h") {
                    if (!firstParagraph) text += u'\n';
                    firstParagraph = false;
                } else if (xml.name() == u"s") {
                    const int count = xml.attributes().value(kText, QLatin1StringView("c")).toInt();
                    text += QString(count > 0 ? std::min(count, 1024) : 1, u' ');
                } else if (xml.name() == u"tab") {
                    text += u'\t';
                } else if (xml.name() == u"line-break") {
                    text += u'\n';
                }
            } else if (xml.namespaceUri() == kOffice && xml.name() == u"annotation") {
                xml.skipCurrentElement();  // comments are not cell text
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters()) {
            text += xml.text();
        }
    }
    return text;
}

qint64 repeatCount(const QXmlStreamAttributes& a, QLatin1StringView name)
{
    const qint64 n = a.value(kTable, name).toLongLong();
    return n > 1 ? n : 1;
}

class ContentReader {
public:
    explicit ContentReader(const DataStyles& styles) : m_styles(styles) {}

    sheet::WorkbookData read(const std::vector<unsigned char>& bytes)
    {
        const QByteArray text = xmlText(bytes);
        QXmlStreamReader xml(text);
        sheet::WorkbookData book;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.namespaceUri() == kTable && xml.name() == u"table") {
                book.sheets.push_back(readTable(xml));
            }
        }
        if (xml.hasError()) throw ReadError("content.xml, line " + std::to_string(xml.lineNumber()) + ": " + xml.errorString().toStdString());
        return book;
    }

private:
    sheet::SheetData readTable(QXmlStreamReader& xml)
    {
        sheet::SheetData sheetData;
        sheetData.name = xml.attributes().value(kTable, QLatin1StringView("name")).toString();
        qint64 row = 0;  // rows read so far
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement()) {
                --depth;
                continue;
            }
            if (!xml.isStartElement()) continue;
            if (xml.namespaceUri() == kTable && xml.name() == u"table-row") {
                const qint64 repeat = repeatCount(xml.attributes(), QLatin1StringView("number-rows-repeated"));
                row += readRow(xml, row, repeat, sheetData);
            } else if (xml.namespaceUri() == kTable && xml.name() == u"table") {
                xml.skipCurrentElement();  // a table inside a cell's shapes: not sheet data
            } else {
                ++depth;  // row groups, header rows, columns: go inside
            }
        }
        return sheetData;
    }

    // Reads one row element that stands for `repeat` rows starting below `rowsBefore`.
    qint64 readRow(QXmlStreamReader& xml, qint64 rowsBefore, qint64 repeat, sheet::SheetData& sheetData)
    {
        std::vector<sheet::CellData> cells;  // the row's cells, row number set below
        qint64 column = 0;
        while (xml.readNextStartElement()) {
            if (xml.namespaceUri() != kTable || (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const auto a = xml.attributes();
            const qint64 columns = repeatCount(a, QLatin1StringView("number-columns-repeated"));
            sheet::CellData cell;
            const QString type = a.value(kOffice, QLatin1StringView("value-type")).toString();
            bool hasValue = true;
            if (type == u"float" || type == u"percentage" || type == u"currency") {
                cell.kind = sheet::CellKind::Number;
                cell.number = a.value(kOffice, QLatin1StringView("value")).toDouble();
            } else if (type == u"date") {
                cell.kind = sheet::CellKind::Number;
                if (!serialFromIsoDate(a.value(kOffice, QLatin1StringView("date-value")), cell.number)) hasValue = false;
                cell.format = QStringLiteral("yyyy-mm-dd");
            } else if (type == u"time") {
                cell.kind = sheet::CellKind::Number;
                if (!daysFromIsoDuration(a.value(kOffice, QLatin1StringView("time-value")), cell.number)) hasValue = false;
                cell.format = QStringLiteral("hh:mm:ss");
            } else if (type == u"boolean") {
                cell.kind = sheet::CellKind::Boolean;
                cell.number = a.value(kOffice, QLatin1StringView("boolean-value")) == u"true" ? 1 : 0;
            } else if (type == u"string") {
                cell.kind = sheet::CellKind::Text;
                if (a.hasAttribute(kOffice, QStringLiteral("string-value"))) cell.text = a.value(kOffice, QLatin1StringView("string-value")).toString();
            } else {
                hasValue = false;
            }
            const QString styleFormat = m_styles.formatOfCellStyle(a.value(kTable, QLatin1StringView("style-name")).toString());
            if (cell.kind == sheet::CellKind::Number && !styleFormat.isEmpty()) cell.format = styleFormat;
            if (type == u"string" && !a.hasAttribute(kOffice, QStringLiteral("string-value"))) cell.text = paragraphText(xml);
            else xml.skipCurrentElement();

            if (hasValue) {
                for (qint64 c = 0; c < columns && column + c < sheet::kMaxCols; ++c) {
                    cell.col = static_cast<int>(column + c + 1);
                    cells.push_back(cell);
                }
            }
            column += columns;
        }
        if (!cells.empty()) {
            const qint64 rows = std::min<qint64>(repeat, sheet::kMaxRows - rowsBefore);
            m_cellCount += rows * static_cast<qint64>(cells.size());
            if (m_cellCount > kMaxCells) throw ReadError("the sheet repeats its cells too often to be read");
            for (qint64 r = 0; r < rows; ++r) {
                for (sheet::CellData& cell : cells) {
                    cell.row = static_cast<int>(rowsBefore + r + 1);
                    sheetData.cells.push_back(cell);
                }
            }
        }
        return repeat;
    }

    const DataStyles& m_styles;
    qint64 m_cellCount = 0;
};

}  // namespace

bool readOdsWorkbook(const QString& path, sheet::WorkbookData& out, QString& error)
{
    if (!QFile::exists(path)) {
        error = QStringLiteral("the file does not exist");
        return false;
    }
    try {
        orcus::zip_archive_stream_fd stream(QFile::encodeName(path).constData());
        orcus::zip_archive archive(&stream);
        archive.load();
        DataStyles styles;
        readStyles(zipEntry(archive, "styles.xml", false), styles, false);
        const std::vector<unsigned char> content = zipEntry(archive, "content.xml", true);
        readStyles(content, styles, true);
        return takeWorkbook(ContentReader(styles).read(content), out, error);
    } catch (const std::bad_alloc&) {
        error = outOfMemoryText();
        return false;
    } catch (const std::exception& e) {
        error = QStringLiteral("the workbook cannot be read (%1)").arg(QString::fromUtf8(e.what()));
        return false;
    }
}

}  // namespace dataimport
