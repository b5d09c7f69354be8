// Texts the windows and plotwise-report both show, in each language: the
// first words of a chart title built from column names and the note that a
// span holds no data. One home, so a window and the report never drift apart.
#pragma once

#include "components/platform/language.h"

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

}  // namespace chart
