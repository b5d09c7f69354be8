// Chunked line splitting; see line_reader.h.
#include "import/line_reader.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace dataimport {

namespace {
constexpr char kCtrlZ = 0x1A;
}

LineReader::LineReader(QIODevice& device, std::size_t chunkSize)
    : m_device(device), m_chunkSize(chunkSize < 16 ? 16 : chunkSize),
      m_buffer(new char[m_chunkSize]), m_capacity(m_chunkSize)
{
}

bool LineReader::fill()
{
    if (m_atEnd) return false;
    // Keep the unread bytes, moved to the front.
    if (m_pos > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_pos, m_end - m_pos);
        m_consumedBefore += static_cast<qint64>(m_pos);
        m_end -= m_pos;
        m_pos = 0;
    }
    // A line longer than the buffer: grow it geometrically, so a line of
    // any length costs linear time, but never much beyond what is left of
    // the file, so a file that is one long line needs little more than its size.
    if (m_capacity - m_end < m_chunkSize / 2) {
        std::size_t wanted = m_capacity * 2;
        if (!m_device.isSequential()) {
            const qint64 left = std::max<qint64>(0, m_device.size() - m_device.pos());
            wanted = std::min(wanted, m_end + static_cast<std::size_t>(left) + m_chunkSize / 2);
        }
        wanted = std::max(wanted, m_end + m_chunkSize / 2);
        std::unique_ptr<char[]> grown(new char[wanted]);
        std::memcpy(grown.get(), m_buffer.get(), m_end);
        m_buffer = std::move(grown);
        m_capacity = wanted;
    }
    const qint64 got = m_device.read(m_buffer.get() + m_end, static_cast<qint64>(m_capacity - m_end));
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
        if (m_end >= 3 && std::memcmp(m_buffer.get(), "\xEF\xBB\xBF", 3) == 0) m_pos = 3;
    }
    // Text ends at the first Ctrl+Z: cut the buffer there and read no further.
    const void* ctrlZ = std::memchr(m_buffer.get() + oldEnd, kCtrlZ, m_end - oldEnd);
    if (ctrlZ) {
        m_end = static_cast<std::size_t>(static_cast<const char*>(ctrlZ) - m_buffer.get());
        m_atEnd = true;
    }
    return true;
}

bool LineReader::next(std::string_view& line)
{
    if (!m_started) fill();
    std::size_t scanFrom = m_pos;
    for (;;) {
        const char* data = m_buffer.get();
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
                data = m_buffer.get();
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
            line = std::string_view(m_buffer.get() + m_pos, m_end - m_pos);
            m_pos = m_end;
            return true;
        }
        return false;
    }
}

}  // namespace dataimport
