// ".xlsx" workbooks: the package's relationships lead from the workbook part to
// its sheets, shared strings and styles; each part is streamed out of the zip
// container into the streaming XML reader (XmlCursor). Elements are matched by namespace URI, so a
// namespace may be declared on any element under any prefix. Cells come as
// the file stores them: numbers ("n" or no type), shared and inline strings,
// booleans, errors, formula results ("str" and the cached value of any
// formula) and ISO dates ("d"); a number keeps the number format of its cell
// format, which is how dates are told from plain numbers.
#include "import/workbook_readers.h"

#include "import/xml_cursor.h"
#include "import/zip_archive.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/number_format.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>

#include <cmath>
#include <vector>

namespace dataimport {

namespace {

// Transitional and strict SpreadsheetML, and the package relationships.
bool isSpreadsheetMl(QByteArrayView ns)
{
    return ns == "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
           || ns == "http://purl.oclc.org/ooxml/spreadsheetml/main";
}
bool isPackageRelationships(QByteArrayView ns)
{
    return ns == "http://schemas.openxmlformats.org/package/2006/relationships";
}

// Cell formats and number formats of one workbook are few; these caps only
// stop a file from listing millions.
constexpr qint64 kMaxCellFormats = 65'536;
// Characters of all shared strings together.
constexpr qint64 kMaxSharedCharacters = 100'000'000;

// Codes of the number formats that xlsx files name by number only.
QString builtinFormat(qint64 id)
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
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\""));
    QString unquoted = format;
    unquoted.remove(quoted);
    return !unquoted.contains(u'd', Qt::CaseInsensitive) && !unquoted.contains(u'y', Qt::CaseInsensitive);
}

// A non-negative decimal attribute; -1 when absent or not a number.
qint64 indexAttribute(const XmlCursor& xml, QByteArrayView name)
{
    bool ok = false;
    const qint64 n = xml.attribute(name).toLongLong(&ok);
    return ok && n >= 0 ? n : -1;
}

// "B12" as row and column (one-based); false for anything else.
bool parseCellReference(QByteArrayView ref, int& row, int& col)
{
    qsizetype i = 0;
    qint64 c = 0;
    while (i < ref.size() && ((ref[i] >= 'A' && ref[i] <= 'Z') || (ref[i] >= 'a' && ref[i] <= 'z'))) {
        const char ch = static_cast<char>(ref[i] & ~0x20);
        c = c * 26 + (ch - 'A' + 1);
        if (c > sheet::kMaxCols) return false;
        ++i;
    }
    qint64 r = 0;
    const qsizetype digits = i;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9') {
        r = r * 10 + (ref[i] - '0');
        if (r > sheet::kMaxRows) return false;
        ++i;
    }
    if (i != ref.size() || digits == 0 || i == digits || c == 0 || r == 0) return false;
    row = static_cast<int>(r);
    col = static_cast<int>(c);
    return true;
}

struct Relationship {
    QString type;    // the last segment of the type URI: "worksheet", "sharedStrings", ...
    QString target;  // the part's name in the archive
};

// The part a relationship target names, relative to the folder of the source part.
QString partName(const QString& sourceFolder, const QString& target)
{
    const QString path = target.startsWith(u'/') ? target.mid(1) : sourceFolder + target;
    return QDir::cleanPath(path);
}

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

// The relationships of a part, by id; empty when the part has none.
QHash<QString, Relationship> readRelationships(const ZipArchive& zip, const QString& part)
{
    const QString folder = folderOf(part);
    const QString relsName = folder + QStringLiteral("_rels/") + part.mid(folder.size()) + QStringLiteral(".rels");
    QHash<QString, Relationship> out;
    const auto entry = zip.entry(relsName);
    if (!entry) return out;
    XmlCursor xml(*entry, relsName);
    while (xml.next()) {
        if (!xml.isStart() || !isPackageRelationships(xml.namespaceUri()) || xml.name() != "Relationship") continue;
        if (xml.attribute("TargetMode") == "External") continue;
        const QString type = xml.attributeText("Type");
        if (out.size() >= kMaxCellFormats) xml.fail(QStringLiteral("too many relationships"));
        out.insert(xml.attributeText("Id"), Relationship{type.mid(type.lastIndexOf(u'/') + 1), partName(folder, xml.attributeText("Target"))});
    }
    return out;
}

