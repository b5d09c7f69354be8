// A streaming pull reader for the XML parts of workbook archives. It reads
// UTF-8 bytes in chunks from an archive entry and hands out one token at a
// time (start element, end element, characters) with names, namespace URIs and
// attribute values as byte views, so the millions of cells of a large sheet
// cost no conversions. Namespaces are resolved wherever they are declared.
// Qt's QXmlStreamReader read sheets at under 20 MB/s here; a 1,000,000-row
// sheet is 220 MB of XML, so the hot path needed a reader of its own.
//
// What it refuses, with the entry's name and line: malformed markup,
// mismatched end tags, undeclared prefixes, unknown entities, document type
// declarations (workbook parts have none; refusing them rules out entity
// expansion), a token longer than kMaxXmlTokenBytes, nesting deeper than
// kMaxXmlDepth and more than kMaxXmlElements elements.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <vector>

namespace dataimport {

class XmlCursor {
public:
    XmlCursor(QIODevice& entry, QString name);

    // The next token; false at the end of the document. Throws on errors.
    bool next();
    // Moves past the end of the element whose start is the current token.
    void skip();
    // The text inside the current element (its children's texts included),
    // ending at its end element; throws past the text length cap.
    QString elementText();
    // The same as UTF-8 bytes, for numbers.
    QByteArray elementBytes();

    int depth() const { return m_depth; }
    bool isStart() const { return m_token == Token::Start; }
    bool isEnd() const { return m_token == Token::End; }
    bool isCharacters() const { return m_token == Token::Characters; }
    // Local name and namespace URI of the current start or end element.
    QByteArrayView name() const { return m_local; }
    QByteArrayView namespaceUri() const { return m_namespace; }
    // The current characters, entities resolved, as UTF-8.
    QByteArrayView characters() const { return m_text; }

    // Attributes of the current start element, entities resolved. An
    // attribute without a prefix has no namespace.
    QByteArrayView attribute(QByteArrayView localName) const { return attribute(QByteArrayView(), localName); }
    QByteArrayView attribute(QByteArrayView namespaceUri, QByteArrayView localName) const;
    bool hasAttribute(QByteArrayView namespaceUri, QByteArrayView localName) const;
    QString attributeText(QByteArrayView localName) const { return QString::fromUtf8(attribute(localName)); }
    QString attributeText(QByteArrayView namespaceUri, QByteArrayView localName) const
    {
        return QString::fromUtf8(attribute(namespaceUri, localName));
    }
    struct Attribute {
        QByteArrayView prefix, local, namespaceUri, value;
        QByteArray decoded;  // the value when it held entities
    };
    const std::vector<Attribute>& attributes() const { return m_attributes; }

    // Throws a WorkbookReadError with this entry, the current line and `reason`.
    [[noreturn]] void fail(const QString& reason) const;

private:
    enum class Token { None, Start, End, Characters };
    struct Binding {
        QByteArray prefix, uri;
        int depth;
    };
    struct OpenElement {
        qsizetype nameOffset, nameLength, localOffset;  // in m_nameStack
        QByteArrayView namespaceUri;                     // into a binding's bytes, or a constant
    };

    // Makes at least `count` bytes from m_pos available; false at the end of the entry.
    bool fill(qsizetype count);
    // The position of `what` at or after `from`, reading on as needed; -1 at the end.
    qsizetype find(QByteArrayView what, qsizetype from);
    void parseStartTag();
    void parseEndTag();
    void parseCharacters();
    void closeElement();
    QByteArrayView resolve(QByteArrayView prefix, bool element) const;
    // Appends the text with its entity references resolved.
    void decodeInto(QByteArrayView raw, QByteArray& out) const;

    QIODevice& m_entry;
    QString m_name;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_linesBefore = 1;  // lines of the bytes dropped from the buffer
    bool m_entryEnded = false;
    bool m_rootSeen = false;
    bool m_pendingEnd = false;  // an empty-element tag still owes its end

    Token m_token = Token::None;
    int m_depth = 0;
    QByteArrayView m_local, m_namespace;
    QByteArray m_text;
    std::vector<Attribute> m_attributes;
    std::vector<Binding> m_bindings;
    std::vector<OpenElement> m_open;
    QByteArray m_nameStack;    // qualified names of the open elements, one after another
    // An End token's name and namespace stay in place until the next token.
    bool m_closePending = false;
    qsizetype m_closedNameOffset = 0;
    qint64 m_elements = 0;
};

}  // namespace dataimport
