// Decoding of text files whose encoding is not declared: UTF-8 when the bytes
// are valid UTF-8 (a byte order mark is dropped), Windows-1252 otherwise.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

QString decodeText(const QByteArray& bytes);
QString decodeWindows1252(const char* data, qsizetype size);
inline QString decodeWindows1252(const QByteArray& bytes) { return decodeWindows1252(bytes.constData(), bytes.size()); }
// False when the text holds a character Windows-1252 cannot represent.
bool encodeWindows1252(const QString& text, QByteArray& bytes);

}  // namespace platform
