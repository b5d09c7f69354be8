// Decoding of text files whose encoding is not declared: UTF-8 when the bytes
// are valid UTF-8 (a byte order mark is dropped), Windows-1252 otherwise.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

QString decodeText(const QByteArray& bytes);
QString decodeWindows1252(const QByteArray& bytes);

}  // namespace platform
