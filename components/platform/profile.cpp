// INI profile files kept as their lines, so that everything this program does
// not know (foreign sections, keys, comments, the order of it all) survives a
// write untouched.
#include "components/platform/profile.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSaveFile>
#include "components/platform/text_decoding.h"

namespace platform {

namespace {

// Longest string value a read returns, as the desktop profile services do.
constexpr int kMaxValueLength = 2047;

bool isSectionHeader(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[')) return false;
    const qsizetype close = t.indexOf(u']');
    if (close < 0) return false;
    if (name) *name = t.mid(1, close - 1).trimmed();
    return true;
}

// Splits "key=value" into its trimmed parts; false for lines without '='.
bool splitKeyLine(const QString& line, QString* key, QString* value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) return false;
    const QString k = line.left(eq).trimmed();
    if (k.isEmpty() || k.startsWith(u';')) return false;
    if (key) *key = k;
    if (value) *value = line.mid(eq + 1).trimmed();
    return true;
}

// True when `value` would not read back as itself written bare: reading
// trims blanks and tabs at both ends and drops one pair of enclosing quotes,
// and other profile readers take a semicolon for the start of a comment.
bool needsQuotes(const QString& value)
{
    if (value.isEmpty()) return false;
    if (value.front().isSpace() || value.back().isSpace() || value.contains(u';')) return true;
    return value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
}

// The value as it goes into the file: enclosed in double quotes when reading
// would change it bare. Reading drops exactly that one pair, and keeps
// whatever lies between, quotes included, so no escaping is needed.
QString storedValue(const QString& value)
{
    return needsQuotes(value) ? u'"' + value + u'"' : value;
}

}  // namespace

Profile::Profile(const QString& path) : m_path(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    QString text = decodeText(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty()) m_lines.removeLast();
}

int Profile::findSection(const QString& section) const
{
    QString name;
    for (int i = 0; i < m_lines.size(); ++i)
        if (isSectionHeader(m_lines[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Profile::findKey(int sectionLine, const QString& key) const
{
    if (sectionLine < 0) return -1;
    QString k;
    for (int i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (isSectionHeader(m_lines[i], nullptr)) break;
        if (splitKeyLine(m_lines[i], &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString Profile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const int line = findKey(findSection(section), key);
    if (line < 0) return defaultValue;
    QString value;
    splitKeyLine(m_lines[line], nullptr, &value);
    // A value enclosed in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(kMaxValueLength);
}

int Profile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = readString(section, key, QString()).trimmed();
    if (text.isEmpty()) return defaultValue;
    bool ok = false;
    int value = 0;
    QString digits = text;
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = digits.mid(2).toInt(&ok, 16);
    else if (digits.startsWith(u'$'))
        value = digits.mid(1).toInt(&ok, 16);
    else if (!digits.isEmpty() && digits.front().isDigit())
        value = digits.toInt(&ok, 10);
    if (!ok) return defaultValue;
    return negative ? -value : value;
}

bool Profile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool Profile::sectionExists(const QString& section) const { return findSection(section) >= 0; }

bool Profile::valueExists(const QString& section, const QString& key) const
{
    return findKey(findSection(section), key) >= 0;
}

QStringList Profile::sections() const
{
    QStringList result;
    QString name;
    for (const QString& line : m_lines)
        if (isSectionHeader(line, &name)) result << name;
    return result;
}

QStringList Profile::keys(const QString& section) const
{
    QStringList result;
    const int start = findSection(section);
    if (start < 0) return result;
    QString k;
    for (int i = start + 1; i < m_lines.size(); ++i) {
        if (isSectionHeader(m_lines[i], nullptr)) break;
        if (splitKeyLine(m_lines[i], &k, nullptr)) result << k;
    }
    return result;
}

void Profile::writeString(const QString& section, const QString& key, const QString& value)
{
    // A value cannot span lines in this format.
    QString line = value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString clean = storedValue(line);
    int sectionLine = findSection(section);
    if (sectionLine < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) m_lines << QString();
        m_lines << QStringLiteral("[%1]").arg(section);
        m_lines << key + u'=' + clean;
    } else if (const int keyLine = findKey(sectionLine, key); keyLine >= 0) {
        QString existingKey;
        splitKeyLine(m_lines[keyLine], &existingKey, nullptr);
        m_lines[keyLine] = existingKey + u'=' + clean;
    } else {
        // New keys go after the section's last key, before any blank lines that close it.
        int insertAt = sectionLine + 1;
        for (int i = sectionLine + 1; i < m_lines.size() && !isSectionHeader(m_lines[i], nullptr); ++i)
            if (!m_lines[i].trimmed().isEmpty()) insertAt = i + 1;
        m_lines.insert(insertAt, key + u'=' + clean);
    }
    m_dirty = true;
    flush();
}

void Profile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void Profile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void Profile::eraseSection(const QString& section)
{
    const int start = findSection(section);
    if (start < 0) return;
    int end = start + 1;
    while (end < m_lines.size() && !isSectionHeader(m_lines[end], nullptr)) ++end;
    m_lines.erase(m_lines.begin() + start, m_lines.begin() + end);
    m_dirty = true;
    flush();
}

void Profile::deleteKey(const QString& section, const QString& key)
{
    const int line = findKey(findSection(section), key);
    if (line < 0) return;
    m_lines.removeAt(line);
    m_dirty = true;
    flush();
}

void Profile::beginUpdate() { ++m_batchDepth; }

void Profile::endUpdate()
{
    if (m_batchDepth > 0) --m_batchDepth;
    flush();
}

void Profile::flush()
{
    if (m_batchDepth > 0 || !m_dirty) return;
    const QString failure = QStringLiteral("nach %1 kann nicht geschrieben werden").arg(QDir::toNativeSeparators(m_path));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) throw ProfileWriteError(failure);
    QByteArray bytes;
    for (const QString& line : m_lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) throw ProfileWriteError(failure);
    m_dirty = false;
}

}  // namespace platform
