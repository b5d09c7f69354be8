// Encoding of undeclared text files: UTF-8 when every byte of the text is
// valid UTF-8 (a byte order mark is dropped), Windows-1252 otherwise. The
// validator runs over a file chunk by chunk, so the choice is made for the
// whole file before its first line is used, without holding the file.
#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

class QIODevice;

namespace dataimport {

enum class TextEncoding { Utf8, Windows1252 };

// Incremental strict UTF-8 check (no overlong forms, no surrogates, nothing
// above U+10FFFF). Feed chunks in order, then ask finish().
class Utf8Validator {
public:
    // False as soon as an invalid sequence was seen; further bytes are ignored.
    bool feed(std::string_view bytes);
    // True when everything fed was valid and no sequence was left open.
    bool finish() const { return m_valid && m_pending == 0; }

private:
    bool m_valid = true;
    int m_pending = 0;          // continuation bytes still expected
    unsigned char m_lower = 0x80;  // allowed range of the next continuation byte
    unsigned char m_upper = 0xBF;
};

// Reads `device` from its current position to its end or to the first
// Ctrl+Z (the end of a text) and says which encoding the text is in.
// Returns false with `error` set when the device cannot be read.
bool detectEncoding(QIODevice& device, TextEncoding& encoding, QString& error);

QString decodeBytes(std::string_view bytes, TextEncoding encoding);
// Bytes of `text` in `encoding`; false when a character has no Windows-1252 code.
bool encodeText(const QString& text, TextEncoding encoding, QByteArray& bytes);

}  // namespace dataimport
