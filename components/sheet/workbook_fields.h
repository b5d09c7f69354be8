// The fields of one line of the native workbook file: blank-separated words,
// the rest of a line, and double-quoted strings with escapes. Works on a view
// of the line; nothing is copied until a string is made.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <utility>

namespace sheet::native {

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

    // Everything left on the line, without blanks around it.
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

    // A double-quoted string with the escapes \" \\ \n \r \t \uXXXX; `what`
    // names the field in a refusal. Inline: the reader calls it for every text.
    QString quotedString(const char* what)
    {
        skipBlanks();
        if (m_rest.empty() || m_rest.front() != '"')
            refuseUnquoted(what);
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
        return escapedString(std::move(bytes), what);
    }

private:
    [[noreturn]] static void refuseUnquoted(const char* what);
    // The string from after the opening quote on, where an escape was seen.
    QString escapedString(std::string bytes, const char* what);
    void appendUnicodeEscape(std::string& bytes, const char* what);

    std::string_view m_rest;
};

}  // namespace sheet::native
