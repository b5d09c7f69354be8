// Texts the windows and plotwise-report both show, in each language: the
// first words of a chart title built from column names, the notes that a
// span holds no data or more rows than fit, the note on an unreadable chart
// look and the titles of the save dialog. One home, so a window and the
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

// The status bar note for a chart look file that could not be read; the
// detail names the file and the reason.
inline QString lookUnreadableText(platform::Language language, const QString& detail)
{
    return (language == platform::Language::German ? QStringLiteral("Diagrammvorlage nicht gelesen: ")
                                                   : QStringLiteral("Chart look file not read: "))
        + detail;
}

// Titles of the save dialog: over the statistics grid, or over the import grid.
inline QString saveTitleText(platform::Language language, bool statisticsGrid)
{
    if (statisticsGrid)
        return language == platform::Language::German ? QStringLiteral("Statistik speichern")
                                                      : QStringLiteral("Save statistics");
    return language == platform::Language::German ? QStringLiteral("Messdaten speichern")
                                                  : QStringLiteral("Save measured data");
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
