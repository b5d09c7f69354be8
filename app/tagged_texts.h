// Texts of the main window that no control shows but commands use, each under
// the tag the language tables key on: the first words of a chart title built
// from column names, and the titles of the save dialog for each page. The
// main window owns one table; a language table sets its texts by tag as it
// sets the captions of a window's controls.
#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include "components/platform/language.h"

namespace app {

class TaggedTexts {
public:
    static constexpr int kTitleCaption = 107;          // first words of a built chart title
    static constexpr int kImportSaveTitle = 56;        // save dialog over the import page
    static constexpr int kStatisticsSaveTitle = 57;    // save dialog over the statistics page

    // Every tag with its German default text.
    TaggedTexts();

    // Every tag with the shared text of the language (until a language
    // table supplies its own).
    void setLanguage(platform::Language language);

    // The text of the tag; empty for a tag the table does not hold.
    QString text(int tag) const;
    // Replaces the text of a tag the table holds; returns false (and changes
    // nothing) for any other tag, as a window ignores tags it has no control for.
    bool setText(int tag, const QString& text);
    // The tags the table holds, ascending.
    QList<int> tags() const { return m_texts.keys(); }

private:
    QMap<int, QString> m_texts;
};

}  // namespace app
