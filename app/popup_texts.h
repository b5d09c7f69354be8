// The pop-up texts of "What's this?" mode, one list per language
// ("ovtchartPopEng.txt", "ovtchartPopGer.txt" beside the program). One entry
// a line: the help context number, a ";", and the text to the end of the line
// (which may itself contain ";"). A line starting with ";" is a comment; a
// line whose number does not read is skipped; a later entry for the same
// context replaces an earlier one. The texts are rich text and start with the
// control's name in bold. Encoding and line ends as in the language tables.
#pragma once

#include "components/platform/language.h"

#include <QHash>
#include <QString>

namespace app {

class PopupTexts {
public:
    static constexpr qint64 kMaxListBytes = 16 * 1024 * 1024;

    static PopupTexts parse(const QString& text);
    // Empty when the file cannot be read.
    static PopupTexts read(const QString& path);
    // The list's file name for a language.
    static QString fileName(platform::Language language);

    // The text of a context; empty when the list has none.
    QString text(int helpContext) const { return m_texts.value(helpContext); }
    int size() const { return m_texts.size(); }
    QList<int> contexts() const { return m_texts.keys(); }

private:
    QHash<int, QString> m_texts;
};

}  // namespace app
