// The chunked line reader: every line-end style, also where a chunk boundary
// falls between CR and LF, Ctrl+Z, byte order mark, long lines, read errors.
#include "import/line_reader.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using dataimport::LineReader;

namespace {

std::vector<std::string> linesOf(const QByteArray& bytes, std::size_t chunk)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    LineReader reader(buffer, chunk);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) lines.emplace_back(line);
    EXPECT_FALSE(reader.failed());
    if (!bytes.contains('\x1A')) {
        EXPECT_EQ(reader.bytesConsumed(), bytes.size());
    }
    return lines;
}

using Lines = std::vector<std::string>;

// A device that gives some bytes and then fails.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(QByteArray head) : m_head(std::move(head)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (m_head.isEmpty()) {
            setErrorString(QStringLiteral("device gone"));
            return -1;
        }
        const qint64 n = std::min<qint64>(maxSize, m_head.size());
        memcpy(data, m_head.constData(), static_cast<size_t>(n));
        m_head.remove(0, n);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray m_head;
};

}  // namespace

class LineReaderChunks : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LineReaderChunks, EachLineEndStyleAndMixtures)
{
    const std::size_t chunk = GetParam();
    EXPECT_EQ(linesOf("a\r\nbb\r\nccc", chunk), (Lines{"a", "bb", "ccc"}));
    EXPECT_EQ(linesOf("a\nbb\nccc\n", chunk), (Lines{"a", "bb", "ccc"}));
    EXPECT_EQ(linesOf("a\rbb\rccc\r", chunk), (Lines{"a", "bb", "ccc"}));
    EXPECT_EQ(linesOf("a\r\nb\rc\nd", chunk), (Lines{"a", "b", "c", "d"}));
    // Empty lines count; LF CR is two line ends, CR LF one.
    EXPECT_EQ(linesOf("\r\n\n\r", chunk), (Lines{"", "", ""}));
    EXPECT_EQ(linesOf("x\n\ry", chunk), (Lines{"x", "", "y"}));
    EXPECT_EQ(linesOf("", chunk), Lines{});
}

TEST_P(LineReaderChunks, CtrlZEndsTheTextAndTheByteOrderMarkIsDropped)
{
    const std::size_t chunk = GetParam();
    EXPECT_EQ(linesOf("1\n2\x1A" "3\n4", chunk), (Lines{"1", "2"}));
    EXPECT_EQ(linesOf("\xEF\xBB\xBFhead\nx", chunk), (Lines{"head", "x"}));
}

TEST_P(LineReaderChunks, CrLfSplitAcrossEveryPosition)
{
    const std::size_t chunk = GetParam();
    // Moves the CR LF pair across chunk boundaries.
    for (int prefix = 0; prefix < 40; ++prefix) {
        const QByteArray bytes = QByteArray(prefix, 'p') + "\r\nnext";
        ASSERT_EQ(linesOf(bytes, chunk), (Lines{std::string(prefix, 'p'), "next"})) << prefix;
    }
}

TEST_P(LineReaderChunks, LinesLongerThanTheChunk)
{
    const std::string longLine(5000, 'x');
    EXPECT_EQ(linesOf(QByteArray::fromStdString(longLine + "\r\nshort\n" + longLine), GetParam()),
              (Lines{longLine, "short", longLine}));
}

INSTANTIATE_TEST_SUITE_P(ChunkSizes, LineReaderChunks, ::testing::Values(16, 17, 64, 1 << 20));

TEST(LineReader, ReadErrorIsReported)
{
    FailingDevice device("first\nsecond");
    LineReader reader(device, 16);
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "first");
    EXPECT_FALSE(reader.next(line));  // "second" has no end yet when the device fails
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.errorString(), "device gone");
}
