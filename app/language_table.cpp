// Reading the language tables; see language_table.h.
#include "app/language_table.h"

#include "components/platform/text_decoding.h"
#include "import/field_text.h"

#include <QFile>

namespace app {

QList<QStringView> textLines(QStringView text)
{
    const qsizetype end = text.indexOf(QChar(0x1A));  // Ctrl+Z ends the text
    if (end >= 0) text = text.first(end);
    QList<QStringView> lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < size) lines.append(text.sliced(start));
    return lines;
}

bool readTextFile(const QString& path, qint64 maxBytes, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes) return false;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) return false;
    text = platform::decodeText(bytes);
    return true;
}

LanguageTable LanguageTable::parse(const QString& text)
{
    static const QString separator = QStringLiteral(";");
    LanguageTable table;
    table.m_loaded = true;
    for (QStringView view : textLines(text)) {
        if (view.startsWith(u';')) continue;
        // Three fields at most are taken, so a line of megabytes costs a few
        // copies of itself, however many separators it holds.
        const QString line = view.toString();
        fieldtext::FieldAndRest field = fieldtext::nextField(separator, line);
        bool isInteger = false;
        const int tag = field.field.toInt(&isInteger);
        if (!isInteger) continue;
        LanguageRow row;
        row.tag = tag;
        field = fieldtext::nextField(separator, field.rest);
        row.english = field.field;
        field = fieldtext::nextField(separator, field.rest);
        row.german = field.field;
        table.m_rows.append(row);
    }
    return table;
}

LanguageTable LanguageTable::read(const QString& path)
{
    QString text;
    if (!readTextFile(path, kMaxTableBytes, text)) return {};
    return parse(text);
}

QString LanguageTable::fileName(const QString& windowName)
{
    return windowName + QStringLiteral(".dat");
}

}  // namespace app
