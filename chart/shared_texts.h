// Texts the windows and plotwise-report both show, in each language: the
// first words of a chart title built from column names, the note that a
// span holds no data, the note on an unreadable chart look and the titles
// of the save dialog. One home, so a window and the report never drift apart.
#pragma once

#include "components/platform/language.h"

#include <QString>

namespace chart {

// First words of a built chart title; the trailing blank separates the column names.
inline QString titleCaptionText(platform::Language language)
{
    return language == platform::Language::German ? QStringLiteral("Auswertung über ")
                                                  : QStringLiteral("Evaluation of ");
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

}  // namespace chart
