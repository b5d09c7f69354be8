// Read access to a zip archive (the container of .xlsx and .ods files)
// through libzip. Entries are streamed: an entry is a QIODevice that
// decompresses as it is read, so no entry is ever unpacked whole into memory.
// Reading stops with an error (the device's errorString()) past the entry
// byte cap and on a damaged entry.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

struct zip;
struct zip_file;

namespace dataimport {

class ZipEntry final : public QIODevice {
public:
    ~ZipEntry() override;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    friend class ZipArchive;
    ZipEntry(zip_file* file, QString name);

    zip_file* m_file = nullptr;
    QString m_name;
    bool m_failed = false;
    qint64 m_bytes = 0;  // bytes read so far
};

class ZipArchive {
public:
    // Throws WorkbookReadError when the file is no readable zip archive.
    static ZipArchive open(const QString& path);
    // Over bytes in memory (the bytes must outlive the archive).
    static ZipArchive fromBytes(const QByteArray& bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ~ZipArchive();

    bool contains(const QString& name) const;
    // The entry, opened for reading; null when the archive has no such entry.
    // Throws WorkbookReadError when the entry exists but cannot be read.
    std::unique_ptr<ZipEntry> entry(const QString& name) const;

private:
    explicit ZipArchive(zip* archive) : m_archive(archive) {}
    zip* m_archive = nullptr;
};

}  // namespace dataimport
