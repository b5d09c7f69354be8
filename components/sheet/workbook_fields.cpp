// Field parsing of native workbook lines; see workbook_fields.h.
#include "components/sheet/workbook_fields.h"

#include "components/sheet/native_workbook_syntax.h"

#include <charconv>

namespace sheet::native {

namespace {

void appendUtf8(std::string& out, unsigned cp)
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

}  // namespace

void Fields::refuseUnquoted(const char* what)
{
    fail(QStringLiteral("%1 must be a quoted string").arg(QLatin1String(what)));
}

QString Fields::escapedString(std::string bytes, const char* what)
{
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
        case 'u': appendUnicodeEscape(bytes, what); break;
        default:
            fail(QStringLiteral("bad escape \\%1 in %2").arg(QString::fromUtf8(&e, 1), QLatin1String(what)));
        }
    }
    fail(QStringLiteral("unterminated %1 (missing closing quote)").arg(QLatin1String(what)));
}

// The four hex digits after "\u"; a surrogate code alone is no character.
void Fields::appendUnicodeEscape(std::string& bytes, const char* what)
{
    unsigned cp = 0;
    if (m_rest.size() < 4
        || std::from_chars(m_rest.data(), m_rest.data() + 4, cp, 16).ptr != m_rest.data() + 4)
        fail(QStringLiteral("bad escape \\u in %1: four hex digits expected").arg(QLatin1String(what)));
    if (cp >= 0xD800 && cp <= 0xDFFF)
        fail(QStringLiteral("bad escape \\u%1 in %2: surrogate code")
                 .arg(QString::fromLatin1(m_rest.data(), 4), QLatin1String(what)));
    m_rest.remove_prefix(4);
    appendUtf8(bytes, cp);
}

}  // namespace sheet::native
