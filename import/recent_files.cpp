// The recent-files list; see recent_files.h.
#include "import/recent_files.h"

#include "import/text_encoding.h"

#include "components/platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dataimport {

QString RecentFiles::defaultPath()
{
    return platform::Platform::writableDirectory() + fileName();
}

QString RecentFiles::defaultLoadPath()
{
    const QString saved = defaultPath();
    if (QFileInfo::exists(saved)) return saved;
    return platform::Platform::shippedFile(fileName());
}

int RecentFiles::indexOf(const QString& path) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_entries[i].compare(path, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

int RecentFiles::add(const QString& path)
{
    const int existing = indexOf(path);
    if (existing >= 0) {
        m_entries.move(existing, 0);
        return 0;
    }
    m_entries.prepend(path);
    while (m_entries.size() > kMaxEntries) m_entries.removeLast();
    return 0;
}

bool RecentFiles::removeAt(int index)
{
    if (index < 0 || index >= count()) return false;
    m_entries.removeAt(index);
    return true;
}

bool RecentFiles::load(const QString& path, QString* error)
{
    m_entries.clear();
    QFile file(path);
    if (!file.exists()) return false;
    // The list is a few hundred bytes; a larger file is not one of ours.
    constexpr qint64 kMaxSize = 1 << 20;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QByteArray bytes = file.read(kMaxSize);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    Utf8Validator validator;
    validator.feed(std::string_view(bytes.constData(), bytes.size()));
    const TextEncoding encoding = validator.finish() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    const QString text = decodeBytes(std::string_view(bytes.constData(), bytes.size()), encoding);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
            const QString line = text.mid(start, i - start);
            if (!line.isEmpty()) m_entries.append(line);
            if (i < text.size() && text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    return true;
}

bool RecentFiles::save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QByteArray bytes;
        for (const QString& entry : m_entries) {
            bytes += entry.toUtf8();
            bytes += "\r\n";
        }
        if (file.write(bytes) == bytes.size() && file.commit()) return true;
    }
    if (error) *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

}  // namespace dataimport
