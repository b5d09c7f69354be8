// UTF-8 validation and the Windows-1252 mapping; see text_encoding.h.
#include "import/text_encoding.h"

#include "components/platform/text_decoding.h"

#include <QIODevice>
#include <cstring>
#include <vector>

namespace dataimport {

namespace {

constexpr char kCtrlZ = 0x1A;

}  // namespace

bool Utf8Validator::feed(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (m_valid && p < end) {
        if (m_pending == 0) {
            // Fast path over plain ASCII, eight bytes at a time.
            while (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ULL) break;
                p += 8;
            }
            if (p == end) break;
            const unsigned char b = *p++;
            if (b < 0x80) continue;
            m_lower = 0x80;
            m_upper = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                m_pending = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                m_pending = 2;
                if (b == 0xE0) m_lower = 0xA0;   // overlong
                if (b == 0xED) m_upper = 0x9F;   // surrogates
            } else if (b >= 0xF0 && b <= 0xF4) {
                m_pending = 3;
                if (b == 0xF0) m_lower = 0x90;   // overlong
                if (b == 0xF4) m_upper = 0x8F;   // above U+10FFFF
            } else {
                m_valid = false;
            }
        } else {
            const unsigned char b = *p++;
            if (b < m_lower || b > m_upper) {
                m_valid = false;
            } else {
                --m_pending;
                m_lower = 0x80;
                m_upper = 0xBF;
            }
        }
    }
    return m_valid;
}

bool detectEncoding(QIODevice& device, TextEncoding& encoding, QString& error)
{
    Utf8Validator validator;
    std::vector<char> chunk(1 << 20);
    bool first = true;
    for (;;) {
        const qint64 got = device.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (got < 0) {
            error = device.errorString();
            return false;
        }
        if (got == 0) break;
        std::string_view bytes(chunk.data(), static_cast<std::size_t>(got));
        if (first && bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        first = false;
        const std::size_t ctrlZ = bytes.find(kCtrlZ);
        if (ctrlZ != std::string_view::npos) bytes = bytes.substr(0, ctrlZ);
        if (!validator.feed(bytes)) break;
        if (ctrlZ != std::string_view::npos) break;
    }
    encoding = validator.finish() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    return true;
}

QString decodeBytes(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return platform::decodeWindows1252(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool encodeText(const QString& text, TextEncoding encoding, QByteArray& bytes)
{
    if (encoding == TextEncoding::Utf8) {
        bytes = text.toUtf8();
        return true;
    }
    return platform::encodeWindows1252(text, bytes);
}

}  // namespace dataimport