class XlsxReader {
public:
    XlsxReader(const ZipArchive& zip, CellSink& sink) : m_zip(zip), m_sink(sink) {}

    void read()
    {
        const QString workbookPart = findWorkbookPart();
        const QHash<QString, Relationship> rels = readRelationships(m_zip, workbookPart);
        const std::vector<std::pair<QString, QString>> sheets = readWorkbookPart(workbookPart);  // name, relationship id
        for (const Relationship& r : rels) {
            if (r.type == u"sharedStrings") readSharedStrings(r.target);
            else if (r.type == u"styles") readStyles(r.target);
        }
        for (const auto& [name, id] : sheets) {
            const Relationship r = rels.value(id);
            if (r.type != u"worksheet") continue;  // chart sheets and the like hold no cells
            m_sink.beginSheet(name);
            readSheet(r.target);
        }
    }

private:
    QString findWorkbookPart()
    {
        for (const Relationship& r : readRelationships(m_zip, QString())) {
            if (r.type == u"officeDocument" && m_zip.contains(r.target)) return r.target;
        }
        const QString fallback = QStringLiteral("xl/workbook.xml");
        if (!m_zip.contains(fallback)) throw WorkbookReadError{QStringLiteral("the file holds no workbook part")};
        return fallback;
    }

    std::unique_ptr<ZipEntry> requiredEntry(const QString& part)
    {
        auto entry = m_zip.entry(part);
        if (!entry) throw WorkbookReadError{QStringLiteral("the file has no %1").arg(part)};
        return entry;
    }

    std::vector<std::pair<QString, QString>> readWorkbookPart(const QString& part)
    {
        std::vector<std::pair<QString, QString>> sheets;
        const auto entry = requiredEntry(part);
        XmlCursor xml(*entry, part);
        while (xml.next()) {
            if (!xml.isStart() || !isSpreadsheetMl(xml.namespaceUri())) continue;
            if (xml.name() == "workbookPr") {
                const QByteArrayView value = xml.attribute("date1904");
                m_dates1904 = value == "1" || value == "true";
            } else if (xml.name() == "sheet") {
                // The relationship id is the "id" attribute of the relationships namespace, whatever its prefix.
                QString id;
                for (const XmlCursor::Attribute& attribute : xml.attributes()) {
                    if (attribute.local == "id" && attribute.namespaceUri.endsWith("relationships")) id = QString::fromUtf8(attribute.value);
                }
                if (static_cast<qint64>(sheets.size()) >= kMaxSheets)
                    throw WorkbookReadError{limitMessage(QStringLiteral("sheets"), qint64(sheets.size()) + 1, kMaxSheets)};
                sheets.emplace_back(xml.attributeText("name"), id);
            }
        }
        return sheets;
    }

    void readSharedStrings(const QString& part)
    {
        const auto entry = m_zip.entry(part);
        if (!entry) return;
        XmlCursor xml(*entry, part);
        qint64 characters = 0;
        while (xml.next()) {
            if (!xml.isStart() || !isSpreadsheetMl(xml.namespaceUri()) || xml.name() != "si") continue;
            if (static_cast<qint64>(m_strings.size()) >= kMaxWorkbookCells)
                xml.fail(limitMessage(QStringLiteral("shared texts"), qint64(m_strings.size()) + 1, kMaxWorkbookCells));
            m_strings.push_back(richText(xml));
            characters += m_strings.back().size();
            if (characters > kMaxSharedCharacters)
                xml.fail(limitMessage(QStringLiteral("characters of shared texts"), characters, kMaxSharedCharacters));
        }
    }

