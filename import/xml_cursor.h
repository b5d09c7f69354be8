// A walk through an archive entry's XML with Qt's streaming reader that keeps
// its own element depth: nesting is capped, and every reader of a workbook
// part moves through its document with next() and skip() only. Errors of
// the document, of the entry (a cap) and of nesting become WorkbookReadError
// naming the entry and line.
#pragma once

#include "import/zip_archive.h"

#include <QXmlStreamReader>

namespace dataimport {

class XmlCursor {
public:
    explicit XmlCursor(ZipEntry& entry, QString name);

    // The next token; false at the end of the document. Throws on errors.
    bool next();
    // Moves past the end of the element whose start is the current token.
    void skip();
    // The text inside the current element (its children's texts included),
    // ending at its end element; throws past the text length cap.
    QString elementText();

    int depth() const { return m_depth; }
    bool isStart() const { return m_xml.isStartElement(); }
    bool isEnd() const { return m_xml.isEndElement(); }
    bool isCharacters() const { return m_xml.isCharacters(); }
    QStringView name() const { return m_xml.name(); }
    QStringView namespaceUri() const { return m_xml.namespaceUri(); }
    QStringView text() const { return m_xml.text(); }
    QXmlStreamAttributes attributes() const { return m_xml.attributes(); }
    // Throws a WorkbookReadError with this entry, the current line and `reason`.
    [[noreturn]] void fail(const QString& reason) const;

private:
    ZipEntry& m_entry;
    QString m_name;
    QXmlStreamReader m_xml;
    int m_depth = 0;
};

}  // namespace dataimport
