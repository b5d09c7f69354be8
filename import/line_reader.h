// Reads a text file line by line in fixed-size chunks, so a file of any size
// is never held whole. A line ends at CR, CR LF or LF; a Ctrl+Z ends the
// text; a last line without an end is read too; a leading UTF-8 byte order
// mark is dropped. Lines are handed out as views of the raw bytes, valid
// until the next call. A line longer than a chunk grows the buffer, so the
// memory needed is bounded by the longest line, never more than the file.
#pragma once

#include <QString>
#include <memory>
#include <string_view>

class QIODevice;

namespace dataimport {

class LineReader {
public:
    explicit LineReader(QIODevice& device, std::size_t chunkSize = std::size_t(1) << 20);

    // The next line without its end. False at the end of the text or on a
    // read error (see failed()).
    bool next(std::string_view& line);

    bool failed() const { return m_failed; }
    QString errorString() const { return m_error; }
    // Bytes of the file taken up by the lines handed out so far.
    qint64 bytesConsumed() const { return m_consumedBefore + static_cast<qint64>(m_pos); }

private:
    // Reads more bytes behind the unread ones; false at the end or on an error.
    bool fill();

    QIODevice& m_device;
    std::size_t m_chunkSize;
    std::unique_ptr<char[]> m_buffer;  // not zero-filled: every byte used was read
    std::size_t m_capacity = 0;
    std::size_t m_pos = 0;   // first unread byte
    std::size_t m_end = 0;   // end of the valid bytes
    qint64 m_consumedBefore = 0;  // bytes dropped from the buffer's front
    bool m_atEnd = false;    // device exhausted or Ctrl+Z met
    bool m_failed = false;
    bool m_started = false;
    QString m_error;
};

}  // namespace dataimport
