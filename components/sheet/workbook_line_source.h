// The native workbook file as lines: read in fixed-size blocks and split at
// LF (a CR before it is dropped), so a line is a view into the block and only
// a line that crosses a block boundary is copied. Also the byte-level check
// every line gets before it is parsed.
#pragma once

#include <QFile>

#include <string>
#include <string_view>
#include <vector>

namespace sheet::native {

class LineSource {
public:
    explicit LineSource(QFile& file);

    // Next line without its line end; false at the end of the file.
    bool next(std::string_view& line);

    qint64 lineNumber() const { return m_lineNumber; }
    // Bytes of the file up to the current line (a block-boundary line aside).
    qint64 bytesConsumed() const { return m_totalRead - qint64(m_end - m_pos); }
    qint64 fileSize() const { return m_file.size(); }

private:
    void appendCarry(const char* data, size_t len);

    QFile& m_file;
    std::vector<char> m_block;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_atEof = false;
    std::string m_carry;      // a line that crosses a block boundary
    bool m_carryInUse = false;
    std::string m_lastLine;
    qint64 m_lineNumber = 0;
    qint64 m_totalRead = 0;
};

// Refuses control characters (tab excepted) and anything that is not UTF-8.
void checkLineBytes(std::string_view line);

}  // namespace sheet::native
