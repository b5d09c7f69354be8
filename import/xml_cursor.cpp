// The streaming XML reader of workbook parts; see xml_cursor.h.
#include "import/xml_cursor.h"

#include "import/workbook_limits.h"

#include <cstring>

namespace dataimport {

namespace {

constexpr qsizetype kChunkBytes = 256 * 1024;
const QByteArray kXmlNamespace = QByteArrayLiteral("http://www.w3.org/XML/1998/namespace");
const QByteArray kXmlnsNamespace = QByteArrayLiteral("http://www.w3.org/2000/xmlns/");

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qint64 countLines(const char* p, qsizetype n)
{
    qint64 lines = 0;
    const char* end = p + n;
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))))) {
        ++lines;
        ++p;
    }
    return lines;
}

void appendUtf8(QByteArray& out, char32_t code)
{
    if (code < 0x80) {
        out.append(static_cast<char>(code));
    } else if (code < 0x800) {
        out.append(static_cast<char>(0xC0 | (code >> 6)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(static_cast<char>(0xE0 | (code >> 12)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (code >> 18)));
        out.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

XmlCursor::XmlCursor(QIODevice& entry, QString name) : m_entry(entry), m_name(std::move(name))
{
    m_buffer.reserve(kChunkBytes * 2);
    if (fill(3) || m_buffer.size() - m_pos >= 2) {
        const auto* b = reinterpret_cast<const unsigned char*>(m_buffer.constData());
        if (m_buffer.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) m_pos = 3;
        else if ((b[0] == 0xFE && b[1] == 0xFF) || (b[0] == 0xFF && b[1] == 0xFE)) fail(QStringLiteral("the part is not in UTF-8"));
    }
}

void XmlCursor::fail(const QString& reason) const
{
    const qint64 line = m_linesBefore + countLines(m_buffer.constData(), std::min(m_pos, m_buffer.size()));
    throw WorkbookReadError{QStringLiteral("%1, line %2: %3").arg(m_name).arg(line).arg(reason)};
}

bool XmlCursor::fill(qsizetype count)
{
    while (m_buffer.size() - m_pos < count) {
        if (m_entryEnded) return false;
        if (m_buffer.size() - m_pos > kMaxXmlTokenBytes)
            fail(limitMessage(QStringLiteral("bytes in one text or tag"), m_buffer.size() - m_pos, kMaxXmlTokenBytes));
        if (m_pos > 0) {
            m_linesBefore += countLines(m_buffer.constData(), m_pos);
            m_buffer.remove(0, m_pos);
            m_pos = 0;
        }
        const qsizetype had = m_buffer.size();
        m_buffer.resize(had + kChunkBytes);
        const qint64 n = m_entry.read(m_buffer.data() + had, kChunkBytes);
        m_buffer.resize(had + std::max<qint64>(n, 0));
        if (n < 0) fail(m_entry.errorString().isEmpty() ? QStringLiteral("the part cannot be read") : m_entry.errorString());
        if (n == 0) m_entryEnded = true;
    }
    return true;
}

qsizetype XmlCursor::find(QByteArrayView what, qsizetype from)
{
    for (;;) {
        const qsizetype at = QByteArrayView(m_buffer).sliced(m_pos).indexOf(what, from);
        if (at >= 0) return at;
        const qsizetype have = m_buffer.size() - m_pos;
        if (!fill(have + 1)) return -1;
        from = std::max<qsizetype>(0, have - what.size() + 1);
    }
}

bool XmlCursor::next()
{
    if (m_closePending) {
        m_closePending = false;
        m_nameStack.truncate(m_closedNameOffset);
        while (!m_bindings.empty() && m_bindings.back().depth > m_depth) m_bindings.pop_back();
    }
    if (m_pendingEnd) {
        m_pendingEnd = false;
        closeElement();
        return true;
    }
    m_token = Token::None;
    for (;;) {
        if (!fill(1)) {
            if (!m_open.empty()) fail(QStringLiteral("the document ends early"));
            if (!m_rootSeen) fail(QStringLiteral("the part holds no document"));
            return false;
        }
        if (m_buffer[m_pos] != '<') {
            parseCharacters();
            if (!m_open.empty()) return true;
            for (const char c : std::as_const(m_text)) {
                if (!isSpace(c)) fail(QStringLiteral("text outside the document"));
            }
            continue;
        }
        if (!fill(2)) fail(QStringLiteral("the document ends early"));
        const char kind = m_buffer[m_pos + 1];
        if (kind == '/') {
            parseEndTag();
            return true;
        }
        if (kind == '?') {
            const qsizetype end = find("?>", 2);
            if (end < 0) fail(QStringLiteral("the document ends early"));
            m_pos += end + 2;
            continue;
        }
        if (kind == '!') {
            fill(9);
            const QByteArrayView head = QByteArrayView(m_buffer).sliced(m_pos);
            if (head.startsWith("<!--")) {
                const qsizetype end = find("-->", 4);
                if (end < 0) fail(QStringLiteral("the document ends early"));
                m_pos += end + 3;
                continue;
            }
            if (head.startsWith("<![CDATA[")) {
                const qsizetype end = find("]]>", 9);
                if (end < 0) fail(QStringLiteral("the document ends early"));
                m_text = QByteArray(m_buffer.constData() + m_pos + 9, end - 9);
                m_pos += end + 3;
                if (m_open.empty()) fail(QStringLiteral("text outside the document"));
                m_token = Token::Characters;
                return true;
            }
            fail(QStringLiteral("document type declarations are not read"));
        }
        parseStartTag();
        return true;
    }
}

void XmlCursor::parseCharacters()
{
    qsizetype end = find("<", 0);
    if (end < 0) end = m_buffer.size() - m_pos;
    const QByteArrayView raw(m_buffer.constData() + m_pos, end);
    m_text.clear();
    decodeInto(raw, m_text);
    if (m_text.contains('\r')) {
        m_text.replace("\r\n", "\n");
        m_text.replace('\r', '\n');
    }
    m_pos += end;
    m_token = Token::Characters;
}

void XmlCursor::decodeInto(QByteArrayView raw, QByteArray& out) const
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype amp = raw.indexOf('&', from);
        if (amp < 0) {
            out.append(raw.sliced(from));
            return;
        }
        out.append(raw.sliced(from, amp - from));
        const qsizetype semi = raw.indexOf(';', amp);
        if (semi < 0 || semi - amp > 12) fail(QStringLiteral("an entity reference is not closed"));
        const QByteArrayView entity = raw.sliced(amp + 1, semi - amp - 1);
        if (entity == "lt") out.append('<');
        else if (entity == "gt") out.append('>');
        else if (entity == "amp") out.append('&');
        else if (entity == "quot") out.append('"');
        else if (entity == "apos") out.append('\'');
        else if (entity.startsWith('#')) {
            bool ok = false;
            const bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
            const qlonglong code = entity.sliced(hex ? 2 : 1).toLongLong(&ok, hex ? 16 : 10);
            if (!ok || code <= 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                fail(QStringLiteral("the character reference &%1; is no character").arg(QString::fromLatin1(entity)));
            appendUtf8(out, static_cast<char32_t>(code));
        } else {
            fail(QStringLiteral("the entity &%1; is unknown").arg(QString::fromUtf8(entity)));
        }
        from = semi + 1;
    }
}

QByteArrayView XmlCursor::resolve(QByteArrayView prefix, bool element) const
{
    if (prefix.isEmpty() && !element) return QByteArrayView();
    if (prefix == "xml") return kXmlNamespace;
    if (prefix == "xmlns") return kXmlnsNamespace;
    for (auto b = m_bindings.rbegin(); b != m_bindings.rend(); ++b) {
        if (b->prefix == prefix) return b->uri;
    }
    if (prefix.isEmpty()) return QByteArrayView();
    fail(QStringLiteral("the prefix %1 is not declared").arg(QString::fromUtf8(prefix)));
}

void XmlCursor::parseStartTag()
{
    // The tag runs to the first '>' outside quotes: values may hold '>'.
    qsizetype end = 1;
    char quote = 0;
    for (;;) {
        if (!fill(end + 1)) fail(QStringLiteral("the document ends early"));
        const char* p = m_buffer.constData() + m_pos;
        const qsizetype have = m_buffer.size() - m_pos;
        while (end < have) {
            const char c = p[end];
            if (quote) {
                if (c == quote) quote = 0;
                else if (c == '<') fail(QStringLiteral("an attribute value holds '<'"));
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            } else if (c == '<') {
                fail(QStringLiteral("a tag is not closed"));
            }
            ++end;
        }
        if (end < have) break;
    }
    const char* tag = m_buffer.constData() + m_pos;
    qsizetype i = 1;
    auto nameEnd = [&](qsizetype from) {
        while (from < end && !isSpace(tag[from]) && tag[from] != '/' && tag[from] != '=' ) ++from;
        return from;
    };
    const qsizetype qnameEnd = nameEnd(i);
    if (qnameEnd == i) fail(QStringLiteral("a tag has no name"));
    const QByteArrayView qname(tag + i, qnameEnd - i);
    i = qnameEnd;

    m_attributes.clear();
    bool empty = false;
    for (;;) {
        while (i < end && isSpace(tag[i])) ++i;
        if (i >= end) break;
        if (tag[i] == '/') {
            if (i + 1 != end) fail(QStringLiteral("a tag is malformed"));
            empty = true;
            break;
        }
        const qsizetype attrEnd = nameEnd(i);
        if (attrEnd == i) fail(QStringLiteral("a tag is malformed"));
        const QByteArrayView attrName(tag + i, attrEnd - i);
        i = attrEnd;
        while (i < end && isSpace(tag[i])) ++i;
        if (i >= end || tag[i] != '=') fail(QStringLiteral("the attribute %1 has no value").arg(QString::fromUtf8(attrName)));
        ++i;
        while (i < end && isSpace(tag[i])) ++i;
        if (i >= end || (tag[i] != '"' && tag[i] != '\'')) fail(QStringLiteral("an attribute value is not quoted"));
        const char q = tag[i++];
        const qsizetype valueStart = i;
        while (i < end && tag[i] != q) ++i;
        if (i >= end) fail(QStringLiteral("an attribute value is not closed"));
        Attribute a;
        const qsizetype colon = attrName.indexOf(':');
        a.prefix = colon < 0 ? QByteArrayView() : attrName.first(colon);
        a.local = colon < 0 ? attrName : attrName.sliced(colon + 1);
        a.value = QByteArrayView(tag + valueStart, i - valueStart);
        if (a.value.contains('&')) {
            decodeInto(a.value, a.decoded);
            a.value = a.decoded;
        }
        ++i;
        if (m_attributes.size() >= 4096) fail(limitMessage(QStringLiteral("attributes on one element"), 4097, 4096));
        m_attributes.push_back(std::move(a));
        if (!m_attributes.back().decoded.isNull()) m_attributes.back().value = m_attributes.back().decoded;
    }

    const int depth = m_depth + 1;
    if (depth > kMaxXmlDepth) fail(limitMessage(QStringLiteral("levels of nested elements"), depth, kMaxXmlDepth));
    for (const Attribute& a : m_attributes) {
        if (a.prefix.isEmpty() && a.local == "xmlns") m_bindings.push_back({QByteArray(), a.value.toByteArray(), depth});
        else if (a.prefix == "xmlns") m_bindings.push_back({a.local.toByteArray(), a.value.toByteArray(), depth});
    }
    for (Attribute& a : m_attributes) a.namespaceUri = resolve(a.prefix, false);
    const qsizetype colon = qname.indexOf(':');
    m_local = colon < 0 ? qname : qname.sliced(colon + 1);
    m_namespace = resolve(colon < 0 ? QByteArrayView() : qname.first(colon), true);

    if (++m_elements > kMaxXmlElements) fail(limitMessage(QStringLiteral("elements in one part"), m_elements, kMaxXmlElements));
    m_open.push_back(OpenElement{m_nameStack.size(), qname.size(), colon + 1, m_namespace});
    m_nameStack.append(qname);
    m_depth = depth;
    m_rootSeen = true;
    m_token = Token::Start;
    m_pendingEnd = empty;
    m_pos += end + 1;
}

void XmlCursor::parseEndTag()
{
    const qsizetype end = find(">", 2);
    if (end < 0) fail(QStringLiteral("the document ends early"));
    const QByteArrayView name = QByteArrayView(m_buffer.constData() + m_pos + 2, end - 2).trimmed();
    if (m_open.empty()) fail(QStringLiteral("the end tag </%1> closes nothing").arg(QString::fromUtf8(name)));
    const OpenElement& top = m_open.back();
    const QByteArrayView expected(m_nameStack.constData() + top.nameOffset, top.nameLength);
    if (name != expected)
        fail(QStringLiteral("the end tag </%1> does not close <%2>").arg(QString::fromUtf8(name.first(std::min<qsizetype>(name.size(), 64))),
                                                                         QString::fromUtf8(expected)));
    m_pos += end + 1;
    closeElement();
}

void XmlCursor::closeElement()
{
    // The name and the bindings of the closed element go at the next token.
    const OpenElement& top = m_open.back();
    m_local = QByteArrayView(m_nameStack.constData() + top.nameOffset + top.localOffset, top.nameLength - top.localOffset);
    m_namespace = top.namespaceUri;
    m_closedNameOffset = top.nameOffset;
    m_closePending = true;
    m_open.pop_back();
    --m_depth;
    m_attributes.clear();
    m_token = Token::End;
}

QByteArrayView XmlCursor::attribute(QByteArrayView namespaceUri, QByteArrayView localName) const
{
    for (const Attribute& a : m_attributes) {
        if (a.local == localName && a.namespaceUri == namespaceUri) return a.value;
    }
    return QByteArrayView();
}

bool XmlCursor::hasAttribute(QByteArrayView namespaceUri, QByteArrayView localName) const
{
    for (const Attribute& a : m_attributes) {
        if (a.local == localName && a.namespaceUri == namespaceUri) return true;
    }
    return false;
}

void XmlCursor::skip()
{
    const int level = m_depth;
    while (m_depth >= level && next()) {
    }
}

QString XmlCursor::elementText()
{
    const QByteArray bytes = elementBytes();
    QString text = QString::fromUtf8(bytes);
    if (text.size() > kMaxTextLength) fail(limitMessage(QStringLiteral("characters in one text"), text.size(), kMaxTextLength));
    return text;
}

QByteArray XmlCursor::elementBytes()
{
    const int level = m_depth;
    QByteArray bytes;
    while (m_depth >= level && next()) {
        if (m_token == Token::Characters) {
            if (bytes.size() + m_text.size() > 4 * kMaxTextLength)
                fail(limitMessage(QStringLiteral("bytes in one text"), bytes.size() + m_text.size(), 4 * kMaxTextLength));
            bytes += m_text;
        }
    }
    return bytes;
}

}  // namespace dataimport
