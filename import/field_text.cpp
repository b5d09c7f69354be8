// The text helpers of ovt_lib.h, as wrappers over the byte-level versions the
// import uses, so a typed value and an imported one are read alike.
#include "import/field_text.h"

#include "import/field_scan.h"

#include "components/platform/platform.h"

namespace fieldtext {

QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20) ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20) --end;
    return text.mid(begin, end - begin);
}

FieldAndRest nextField(const QString& separator, const QString& line)
{
    FieldAndRest out;
    if (line.isEmpty()) return out;
    const qsizetype p = separator.isEmpty() ? -1 : line.indexOf(separator);
    if (p < 0) {
        out.field = trimBlanks(line);
        return out;
    }
    out.field = trimBlanks(line.left(p));
    // The rest begins behind the separator's first character (a surrogate pair counts as one).
    const qsizetype firstCharLength = separator.size() > 1 && separator[0].isHighSurrogate() ? 2 : 1;
    if (p + firstCharLength < line.size()) out.rest = line.mid(p + firstCharLength);
    return out;
}

void stripQuotes(QString& text)
{
    if (text.size() < 2) return;
    if (text.front() == u'"') text.remove(0, 1);
    const qsizetype firstQuote = text.indexOf(u'"');
    if (firstQuote >= 0 && firstQuote == text.size() - 1) text.chop(1);
}

bool textToNumber(const QString& text, double& value, QChar decimalSeparator)
{
    const QByteArray bytes = text.toUtf8();
    const QByteArray separator = QString(decimalSeparator).toUtf8();
    return dataimport::parseNumberBytes(std::string_view(bytes.constData(), bytes.size()),
                                        std::string_view(separator.constData(), separator.size()), value);
}

bool textToNumber(const QString& text, double& value)
{
    return textToNumber(text, value, platform::Platform::decimalSeparator());
}

}  // namespace fieldtext
