// Texts the windows and plotwise-report both show, in each language: the
// first words of a chart title built from column names and the notes that a
// span holds no data or more rows than fit. One home, so a window and the
// report never drift apart.
#pragma once

#include "components/platform/language.h"

#include <QLocale>
#include <QString>

namespace chart {

// First words of a built chart title, as the main window's language table
// has them (its texts are trimmed); the title builder adds the blank before
// the column names.
inline QString titleCaptionText(platform::Language language)
{
    return language == platform::Language::German ? QStringLiteral("Auswertung über")
                                                  : QStringLiteral("Evaluation of");
}

// The note for a visible span without a numeric row.
inline QString noDataText(platform::Language language)
{
    return language == platform::Language::German ? QStringLiteral("Keine Daten gefunden")
                                                  : QStringLiteral("No Data available");
}

// The note for a span of more rows than the computation grid holds: at most
// `limit` (kMaxDataRows of computation_fill.h), the span has `rows`.
inline QString tooManyRowsText(platform::Language language, qint64 limit, qint64 rows)
{
    if (language == platform::Language::German) {
        const QLocale german(QLocale::German);
        return QStringLiteral("höchstens %1 Datenzeilen passen in das Rechenblatt; gewählt sind %2 Zeilen")
            .arg(german.toString(limit), german.toString(rows));
    }
    const QLocale english(QLocale::English);
    return QStringLiteral("at most %1 data rows fit the computation grid; the chosen rows are %2")
        .arg(english.toString(limit), english.toString(rows));
}

}  // namespace chart