    // The text of an <si> or <is> element: its <t> and the <t> of its runs,
    // without phonetic guides. Ends at the element's end.
    QString richText(XmlCursor& xml)
    {
        const int level = xml.depth();
        QString text;
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            if (xml.name() == "rPh" || xml.name() == "phoneticPr") {
                xml.skip();
            } else if (xml.name() == "t") {
                const QString part = xml.elementText();
                if (text.size() + part.size() > kMaxTextLength)
                    xml.fail(limitMessage(QStringLiteral("characters in one text"), text.size() + part.size(), kMaxTextLength));
                text += part;
            }
        }
        return text;
    }

    void readStyles(const QString& part)
    {
        const auto entry = m_zip.entry(part);
        if (!entry) return;
        XmlCursor xml(*entry, part);
        QHash<qint64, QString> customFormats;
        std::vector<qint64> xfFormatIds;
        int cellXfsDepth = -1;
        while (xml.next()) {
            if (xml.isEnd() && xml.depth() < cellXfsDepth) cellXfsDepth = -1;
            if (!xml.isStart() || !isSpreadsheetMl(xml.namespaceUri())) continue;
            if (xml.name() == "numFmt") {
                if (customFormats.size() >= kMaxCellFormats)
                    xml.fail(limitMessage(QStringLiteral("number formats"), customFormats.size() + 1, kMaxCellFormats));
                const QString code = xml.attributeText("formatCode");
                if (code.size() > kMaxNameLength)
                    xml.fail(limitMessage(QStringLiteral("characters in a number format"), code.size(), kMaxNameLength));
                customFormats.insert(indexAttribute(xml, "numFmtId"), code);
            } else if (xml.name() == "cellXfs") {
                cellXfsDepth = xml.depth();
            } else if (xml.name() == "xf" && cellXfsDepth > 0 && xml.depth() == cellXfsDepth + 1) {
                if (static_cast<qint64>(xfFormatIds.size()) >= kMaxCellFormats)
                    xml.fail(limitMessage(QStringLiteral("cell formats"), qint64(xfFormatIds.size()) + 1, kMaxCellFormats));
                xfFormatIds.push_back(indexAttribute(xml, "numFmtId"));
            }
        }
        m_xfFormats.clear();
        for (const qint64 id : xfFormatIds) {
            QString code = customFormats.contains(id) ? customFormats.value(id) : builtinFormat(id);
            if (code.compare(QStringLiteral("General"), Qt::CaseInsensitive) == 0) code.clear();
            m_xfFormats.push_back(code);
        }
    }

    static QString textOf(const XmlCursor& xml, const QByteArray& bytes)
    {
        QString text = QString::fromUtf8(bytes);
        if (text.size() > kMaxTextLength) xml.fail(limitMessage(QStringLiteral("characters in one text"), text.size(), kMaxTextLength));
        return text;
    }

    QString formatOfXf(qint64 xf) const
    {
        return xf >= 0 && xf < static_cast<qint64>(m_xfFormats.size()) ? m_xfFormats[static_cast<size_t>(xf)] : QString();
    }

    void readSheet(const QString& part)
    {
        const auto entry = requiredEntry(part);
        XmlCursor xml(*entry, part);
        int row = 0;
        int col = 0;
        while (xml.next()) {
            if (!xml.isStart() || !isSpreadsheetMl(xml.namespaceUri())) continue;
            if (xml.name() == "row") {
                const qint64 r = indexAttribute(xml, "r");
                if (r > sheet::kMaxRows || r == 0) xml.fail(QStringLiteral("row %1 lies outside the sheet").arg(r));
                // Without a number, a row follows the one before.
                row = r > 0 ? static_cast<int>(r) : row + 1;
                if (row > sheet::kMaxRows) xml.fail(QStringLiteral("a row lies outside the sheet"));
                col = 0;
            } else if (xml.name() == "c") {
                readCell(xml, row, col);
            }
        }
    }

    void readCell(XmlCursor& xml, int& row, int& col)
    {
        const QByteArrayView ref = xml.attribute("r");
        if (!ref.isEmpty()) {
            if (!parseCellReference(ref, row, col))
                xml.fail(QStringLiteral("the cell reference \"%1\" is no cell of the sheet").arg(QString::fromUtf8(ref.first(std::min<qsizetype>(ref.size(), 32)))));
        } else {
            // Without a reference, a cell follows the one before in its row.
            if (row == 0) row = 1;
            if (++col > sheet::kMaxCols) xml.fail(QStringLiteral("a cell lies outside the sheet"));
        }
        const QByteArray type = xml.attribute("t").toByteArray();
        const qint64 xf = indexAttribute(xml, "s");

        QByteArray bytes;  // the <v> value
        QString inlineText;
        bool hasValue = false;
        bool isInline = false;
        const int level = xml.depth();
        while (xml.next() && xml.depth() >= level) {
            if (!xml.isStart()) continue;
            if (isSpreadsheetMl(xml.namespaceUri()) && xml.name() == "v") {
                bytes = xml.elementBytes();
                hasValue = true;
                isInline = false;
            } else if (isSpreadsheetMl(xml.namespaceUri()) && xml.name() == "is") {
                inlineText = richText(xml);
                hasValue = true;
                isInline = true;
            } else {
                xml.skip();  // the formula itself and extensions
            }
        }
        if (!hasValue) return;

        sheet::CellData cell;
        cell.row = row;
        cell.col = col;
        if (isInline) {
            cell.kind = sheet::CellKind::Text;
            cell.text = inlineText;
        } else if (type == "s") {
            bool ok = false;
            const qint64 index = bytes.trimmed().toLongLong(&ok);
            if (!ok || index < 0 || index >= static_cast<qint64>(m_strings.size()))
                xml.fail(QStringLiteral("the cell names shared text %1 of %2").arg(QString::fromUtf8(bytes.left(32))).arg(m_strings.size()));
            cell.kind = sheet::CellKind::Text;
            cell.text = m_strings[static_cast<size_t>(index)];
        } else if (type == "inlineStr" || type == "str") {
            cell.kind = sheet::CellKind::Text;
            cell.text = textOf(xml, bytes);
        } else if (type == "b") {
            cell.kind = sheet::CellKind::Boolean;
            const QByteArray v = bytes.trimmed();
            cell.number = v == "1" || v.compare("true", Qt::CaseInsensitive) == 0 ? 1 : 0;
        } else if (type == "e") {
            const QString value = textOf(xml, bytes);
            cell.error = sheet::errorFromName(value.trimmed());
            if (cell.error != sheet::ErrorCode::None) {
                cell.kind = sheet::CellKind::Error;
            } else {
                cell.kind = sheet::CellKind::Text;  // an error this grid does not know: shown as written
                cell.text = value;
            }
        } else if (type == "d") {
            const QString value = textOf(xml, bytes);
            double serial = 0;
            if (serialFromIsoDate(QStringView(value).trimmed(), serial)) {
                cell.kind = sheet::CellKind::Number;
                cell.number = serial;
                cell.format = formatOfXf(xf);
                if (cell.format.isEmpty()) cell.format = QStringLiteral("yyyy-mm-dd");
                m_sink.addCell(cell);
                return;
            }
            cell.kind = sheet::CellKind::Text;
            cell.text = value;
        } else {
            bool ok = false;
            const double number = bytes.trimmed().toDouble(&ok);
            if (!ok) {
                if (bytes.isEmpty()) return;
                cell.kind = sheet::CellKind::Text;  // not a number after all: kept as written
                cell.text = textOf(xml, bytes);
            } else if (!std::isfinite(number)) {
                cell.kind = sheet::CellKind::Error;
                cell.error = sheet::ErrorCode::Num;
            } else {
                cell.kind = sheet::CellKind::Number;
                cell.number = number;
                cell.format = formatOfXf(xf);
                // The 1904 date system counts days from 1904-01-01: dates keep
                // their meaning in the grid's 1900 system.
                if (m_dates1904 && !cell.format.isEmpty() && sheet::isDateTimeFormat(cell.format)
                    && !isTimeOnlyFormat(cell.format)) {
                    cell.number += 1462;
                }
            }
        }
        m_sink.addCell(cell);
    }

    const ZipArchive& m_zip;
    CellSink& m_sink;
    std::vector<QString> m_strings;
    std::vector<QString> m_xfFormats;  // number format code by cell format index; empty is General
    bool m_dates1904 = false;
};

}  // namespace

void readXlsxWorkbook(const ZipArchive& archive, CellSink& sink)
{
    XlsxReader(archive, sink).read();
}

}  // namespace dataimport
