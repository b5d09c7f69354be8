// XML walks over archive entries; see xml_cursor.h.
#include "import/xml_cursor.h"

#include "import/workbook_limits.h"

namespace dataimport {

XmlCursor::XmlCursor(ZipEntry& entry, QString name) : m_entry(entry), m_name(std::move(name)), m_xml(&entry) {}

void XmlCursor::fail(const QString& reason) const
{
    throw WorkbookReadError{QStringLiteral("%1, line %2: %3").arg(m_name).arg(m_xml.lineNumber()).arg(reason)};
}

bool XmlCursor::next()
{
    if (m_xml.atEnd()) return false;
    m_xml.readNext();
    if (m_xml.hasError()) {
        // A cap hit by the entry shows as a premature end; say the cap instead.
        if (!m_entry.failure().isEmpty()) throw WorkbookReadError{m_entry.failure()};
        fail(m_xml.errorString());
    }
    if (m_xml.isStartElement()) {
        if (++m_depth > kMaxXmlDepth) fail(limitMessage(QStringLiteral("levels of nested elements"), m_depth, kMaxXmlDepth));
    } else if (m_xml.isEndElement()) {
        --m_depth;
    }
    return !m_xml.isEndDocument();
}

void XmlCursor::skip()
{
    const int level = m_depth;
    while (m_depth >= level && next()) {
    }
}

QString XmlCursor::elementText()
{
    const int level = m_depth;
    QString text;
    while (m_depth >= level && next()) {
        if (m_xml.isCharacters()) {
            if (text.size() + m_xml.text().size() > kMaxTextLength)
                fail(limitMessage(QStringLiteral("characters in one text"), text.size() + m_xml.text().size(), kMaxTextLength));
            text += m_xml.text();
        }
    }
    return text;
}

}  // namespace dataimport
