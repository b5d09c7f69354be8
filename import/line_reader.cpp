// Chunked line splitting; see line_reader.h.
#include "line_reader.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace dataimport {

namespace {
constexpr char kCtrlZ = 0x1A;
}

LineReader::LineReader(QIODevice& device, std::size_t chunkSize)
    : m_device(device), m_chunkSize(chunkSize < 16 ? 16 : chunkSize), m_buffer(m_chunkSize)
{
}

bool LineReader::fill()
{
    if (m_atEnd) return false;
    // Keep the unread bytes, moved to the front.
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
        m_consumedBefore += static_cast<qint64>(m_pos);
        m_end -= m_pos;
        m_pos = 0;
    }
    // A line longer than the buffer: grow it geometrically, so a line of
    // any length costs linear time and at most twice its size.
    if (m_buffer.size() - m_end < m_chunkSize / 2) m_buffer.resize(std::max(m_buffer.size() * 2, m_end + m_chunkSize));
    const qint64 got = m_device.read(m_buffer.data() + m_end, static_cast<qint64>(m_buffer.size() - m_end));
    if (got < 0) {
        m_failed = true;
        m_atEnd = true;
        m_error = m_device.errorString();
        return false;
    }
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    const std::size_t oldEnd = m_end;
    m_end += static_cast<std::size_t>(got);
    if (!m_started) {
        m_started = true;
        if (m_end >= 3 && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0) m_pos = 3;
    }
    // Text ends at the first Ctrl+Z: cut the buffer there and read no further.
    const void* ctrlZ = std::memchr(m_buffer.data() + oldEnd, kCtrlZ, m_end - oldEnd);
    if (ctrlZ) {
        m_end = static_cast<std::size_t>(static_cast<const char*>(ctrlZ) - m_buffer.data());
        m_atEnd = true;
    }
    return true;
}

bool LineReader::next(std::string_view& line)
{
    if (!m_started) fill();
    std::size_t scanFrom = m_pos;
    for (;;) {
        const char* data = m_buffer.data();
        std::size_t i = scanFrom;
        while (i < m_end && data[i] != '\r' && data[i] != '\n') ++i;
        if (i < m_end) {
            // A CR as the last byte read so far may be followed by an LF not yet read.
            if (data[i] == '\r' && i + 1 == m_end && !m_atEnd) {
                const std::size_t offset = i - m_pos;
                if (fill()) {
                    scanFrom = m_pos + offset;
                    continue;
                }
                if (m_failed) return false;
                i = m_pos + offset;
                data = m_buffer.data();
            }
            line = std::string_view(data + m_pos, i - m_pos);
            std::size_t after = i + 1;
            if (data[i] == '\r' && after < m_end && data[after] == '\n') ++after;
            m_pos = after;
            return true;
        }
        const std::size_t offset = m_end - m_pos;
        if (fill()) {
            scanFrom = m_pos + offset;
            continue;
        }
        if (m_failed) return false;
        // End of the text: a last line without an end.
        if (m_end > m_pos) {
            line = std::string_view(m_buffer.data() + m_pos, m_end - m_pos);
            m_pos = m_end;
            return true;
        }
        return false;
    }
}

}  // namespace dataimport
