// Profile files: INI files read and written by section and key, with the
// semantics users know from desktop private-profile files. Section and key
// names match without regard to case; sections and keys this program does not
// know stay in place, in their order; the file is created by the first write.
// A value reads back as it was written: one with blanks or tabs at either end,
// a semicolon, or enclosing quotes of its own is written inside double quotes,
// which reading drops (line breaks become blanks, since a value is one line).
// Every write replaces the file atomically (temporary file, then rename), so a
// crash never leaves half a file.
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace platform {

// A write that failed: the message is "nach <path> kann nicht geschrieben werden".
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

class Profile {
public:
    // Reads the file once if it exists; a missing file is an empty profile.
    explicit Profile(const QString& path);

    QString path() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Reads a decimal integer; a value that is not one gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;  // "0" false, other integers true
    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Each write updates the profile and replaces the file at once.
    // Throws ProfileWriteError when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);  // "1" / "0"
    void eraseSection(const QString& section);
    void deleteKey(const QString& section, const QString& key);

    // Batches writes: between beginUpdate() and endUpdate() the file is written once, at endUpdate().
    void beginUpdate();
    void endUpdate();

private:
    int findSection(const QString& section) const;         // index of the header line, -1
    int findKey(int sectionLine, const QString& key) const; // index of the key line, -1
    void flush();

    QString m_path;
    QStringList m_lines;  // the file as lines, kept verbatim
    int m_batchDepth = 0;
    bool m_dirty = false;
};

}  // namespace platform
