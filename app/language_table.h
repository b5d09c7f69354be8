// A window's language table: the English and German text of every tag, read
// from the window's ".dat" file beside the program. One row per line: tag,
// English text, German text, separated by ";" (each text trimmed; anything
// after the German text is ignored). A line starting with ";" is a comment,
// a line whose first field is not an integer is skipped, and a missing field
// gives an empty text. Tag 0 is the window's caption.
//
// The file is UTF-8 when its bytes are valid UTF-8 (a byte order mark is
// dropped), Windows-1252 otherwise; a line ends at CR, CR LF or LF and a
// Ctrl+Z ends the text. Files above kMaxTableBytes are not read.
#pragma once

#include "components/platform/language.h"

#include <QList>
#include <QString>

namespace app {

struct LanguageRow {
    int tag = 0;
    QString english;
    QString german;

    const QString& text(platform::Language language) const
    {
        return language == platform::Language::German ? german : english;
    }
};

class LanguageTable {
public:
    static constexpr qint64 kMaxTableBytes = 16 * 1024 * 1024;

    // The rows of a table's text, in file order.
    static LanguageTable parse(const QString& text);
    // The table in the file; an empty table (isLoaded() false) when the file
    // cannot be opened or is larger than kMaxTableBytes.
    static LanguageTable read(const QString& path);
    // The file name of a window's table: its object name and ".dat".
    static QString fileName(const QString& windowName);

    bool isLoaded() const { return m_loaded; }
    const QList<LanguageRow>& rows() const { return m_rows; }

private:
    QList<LanguageRow> m_rows;
    bool m_loaded = false;
};

// Splits a decoded text file into its lines: a line ends at CR, CR LF or LF,
// a Ctrl+Z ends the text. Shared by the language tables and the pop-up lists.
QList<QStringView> textLines(QStringView text);

// A text file decoded as the language tables are; false when it cannot be
// opened or is larger than `maxBytes`.
bool readTextFile(const QString& path, qint64 maxBytes, QString& text);

}  // namespace app
