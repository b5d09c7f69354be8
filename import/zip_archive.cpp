// Zip archives through libzip; see zip_archive.h.
#include "import/zip_archive.h"

#include "import/workbook_limits.h"

#include <QFile>

#include <zip.h>


namespace dataimport {

namespace {

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString notAnArchive(const QString& detail)
{
    return QStringLiteral("the file is no readable zip archive (%1)").arg(detail);
}

// Entry names in the archive: without a leading "/", compared without regard to case.
QByteArray entryName(const QString& name)
{
    return (name.startsWith(u'/') ? name.mid(1) : name).toUtf8();
}

}  // namespace

ZipEntry::ZipEntry(zip_file* file, QString name) : m_file(file), m_name(std::move(name))
{
    QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

ZipEntry::~ZipEntry()
{
    if (m_file) zip_fclose(m_file);
}

qint64 ZipEntry::readData(char* data, qint64 maxSize)
{
    if (m_failed || !m_file) return -1;
    const qint64 room = kMaxEntryBytes - m_bytes;
    if (room <= 0) {
        // Only an error when the entry goes on past the cap.
        char probe;
        if (zip_fread(m_file, &probe, 1) <= 0) return 0;
        m_failed = true;
        setErrorString(limitMessage(QStringLiteral("bytes in one archive entry"), kMaxEntryBytes + 1, kMaxEntryBytes));
        return -1;
    }
    const zip_int64_t n = zip_fread(m_file, data, static_cast<zip_uint64_t>(std::min(maxSize, room)));
    if (n < 0) {
        m_failed = true;
        setErrorString(QStringLiteral("the entry is damaged (%1)").arg(QString::fromUtf8(zip_file_strerror(m_file))));
        return -1;
    }
    m_bytes += n;
    return n;
}

ZipArchive ZipArchive::open(const QString& path)
{
    int code = 0;
    zip* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive) throw WorkbookReadError{notAnArchive(zipErrorText(code))};
    return ZipArchive(archive);
}

ZipArchive ZipArchive::fromBytes(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        const QString text = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        throw WorkbookReadError{notAnArchive(text)};
    }
    zip_error_fini(&error);
    return ZipArchive(archive);
}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept : m_archive(other.m_archive)
{
    other.m_archive = nullptr;
}

ZipArchive::~ZipArchive()
{
    if (m_archive) zip_discard(m_archive);
}

bool ZipArchive::contains(const QString& name) const
{
    return zip_name_locate(m_archive, entryName(name).constData(), ZIP_FL_NOCASE) >= 0;
}

std::unique_ptr<ZipEntry> ZipArchive::entry(const QString& name) const
{
    const zip_int64_t index = zip_name_locate(m_archive, entryName(name).constData(), ZIP_FL_NOCASE);
    if (index < 0) return nullptr;
    zip_file* file = zip_fopen_index(m_archive, static_cast<zip_uint64_t>(index), 0);
    if (!file)
        throw WorkbookReadError{QStringLiteral("%1 cannot be read (%2)").arg(name, QString::fromUtf8(zip_strerror(m_archive)))};
    return std::unique_ptr<ZipEntry>(new ZipEntry(file, name));
}

}  // namespace dataimport
