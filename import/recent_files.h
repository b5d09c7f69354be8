// The list of recently opened data files shown by the file-name box, most
// recent first, at most 11 entries, compared without regard to letter case;
// kept between runs in "LastOpenFiles.dat" (one entry per line, CR LF).
#pragma once

#include <QString>
#include <QStringList>

namespace dataimport {

class RecentFiles {
public:
    static constexpr int kMaxEntries = 11;
    static QString fileName() { return QStringLiteral("LastOpenFiles.dat"); }
    // Where the list is saved: the folder of the user's files (beside a
    // portable copy, else the user's configuration folder).
    static QString defaultPath();
    // Where it is loaded from: the saved file if there is one, else the
    // copy shipped with the program.
    static QString defaultLoadPath();

    const QStringList& entries() const { return m_entries; }
    void setEntries(const QStringList& entries) { m_entries = entries; }
    int count() const { return static_cast<int>(m_entries.size()); }

    // Index of `path` compared without regard to case; -1 when not listed.
    int indexOf(const QString& path) const;
    // A chosen file: a listed one (in any letter case) moves to the top, a new
    // one goes on top and the oldest entries beyond 11 are dropped. Returns
    // the index of its entry (always 0).
    int add(const QString& path);
    // The Delete key: removes the selected entry; -1 (nothing selected) or an
    // index out of range removes nothing. True when an entry was removed.
    bool removeAt(int index);

    // Replaces the list by the file's lines in order (no limit or duplicate
    // check; empty lines are skipped). A missing file leaves the list empty
    // and gives false; an unreadable one gives false with `error` set.
    bool load(const QString& path, QString* error = nullptr);
    // Writes the list, replacing the file atomically. False with `error` set
    // when it cannot be written.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    QStringList m_entries;
};

}  // namespace dataimport
