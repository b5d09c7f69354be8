// Lines and byte checks of the native workbook file; see workbook_line_source.h.
#include "components/sheet/workbook_line_source.h"

#include "components/sheet/native_workbook_syntax.h"

#include <cstring>

namespace sheet::native {

namespace {

std::string_view trimCr(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

}  // namespace

LineSource::LineSource(QFile& file) : m_file(file)
{
    m_block.resize(size_t(kBlockBytes));
}

bool LineSource::next(std::string_view& line)
{
    if (m_carryInUse) {
        // The line handed out last time lived in m_carry.
        m_carry.clear();
        m_carryInUse = false;
    }
    for (;;) {
        if (m_pos < m_end) {
            const char* start = m_block.data() + m_pos;
            const void* nl = std::memchr(start, '\n', m_end - m_pos);
            if (nl) {
                const size_t len = static_cast<const char*>(nl) - start;
                m_pos += len + 1;
                ++m_lineNumber;
                if (m_carry.empty()) {
                    line = trimCr(std::string_view(start, len));
                } else {
                    appendCarry(start, len);
                    line = trimCr(m_carry);
                    m_carryInUse = true;
                }
                return true;
            }
            appendCarry(start, m_end - m_pos);
            m_pos = m_end;
        }
        if (m_atEof) {
            if (m_carry.empty())
                return false;
            // The last line has no line end.
            ++m_lineNumber;
            m_lastLine.swap(m_carry);
            m_carry.clear();
            line = trimCr(m_lastLine);
            return true;
        }
        const qint64 got = m_file.read(m_block.data(), kBlockBytes);
        if (got < 0)
            fail(QStringLiteral("read error: %1").arg(m_file.errorString()));
        m_pos = 0;
        m_end = size_t(got);
        m_totalRead += got;
        if (got == 0)
            m_atEof = true;
    }
}

void LineSource::appendCarry(const char* data, size_t len)
{
    if (m_carry.size() + len > kMaxLineBytes) {
        ++m_lineNumber;
        fail(QStringLiteral("line longer than %1 bytes").arg(kMaxLineBytes));
    }
    m_carry.append(data, len);
}

// Refuses control characters (tab excepted) and anything that is not UTF-8.
void checkLineBytes(std::string_view line)
{
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const auto* end = p + line.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                fail(QStringLiteral("control character 0x%1 (binary data?)")
                         .arg(unsigned(c), 2, 16, QLatin1Char('0')));
            ++p;
            continue;
        }
        int extra = 0;
        unsigned min = 0;
        char32_t cp = 0;
        if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; min = 0x10000; }
        else fail(QStringLiteral("invalid UTF-8"));
        if (end - p <= extra)
            fail(QStringLiteral("invalid UTF-8"));
        for (int k = 1; k <= extra; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                fail(QStringLiteral("invalid UTF-8"));
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            fail(QStringLiteral("invalid UTF-8"));
        p += extra + 1;
    }
}

}  // namespace sheet::native
